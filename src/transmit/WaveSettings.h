#pragma once
// Responsibilities: what the voice keyer window holds (the nine message files, the PTT port, line and
// parallel address, the F1 repeat), the input rules of its fields, and wave2.txt in the program folder:
// read line by line at start-up, rewritten whole by "Done", never over a file that did not read.

#include "log/FileResult.h"
#include "log/SettingsFile.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace velm {

// The PTT line option; stored as 0, 1, 2 (an empty line: no option selected, which keys RTS).
enum class PttLine : qint8 { None = -1, Rts = 0, Dtr = 1, Parallel = 2 };

constexpr int kVoiceMessageCount = 9; // F1..F9

struct VoiceKeyerSettings {
    std::array<QString, kVoiceMessageCount> files; // Text1..Text9
    QString portText = QStringLiteral("0");          // Text10: PTT serial port, 0 none
    PttLine line = PttLine::Rts;                     // Option1..Option3
    QString repeatText = QStringLiteral("0");        // txtPHLoop: F1 repeat, seconds
    QString parallelAddress = QStringLiteral("&H378"); // Text11
};

// A path that wave2.txt can hold as it is: no double quote (the format has no escape) and no line break.
bool storablePath(const QString& path);
// The address field's rule: double quotes dropped, letters upper-cased.
QString addressRule(const QString& text);
// The PTT port number a field text means (a whole number, else 0).
int pttPortOf(const QString& text);

// Line layout (write format, one value per line): 1-9 the files, quoted and trimmed; 10 the PTT port,
// quoted; 11 the line, bare 0, 1 or 2 (empty when none is selected); 12 the repeat seconds, quoted; 13 the
// parallel address, quoted. Reading stops at the first line that does not read (a broken quote, more than
// one value, control bytes, an overlong value, a line 11 that is not 0, 1, 2 or empty); the fields from there
// on keep their defaults. A repeat that is not a number from 0 up to 60 reads as "0".
class WaveSettingsFile {
public:
    static const QString FileName; // "wave2.txt"
    static constexpr int LineCount = 13;

    explicit WaveSettingsFile(QString programFolder);
    QString path() const { return m_file.path(); }

    // Fills settings from the file; a missing file is no failure and changes nothing.
    FileResult read(VoiceKeyerSettings& settings);
    // Rewrites the file; a file that failed to read is first kept as wave2.txt.unread (keptAs says where).
    FileResult write(const VoiceKeyerSettings& settings, QString* keptAs = nullptr);

private:
    SettingsFile m_file;
};

QByteArray waveSettingsBytes(const VoiceKeyerSettings& settings);
// Reads the lines of data into settings, stopping at the first bad one; the reason ("line 11: ...") or empty.
QString readWaveSettingsLines(const QByteArray& data, VoiceKeyerSettings& settings);

} // namespace velm
