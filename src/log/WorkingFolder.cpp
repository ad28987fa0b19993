#include "log/WorkingFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velm {

namespace {

const QString kDataFolderName = QStringLiteral("velmlog");

bool holdsIgnoringCase(const QStringList& entries, const QString& name)
{
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

std::optional<QString> installedDataFolder(const QString& executableFolder)
{
    const QDir bin(executableFolder);
    if (bin.dirName() != QStringLiteral("bin"))
        return std::nullopt;
    const QString data = QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("../share/") + kDataFolderName));
    if (!QFileInfo(data).isDir())
        return std::nullopt;
    return data;
}

QString installedWorkingFolder(const QString& velmDir, const QString& homeFolder)
{
    if (!velmDir.isEmpty())
        return QDir::cleanPath(velmDir);
    return QDir(homeFolder).filePath(kDataFolderName);
}

SeedResult seedWorkingFolder(const QString& dataFolder, const QString& workingFolder)
{
    SeedResult result;
    QDir work(workingFolder);
    if (!work.exists() && !QDir().mkpath(workingFolder)) {
        result.failures << QStringLiteral("%1: the folder could not be created")
                               .arg(QDir::toNativeSeparators(workingFolder));
        return result;
    }
    const QDir data(dataFolder);
    const QStringList shipped = data.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    const QStringList present =
        work.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : shipped) {
        if (name.compare(QStringLiteral("README.md"), Qt::CaseInsensitive) == 0 ||
            holdsIgnoringCase(present, name))
            continue;
        // QFile::copy never replaces an existing file: one created meanwhile stays the operator's.
        QFile source(data.filePath(name));
        const QString target = work.filePath(name);
        if (!source.copy(target)) {
            if (QFileInfo::exists(target))
                continue;
            result.failures << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target),
                                                            source.errorString());
            continue;
        }
        result.copied << name;
    }
    return result;
}

} // namespace velm
