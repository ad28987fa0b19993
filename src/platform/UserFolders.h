#pragma once
// Responsibilities: what the operating system says about the user's folders: the profile environment
// variables and the per-user documents folder. The folder algorithm itself lives in the log logic.

#include <QString>

namespace velm {

class UserFolders {
public:
    virtual ~UserFolders() = default;
    // An environment variable such as USERPROFILE or APPDATA; empty when unset.
    virtual QString environment(const QString& name) const = 0;
    // The per-user documents folder of this platform (it may not exist yet).
    virtual QString documentsLocation() const = 0;
};

} // namespace velm
