#pragma once
// Responsibilities: the WinKey window's settings (port, speed, weight, lead-in, tail, ratio, pin
// configuration, keyer mode), their field rules, the status texts of the open codes, and WK.txt in the user
// data folder (8 lines, the last two optional).

#include "log/FileResult.h"
#include "log/SettingsFile.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace velm {

// The pin configuration bytes of the four options, and the keyer mode bytes.
constexpr quint8 kPinKey5Out3Off = 8, kPinKey5Off3Out = 4, kPinTone = 6, kPinPtt = 5;
constexpr quint8 kModeIambicB = 0, kModeIambicA = 16, kModeUltimatic = 32, kModeBug = 48;

struct WinKeySettings {
    int port = 0; // txtWKComPort
    QString speedText = QStringLiteral("18");
    QString weightText = QStringLiteral("50");
    QString leadInText = QStringLiteral("0"); // 10 ms units
    QString tailText = QStringLiteral("0");
    QString ratioText = QStringLiteral("50");
    quint8 pinConfiguration = kPinTone;
    quint8 keyerMode = kModeIambicB;
};

// A pin configuration or keyer mode byte as stored; anything but the four known values gives the default.
quint8 knownPinConfiguration(double value);
quint8 knownKeyerMode(double value);

// Field rules on leaving a field. The text the field then shows, and the byte sent to the keyer (nullopt:
// nothing is sent).
struct WinKeyFieldRule {
    QString text;
    std::optional<quint8> send;
};
WinKeyFieldRule speedRule(const QString& text);  // non-number "18"; 0-99 sent
WinKeyFieldRule weightRule(const QString& text); // non-number "50"; 0-99 sent
WinKeyFieldRule ratioRule(const QString& text);  // non-number "50"; 32-67 sent
// Lead-in and tail: the pair is sent only when both are numbers (0-255); otherwise the field being left
// becomes "0" and nothing is sent.
struct LeadTailRule {
    QString leftText;
    std::optional<std::pair<quint8, quint8>> send;
};
LeadTailRule leadTailRule(const QString& leftText, const QString& otherText, bool leftIsLeadIn);
// Com port: a non-number becomes "0"; the value is a byte.
int winKeyPortRule(const QString& text);

// The status text of an open result code, or nullopt for codes without one (the text stays).
std::optional<QString> winKeyStatusText(int code);
inline const QString kWinKeyClosedText = QStringLiteral("Closed");

// WK.txt: 1 port (bare), 2 speed, 3 weight, 4 lead-in, 5 tail, 6 ratio (quoted), 7 pin configuration and 8
// keyer mode (bare, may be missing). Read like cw.txt: stops at the first line that does not read.
class WinKeyFile {
public:
    static const QString FileName; // "WK.txt"
    static constexpr int LineCount = 8;

    // userDataFolder empty: the folder could not be made, and nothing is read or written.
    explicit WinKeyFile(QString userDataFolder);
    QString path() const;

    FileResult read(WinKeySettings& settings);
    FileResult write(const WinKeySettings& settings, QString* keptAs = nullptr);

private:
    QString m_folder;
    SettingsFile m_file;
};

QByteArray winKeyFileBytes(const WinKeySettings& settings);
QString readWinKeyLines(const QByteArray& data, WinKeySettings& settings);

} // namespace velm
