#pragma once
// Responsibilities: cw.txt in the program folder, the CW window's 18 lines: the eleven messages, port,
// speed, word space, keying method, parallel address, display flag and repeat; read line by line and
// rewritten whole, never over a file that did not read (that one is kept as cw.txt.unread first).

#include "log/FileResult.h"
#include "log/SettingsFile.h"
#include "log/WriteFormat.h"
#include "transmit/CwSettings.h"

#include <QByteArray>

namespace velm {

// Line layout (write format, one value per line, texts quoted):
//   1-9 messages F1-F9 (an empty F9 reads as "VVV DE "), 10 port, 11 speed, 12 F10, 13 F11, 14 word space,
//   15 keying method (bare 0, 1, 2, 3 or 5), 16 parallel address, 17 display flag (bare 0 or 1),
//   18 repeat seconds.
// Reading stops at the first line that does not read: a quote left open or text after it, control bytes,
// more than one value, a value over 32767 characters, or text where a number belongs (lines 15, 17, 18);
// the fields from there on keep what they had. An unknown method reads as None, a repeat outside 0 to under
// 60 as 0. A file with fewer lines reads as far as it goes.
class CwFile {
public:
    static const QString FileName; // "cw.txt"
    static constexpr int LineCount = 18;
    static constexpr qsizetype LongestValue = 32767;

    explicit CwFile(QString programFolder);
    QString path() const { return m_file.path(); }

    // Fills settings from the file. A missing file is no failure and changes nothing.
    FileResult read(CwSettings& settings);
    // Rewrites the file. A file that failed to read is first kept as cw.txt.unread (keptAs says where).
    FileResult write(const CwSettings& settings, QString* keptAs = nullptr);

private:
    SettingsFile m_file;
};

QByteArray cwFileBytes(const CwSettings& settings);

// Reads the lines of data into settings, stopping at the first bad one; the reason ("line 15: ...") or
// empty. Shared by CwFile and tests.
QString readCwLines(const QByteArray& data, CwSettings& settings);

// The checks every settings line of the transmit files passes: the line read, holds at most one value, no
// control bytes and at most CwFile::LongestValue characters. The reason it fails, or empty.
QString settingsLineProblem(const WriteLine& line);

} // namespace velm
