#pragma once
// Responsibilities: the main window's window-wide key handling as logic: Ctrl shortcuts to the other windows,
// function keys and arrows to the keyers, Esc, and keyboard CW; the window only renders the outcome.

#include "log/CwSender.h"
#include "log/VoiceKeyer.h"
#include "log/WinKeyState.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace velm {

enum class WindowShortcut {
    SpectrumMap,
    CwKeyer,
    DxSpotting,
    BandPlan,
    RigTune,
    VoiceKeyer,
    RigInterface,
    CwStrings
};

// Message-line back colours.
enum class MessageTone { Normal, KeyboardCw, Duplicate, White };
constexpr quint32 kMessageTeal = 0xC0C000;        // R 0, G 192, B 192; red in the low byte
constexpr quint32 kMessageLightYellow = 0xC0FFFF; // R 255, G 255, B 192
constexpr quint32 kMessageRed = 0x0000FF;         // R 255, G 0, B 0: a refused duplicate
constexpr quint32 kMessageWhite = 0xFFFFFF;       // a notice from outside the entry row (the own call spotted)

// One key press as Qt delivers it: the key, the modifiers held, and the text it types (empty for keys that
// type nothing: function keys, arrows, a modifier on its own).
struct KeyStroke {
    int key = 0; // Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text;
};

struct KeyOutcome {
    bool consumed = false;                // the focused field must not see the key
    std::optional<WindowShortcut> window; // open this window
    std::optional<QString> message;       // new message-line text
    std::optional<MessageTone> tone;      // new message-line colour
    bool clearEntry = false;              // Esc: clear the entry fields
};

// Rules, in order:
// - A modifier key on its own (Ctrl, Shift, Alt, Meta, AltGr) does nothing and passes.
// - Ctrl with no Shift, Alt or Meta: the character the key types is discarded. B, C, D, F, G, P, R, S and W
//   open their window and are consumed; other keys go on through the rules below. Ctrl with another modifier
//   held is not a shortcut (keeps AltGr characters typed as Ctrl+Alt).
// - Every other key first stops the CW and voice message repeats.
// - Mode not "PH" and a CW keying method set: Up and Down change the speed ("<speed> WPM"); F1 to F11 send
//   their CW message (key codes 112 to 122, F10 as 124); F12 switches keyboard CW mode. All consumed.
// - Mode "PH": F1 to F9 play their voice message (codes 112 to 120) and F10 is swallowed; all consumed.
// - Esc (always consumed): stops a playing voice message in phone mode; else, with WinKey busy, clears its
//   buffer and CwBuffer; else clears the entry fields when no CW is being sent, or empties CwBuffer when
//   it is.
// - Keyboard CW mode (with a keying method set): Backspace hands a backspace to a busy WinKey, or removes
//   the last character still waiting while sending. In CW every other character (Enter and Space too) is
//   upper-cased onto CwBuffer and sending started when idle; these keys, Backspace included, never reach
//   the fields, so Enter does not commit. In phone mode the characters and Backspace do reach the fields.
class KeyRouter {
public:
    KeyRouter(CwSender& cw, VoiceKeyer& voice, WinKeyState& winKey);

    KeyOutcome route(const KeyStroke& stroke, const QString& currentMode);

private:
    void keyDown(const KeyStroke& stroke, bool cwMode, KeyOutcome& outcome);
    void keyPress(const QString& character, bool cwMode, KeyOutcome& outcome);
    void switchKeyboardCwMode(KeyOutcome& outcome);

    CwSender& m_cw;
    VoiceKeyer& m_voice;
    WinKeyState& m_winKey;
};

} // namespace velm
