#include "log/UserFolderSetup.h"

#include "log/ProgramFolder.h"
#include "log/SharedPreferences.h"
#include "platform/Prompts.h"
#include "platform/UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <exception>
#include <filesystem>
#include <system_error>

namespace velm {

namespace {

const QString AccessErrorTitle = QStringLiteral("User Access Directory Error");

enum class EntryKind { Missing, Folder, File };

struct Entry {
    EntryKind kind = EntryKind::Missing;
    QString path;      // spelled as on disk when found
    QString listError; // the parent folder exists but cannot be listed
};

// Looks for the last component of path in its parent, ignoring letter case, as the other Orvane programs
// see it on their case-blind file system. The exact spelling wins; a folder wins over a file.
Entry findEntry(const QString& path)
{
    Entry entry;
    entry.path = path;
    const QFileInfo exact(path);
    if (exact.isDir()) {
        entry.kind = EntryKind::Folder;
        return entry;
    }
    if (exact.exists())
        entry.kind = EntryKind::File;

    const qsizetype slash = path.lastIndexOf(u'/');
    const QString parent = slash < 0 ? QStringLiteral(".") : path.left(slash == 0 ? 1 : slash);
    const QString name = path.mid(slash + 1);
    const QDir dir(parent);
    if (name.isEmpty() || !dir.exists())
        return entry;
    if (!dir.isReadable()) {
        entry.listError = QStringLiteral("Permission denied  %1").arg(QDir::toNativeSeparators(parent));
        return entry;
    }
    const QFileInfoList listed =
        dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& candidate : listed) {
        if (candidate.fileName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (candidate.isDir()) {
            entry.kind = EntryKind::Folder;
            entry.path = path.left(slash + 1) + candidate.fileName();
            return entry;
        }
        entry.kind = EntryKind::File;
    }
    return entry;
}

QString spelledOnDisk(const QString& path)
{
    const Entry entry = findEntry(path);
    return entry.kind == EntryKind::Folder ? entry.path : path;
}

// Environment values may come with "\" separators and trailing separators.
QString cleanedPath(const QString& path)
{
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

// Creates the last level only; the system's reason when that fails, empty on success.
QString createLastLevel(const QString& path)
{
    std::error_code error;
    try {
        std::filesystem::create_directory(QFileInfo(path).filesystemFilePath(), error);
    } catch (const std::exception& conversion) { // a name the file system cannot spell
        return QString::fromLocal8Bit(conversion.what());
    }
    return error ? QString::fromLocal8Bit(error.message()) : QString();
}

std::error_code fileInTheWay()
{
    return std::make_error_code(std::errc::file_exists);
}

} // namespace

UserFolderSetup::UserFolderSetup(UserFolders& folders, Prompts& prompts)
    : m_folders(folders), m_prompts(prompts)
{
}

bool UserFolderSetup::EnsureFolder(const QString& path, int reportFlag)
{
    if (path.isEmpty()) {
        m_prompts.message(QStringLiteral("Invalid Path"), QStringLiteral("Unable to Create Directory"));
        return false;
    }
    const Entry entry = findEntry(QDir::cleanPath(path));
    if (entry.kind == EntryKind::Folder)
        return true;

    const QString failure = entry.kind == EntryKind::File ? QString::fromLocal8Bit(fileInTheWay().message())
                                                          : createLastLevel(path);
    if (failure.isEmpty())
        return true;
    if (reportFlag == 1) {
        m_prompts.message(failure + QStringLiteral("  ") + QDir::toNativeSeparators(path),
                          QStringLiteral("Unable to create directory."));
    }
    return false;
}

QString UserFolderSetup::resolveDocumentsBase()
{
    // Steps that only ask whether a folder is there report an unlistable parent and carry on.
    const auto lookUp = [this](const QString& path) {
        const Entry entry = findEntry(path);
        if (!entry.listError.isEmpty())
            m_prompts.message(entry.listError, AccessErrorTitle);
        return entry;
    };

    const QString profile = cleanedPath(m_folders.environment(QStringLiteral("USERPROFILE")));
    if (profile.isEmpty()) {
        // Not Windows: the platform's own documents folder stands where "c:\My Documents" stood.
        const QString documents = cleanedPath(m_folders.documentsLocation());
        if (documents.isEmpty()) {
            m_prompts.message(QStringLiteral("No documents folder is known for this user."),
                              AccessErrorTitle);
            return {};
        }
        const Entry entry = lookUp(documents);
        if (entry.kind == EntryKind::Folder)
            return entry.path;
        EnsureFolder(documents, 1);
        return spelledOnDisk(documents);
    }

    const QString myDocuments = profile + QStringLiteral("/My Documents");
    Entry entry = lookUp(myDocuments);
    if (entry.kind != EntryKind::Folder) {
        EnsureFolder(myDocuments, 0);
        entry = findEntry(myDocuments);
    }
    if (entry.kind == EntryKind::Folder)
        return entry.path;

    const Entry documents = lookUp(profile + QStringLiteral("/Documents"));
    if (documents.kind == EntryKind::Folder)
        return documents.path;

    const QString appData = cleanedPath(m_folders.environment(QStringLiteral("APPDATA")));
    return appData.isEmpty() ? profile : appData;
}

QString UserFolderSetup::ResolveUserFolder(const QString& productFolder, const QString& subfolder)
{
    m_documentsBase = resolveDocumentsBase();
    const QString product = m_documentsBase + productFolder;
    // Without a documents folder the paths would hang off the root of the file system: create nothing there.
    if (m_documentsBase.isEmpty())
        return product;
    EnsureFolder(product, 1);
    EnsureFolder(spelledOnDisk(product) + subfolder, 1);
    return spelledOnDisk(product);
}

UserFolderPaths prepareUserFolders(UserFolders& folders, Prompts& prompts, SharedPreferences& prefs)
{
    UserFolderSetup setup(folders, prompts);
    const QString product = QStringLiteral("/Orvane Software");
    setup.ResolveUserFolder(product, QStringLiteral("/QRP VELM"));
    const QString base = setup.ResolveUserFolder(product, QStringLiteral("/Shared"));

    UserFolderPaths paths;
    paths.DocumentsBase = setup.documentsBase();
    paths.SharedFolder = spelledOnDisk(base + QStringLiteral("/Shared"));
    paths.UserDataFolder = spelledOnDisk(base + QStringLiteral("/QRP VELM"));
    prefs.OpenSharedPreferences(
        findFileIgnoringCase(paths.SharedFolder, QStringLiteral("SharedUserPreferences.xml")));
    setup.EnsureFolder(paths.UserDataFolder + QStringLiteral("/BACKUP"), 0);
    return paths;
}

} // namespace velm
