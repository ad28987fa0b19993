#pragma once
// Responsibilities: UserFolders with environment variables and the documents folder set by the test.

#include "platform/UserFolders.h"

#include <QHash>

namespace velm::test {

class FakeUserFolders final : public UserFolders {
public:
    QString environment(const QString& name) const override { return env.value(name); }
    QString documentsLocation() const override { return documents; }

    QHash<QString, QString> env;
    QString documents;
};

} // namespace velm::test
