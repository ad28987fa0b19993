#pragma once
// Responsibilities: UserFolders from the process environment and QStandardPaths.

#include "platform/UserFolders.h"

namespace velm {

class SystemUserFolders final : public UserFolders {
public:
    QString environment(const QString& name) const override;
    QString documentsLocation() const override;
};

} // namespace velm
