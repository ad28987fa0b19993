#pragma once
// Responsibilities: what the CW window holds: the eleven function-key messages, the keying method, port,
// parallel address, speed, word space, timing method, loop offset, the display flag and the F1 repeat;
// the input rules of its fields and the key codes of the function keys.

#include "transmit/MorseEngine.h"

#include <QString>
#include <array>
#include <optional>

namespace velm {

enum class KeyingMethod : quint8 { None = 0, Rts = 1, Dtr = 2, Printer = 3, WinKey = 5 };

// Key codes handed to FKeyCW: F1..F9 are 112..120, F10 comes as 124, F11 as 122; F12 (123) is no message.
constexpr int kF1Code = 112;
constexpr int kF9Code = 120;
constexpr int kF10Code = 124;
constexpr int kF11Code = 122;
constexpr int kMessageCount = 11;

// The message index (0 = F1 ... 8 = F9, 9 = F10, 10 = F11) of a key code; nullopt for 121, 123 and others.
std::optional<int> messageIndexOfKeyCode(int keyCode);
// The key code of a message index (the codes above).
int keyCodeOfMessageIndex(int index);

struct CwSettings {
    std::array<QString, kMessageCount> messages; // F1..F11
    QString portText = QStringLiteral("0");            // Text10: serial port for RTS/DTR, 0 none
    QString speedText = QStringLiteral("13");          // Text11: words per minute
    QString wordSpaceText = QStringLiteral("0");       // txtSpace: units added to every word space
    KeyingMethod method = KeyingMethod::None;
    QString parallelAddress = QStringLiteral("&H378"); // Text14
    bool displayOnMainWindow = false;                  // Check1
    QString repeatText = QStringLiteral("0");          // txtCWLoop: F1 repeat, seconds
    TimingMethod timing = TimingMethod::Timer;         // per-user UserCWSelection
    double loopOffset = 0;                             // per-user UserCWLoopOffset, iterations per 60 ms

    CwSettings() { messages[8] = kTestMessageDefault; }
    static inline const QString kTestMessageDefault = QStringLiteral("VVV DE ");
};

// The keying method of a stored byte; unknown values are None.
KeyingMethod keyingMethodOf(int value);

// A whole number typed into a field (blanks around it allowed), or nullopt for anything else.
std::optional<int> wholeNumber(const QString& text);

// Field rules applied when a field is left.
// Speed and port: a non-number becomes "0".
QString numberOrZero(const QString& text);
// Word space: a non-number becomes "0", a number below -8 becomes "-8".
QString wordSpaceRule(const QString& text);
// The word-space adjustment a field text means (the rule above, as a number).
int wordSpaceOf(const QString& text);
// The speed a field text means: its whole number (a decimal rounds, halves to even), 0 for anything else.
int speedOf(const QString& text);

// The F1 repeat: a number from 0 up to (not including) 60 seconds; anything else is refused (nullopt), which
// the field shows as "0" with a beep.
std::optional<double> repeatSecondsOf(const QString& text);

// "F" and "S" of the loop offset: x 0.9 and x 1.111111111111, rounded to whole (halves to even).
double loopFaster(double offset);
double loopSlower(double offset);

// The per-user texts of the timing method and back.
QString timingMethodText(TimingMethod method);
TimingMethod timingMethodOf(const QString& text);

} // namespace velm
