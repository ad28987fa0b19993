#pragma once
// Responsibilities: the two files through which the Ten-Tec Pegasus control program is reached: where they
// are (the per-user PegasusFolder, by default the Wine C: drive's Pegasus folder; c:\Pegasus on Windows), and
// reading the frequency and mode it writes to PEGASUS.OUT.

#include "rig/RigDecoders.h"

#include <QString>

namespace velm {

class SettingsStore;

namespace pegasus {
inline const QString FolderKey = QStringLiteral("PegasusFolder");
inline const QString OutFileName = QStringLiteral("PEGASUS.OUT");
inline const QString InFileName = QStringLiteral("PEGASUS.IN");
// The control program writes two short values; anything longer is not its file.
constexpr qint64 kMaxOutFileBytes = 4096;
} // namespace pegasus

// The per-user PegasusFolder when set, else the platform's default.
QString pegasusFolder(const SettingsStore& settings);
QString defaultPegasusFolder();

// PEGASUS.OUT in folder (found ignoring case): a number, the frequency in MHz, then a text, the mode; a mode
// other than "CW" is "PH". A missing, unreadable or oversized file changes nothing; a cut one changes only
// what was read before the cut (a number running to the very end of the file may itself be cut, and counts
// only when it ends with a comma or a line break). The frequency must be above 0 and below 100,000 MHz.
void ReadPegasusFile(const QString& folder, RigReadings& readings);
// The same for the file's bytes.
void parsePegasusOut(QByteArrayView data, RigReadings& readings);

} // namespace velm
