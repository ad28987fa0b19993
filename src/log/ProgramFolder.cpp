#include "log/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace velm {

QString findFileIgnoringCase(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System |
                                              QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return dir.filePath(name);
}

QString findFileInFolders(const QStringList& folders, const QString& name)
{
    for (const QString& folder : folders) {
        if (folder.isEmpty()) // an unknown folder must not become the current one
            continue;
        const QString path = findFileIgnoringCase(folder, name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

ProgramFolder::ProgramFolder(QString path) : m_path(QDir::cleanPath(std::move(path))) {}

} // namespace velm
