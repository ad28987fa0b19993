#pragma once
// Responsibilities: the rig settings (the 14 values of RigCntrl.txt) and the file itself: read item by item
// whatever the line breaks, found under any letter case, rewritten whole and safely; a file that failed to
// read is kept as RigCntrl.bad before it is written over.

#include "log/FileResult.h"
#include "log/SettingsFile.h"

#include <QByteArray>
#include <QString>

namespace velm {

// The values in file order. The defaults are the rig window's design defaults, so that a save before any
// file was read writes what the window shows.
struct RigSettings {
    QString BaudRate = QStringLiteral("56000"); // exactly 5 characters, left-justified, blank-padded
    QString Parity = QStringLiteral("N");       // "O", "N", "E"
    QString DataBits = QStringLiteral("8");     // "7", "8"
    QString StopBits = QStringLiteral("1");     // "1", "2"
    QString ModeQuery;                          // "String to read mode"
    QString FrequencyQuery;                     // "String to read frequency"
    QString CommSettings;                       // what the port is opened with: "4800,N,8,2"
    quint8 PortNumber = 1;                      // 1 to 10
    QString PowerLine = QStringLiteral("N");    // connection power: "N" none, "R" RTS, "D" DTR
    QString PollRate = QStringLiteral("M");     // "F" 100 ms, "M" 500 ms, "S" 2 s, "R" 10 s
    QString RigType = QStringLiteral("None");
    qint16 ConvertToHex = 0;
    qint16 UseFrequency = 1;
    qint16 ModeSource = 1; // "Mode by:" 1 Rig, 2 Frequency, 3 Don't Use

    static constexpr int FieldCount = 14;
    friend bool operator==(const RigSettings&, const RigSettings&) = default;
};

// The baud text as stored: the first five characters, blank-padded ("1200 ", "14400").
QString paddedBaudRate(const QString& baud);
// CommSettings from the four line fields: "4800,N,8,2" (the baud without its blanks).
QString commSettingsText(const RigSettings& settings);

// The whole file as SaveRigSettings writes it: one value per line, texts quoted (BaudRate with its blanks),
// numbers bare, CR LF.
QByteArray rigSettingsBytes(const RigSettings& settings);

// Reads the 14 values from bytes into settings, one after another whatever the line breaks. Reading stops at
// the first value that does not fit its field (a port that is no whole number from 0 to 255, a 16-bit field
// out of range) or at the end of the data: the fields before it are written, the rest keep their values.
// Returns how many fields were read (14 for a complete file) and, when fewer, why in *error.
int parseRigSettings(const QByteArray& data, RigSettings& settings, QString* error = nullptr);

class RigSettingsFile {
public:
    static const QString FileName; // "RigCntrl.txt"
    static const QString BadName;  // "RigCntrl.bad": the copy of a file that did not read
    static constexpr qint64 kMaxBytes = 64 * 1024;

    explicit RigSettingsFile(QString folder);

    QString path() const { return m_file.path(); }
    QString badCopyPath() const;

    // LoadRigSettings' read. Returns how many fields were applied (see parseRigSettings); result, when given,
    // says whether the file read whole (a missing file: ok, none applied).
    int read(RigSettings& settings, FileResult* result = nullptr);
    // SaveRigSettings: the whole file replaced. A file that failed to read is first copied to RigCntrl.bad
    // (an older copy replaced); when that copy cannot be made nothing is written. Failures name the file and
    // the reason.
    FileResult save(const RigSettings& settings);

private:
    QString m_folder;
    SettingsFile m_file;
};

} // namespace velm
