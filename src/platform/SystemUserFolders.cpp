#include "platform/SystemUserFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace velm {

QString SystemUserFolders::environment(const QString& name) const
{
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

QString SystemUserFolders::documentsLocation() const
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath() + QStringLiteral("/Documents");
    return QDir::cleanPath(documents);
}

} // namespace velm
