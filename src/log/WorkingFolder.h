#pragma once
// Responsibilities: where an installed logger finds its shipped data (beside the executable, under any
// root) and where it works, and the seeding of a working folder from that data without touching what is
// there.

#include <QString>
#include <QStringList>

#include <optional>

namespace velm {

// The shipped data folder of a logger installed under a prefix: <prefix>/share/velmlog beside
// <prefix>/bin, found from the executable's folder so that a package unpacked under any root runs as
// installed. Empty when the executable is not installed that way (a build tree).
std::optional<QString> installedDataFolder(const QString& executableFolder);

// The working folder of an installed logger: $VELM_DIR when set, otherwise <home>/velmlog.
QString installedWorkingFolder(const QString& velmDir, const QString& homeFolder);

struct SeedResult {
    QStringList copied;   // file names copied in, in name order
    QStringList failures; // one text per file that could not be copied, naming it and why
    bool ok() const { return failures.isEmpty(); }
};

// Copies each file of dataFolder (not its README.md, not subfolders) into workingFolder, created when
// missing, unless workingFolder already holds an entry of that name in any letter case. An operator's file is
// never written over, also when it appears while the seeding runs.
SeedResult seedWorkingFolder(const QString& dataFolder, const QString& workingFolder);

} // namespace velm
