#pragma once
// Responsibilities: the spotting window's settings (SpotSettings, the fourteen values of PackSpot.txt), the
// serial settings text built from them, and PackSpot.txt itself: read, checked and rewritten whole through
// the settings-file guard.

#include "log/FileResult.h"
#include "log/SettingsFile.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace velm {

// The four spot sources, as the source list shows them and PackSpot.txt keeps them.
namespace SpotSourceName {
inline const QString None = QStringLiteral("None");
inline const QString Tnc = QStringLiteral("TNC");
inline const QString Telnet = QStringLiteral("Telnet");
inline const QString Agw = QStringLiteral("AGW Packet Engine");
inline QStringList all()
{
    return {None, Tnc, Telnet, Agw};
}
} // namespace SpotSourceName

// The values in PackSpot.txt order. The defaults are the window's design state: nothing selected as source.
struct SpotSettings {
    QString baud = QStringLiteral("9600");     // 1: "1200" ... "19200"
    QString parity = QStringLiteral("N");      // 2: "O", "N", "E"
    QString dataBits = QStringLiteral("8");    // 3: "7", "8"
    QString stopBits = QStringLiteral("1");    // 4: "1", "2"
    quint8 port = 1;                           // 5: serial port 1 ... 10
    QString power = QStringLiteral("N");       // 6: connection power "N", "R" (RTS), "D" (DTR)
    QString source;                            // 7: a SpotSourceName, or empty while none is selected
    int convertToHex = 0;                      // 8: "Convert to Hex", kept only
    quint8 handshake = 1;                      // 9: 1 none, 2 Xon/Xoff, 3 RTS, 4 RTS with Xon/Xoff
    int dxOnly = 0;                            // 10: "List DX Only", written and never applied on load
    bool listDisplay = true;                   // 11: the main window shows the list (false: the band map)
    QString commandHex = QStringLiteral("03"); // 12: the TNC command-mode character in hex
    QString telnetPort;                        // 13
    QString telnetHost;                        // 14

    friend bool operator==(const SpotSettings&, const SpotSettings&) = default;

    // "9600,N,8,1": baud (trailing blanks removed), parity, data bits and stop bits joined by commas.
    QString serialSettingsText() const;
};

inline const QStringList kSpotBaudRates = {QStringLiteral("1200"),  QStringLiteral("2400"),
                                           QStringLiteral("4800"),  QStringLiteral("9600"),
                                           QStringLiteral("14400"), QStringLiteral("19200")};

// The TNC presets a choice of "TNC" brings: 9600,N,8,1, RTS handshaking, command character 03.
void applyTncPresets(SpotSettings& settings);

// PackSpot.txt as bytes: the fourteen values one per line, texts quoted, fields 5, 8, 9 and 10 bare numbers,
// field 11 #TRUE# or #FALSE#, each line ended by CR LF.
QByteArray formatSpotSettings(const SpotSettings& settings);

// Reads the fourteen values from any sequence of comma- or line-separated values in that order (values after
// the fourteenth are ignored). Every value must be one the window can show (a serial port of 300, a baud
// rate of 1000 or a source it does not know are not): on any failure settings is untouched and the reason
// names the value.
QString parseSpotSettings(const QByteArray& data, SpotSettings& settings);

class SpotSettingsFile {
public:
    static const QString FileName; // "PackSpot.txt"

    explicit SpotSettingsFile(QString programFolder);

    QString path() const { return m_file.path(); }
    // A missing file is a failure too (the window keeps its design state), but it may then be written.
    FileResult LoadSpotSettings(SpotSettings& settings);
    FileResult SaveSpotSettings(const SpotSettings& settings);
    // The file is there but did not read: it is not written over.
    bool unreadable() const { return m_file.writesRefused(); }

private:
    SettingsFile m_file;
};

} // namespace velm
