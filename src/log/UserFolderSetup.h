#pragma once
// Responsibilities: the per-user folder tree under the documents folder shared with the other Orvane
// programs (Orvane Software/Shared, Orvane Software/QRP VELM/BACKUP): find it, create it, report failures.

#include <QString>

namespace velm {

class Prompts;
class SharedPreferences;
class UserFolders;

struct UserFolderPaths {
    QString DocumentsBase;
    QString SharedFolder;   // SharedUserPreferences.xml, splash.jpg, prefix and ADIF country files
    QString UserDataFolder; // BACKUP, QrpVELM.adi, WK.txt
};

// Folder names are compared ignoring letter case everywhere here: a folder another program created as
// "my documents" or "orvane software" is the one meant, and no twin differing in case is made beside it.
class UserFolderSetup {
public:
    UserFolderSetup(UserFolders& folders, Prompts& prompts);

    // Works out DocumentsBase, makes sure DocumentsBase + productFolder + subfolder exists and returns
    // DocumentsBase + productFolder (spelled as on disk). Both arguments begin with "/". Every step runs
    // even when an earlier one failed; failures are shown to the operator.
    QString ResolveUserFolder(const QString& productFolder, const QString& subfolder);
    // Creates the last level of path unless a folder of that name exists. reportFlag 1 shows a failure,
    // 0 keeps it silent; an empty path is always reported. True when the folder exists afterwards.
    bool EnsureFolder(const QString& path, int reportFlag);
    // The documents folder found by the last ResolveUserFolder; empty before.
    QString documentsBase() const { return m_documentsBase; }

private:
    QString resolveDocumentsBase();

    UserFolders& m_folders;
    Prompts& m_prompts;
    QString m_documentsBase;
};

// Start-up: resolves the QRP VELM and Shared folders, opens SharedFolder + "/SharedUserPreferences.xml" into
// prefs and creates UserDataFolder + "/BACKUP" silently. Returns the paths, whatever failed on the way.
UserFolderPaths prepareUserFolders(UserFolders& folders, Prompts& prompts, SharedPreferences& prefs);

} // namespace velm
