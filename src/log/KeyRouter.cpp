#include "log/KeyRouter.h"

#include "log/BandMode.h"

namespace velm {

namespace {

constexpr int kFirstFunctionKeyCode = 112; // F1
constexpr int kF10Code = 121;
constexpr int kF10HandedOverCode = 124; // F10 goes to the CW keyer under a code of its own

const QChar kEscape(0x1B);
const QChar kBackspace(0x08);
const QChar kEnter(0x0D);

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Control:
    case Qt::Key_Shift:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return true;
    default:
        return false;
    }
}

bool isCtrlShortcut(Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    return held == Qt::ControlModifier;
}

std::optional<WindowShortcut> shortcutFor(int key)
{
    switch (key) {
    case Qt::Key_B:
        return WindowShortcut::SpectrumMap;
    case Qt::Key_C:
        return WindowShortcut::CwKeyer;
    case Qt::Key_D:
        return WindowShortcut::DxSpotting;
    case Qt::Key_F:
        return WindowShortcut::BandPlan;
    case Qt::Key_G:
        return WindowShortcut::RigTune;
    case Qt::Key_P:
        return WindowShortcut::VoiceKeyer;
    case Qt::Key_R:
        return WindowShortcut::RigInterface;
    case Qt::Key_S:
        return WindowShortcut::CwKeyer;
    case Qt::Key_W:
        return WindowShortcut::CwStrings;
    default:
        return std::nullopt;
    }
}

// The classic key code of F1..F12 (112..123), or 0 for any other key.
int functionKeyCode(int key)
{
    if (key < Qt::Key_F1 || key > Qt::Key_F12)
        return 0;
    return kFirstFunctionKeyCode + (key - Qt::Key_F1);
}

// The character the key types, as the classic key-press event saw it: Esc, Backspace and Enter by their
// key whatever text the platform attaches; keys that typed nothing there (Delete, Tab) give none.
QString typedCharacter(const KeyStroke& stroke)
{
    switch (stroke.key) {
    case Qt::Key_Escape:
        return QString(kEscape);
    case Qt::Key_Backspace:
        return QString(kBackspace);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QString(kEnter);
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return {};
    default:
        return stroke.text;
    }
}

} // namespace

KeyRouter::KeyRouter(CwSender& cw, VoiceKeyer& voice, WinKeyState& winKey)
    : m_cw(cw), m_voice(voice), m_winKey(winKey)
{
}

KeyOutcome KeyRouter::route(const KeyStroke& stroke, const QString& currentMode)
{
    KeyOutcome outcome;
    if (isModifierKey(stroke.key))
        return outcome;

    const bool cwMode = modeFromText(currentMode) != Mode::Phone;
    const QString character = typedCharacter(stroke);

    if (isCtrlShortcut(stroke.modifiers)) {
        // The character of a Ctrl key is discarded. Qt delivers it with the key itself, so nothing stays
        // pending for the next key: a Ctrl key that types nothing (Ctrl+F5) cannot swallow what follows.
        if (!character.isEmpty())
            outcome.consumed = true;
        if (const auto window = shortcutFor(stroke.key)) {
            outcome.window = window;
            outcome.consumed = true;
            return outcome;
        }
        keyDown(stroke, cwMode, outcome);
        return outcome;
    }

    keyDown(stroke, cwMode, outcome);
    if (!character.isEmpty())
        keyPress(character, cwMode, outcome);
    return outcome;
}

void KeyRouter::keyDown(const KeyStroke& stroke, bool cwMode, KeyOutcome& outcome)
{
    if (m_cw.CwRepeat())
        m_cw.stopCwRepeat();
    if (m_voice.VoiceRepeat())
        m_voice.stopVoiceRepeat();

    const int code = functionKeyCode(stroke.key);
    if (cwMode) {
        if (!m_cw.cwKeyingConfigured())
            return;
        if (stroke.key == Qt::Key_Up || stroke.key == Qt::Key_Down) {
            const int speed = stroke.key == Qt::Key_Up ? m_cw.UpDown1_UpClick() : m_cw.UpDown1_DownClick();
            outcome.message = QString::number(speed) + QStringLiteral(" WPM");
            outcome.consumed = true;
        } else if (stroke.key == Qt::Key_F12) {
            switchKeyboardCwMode(outcome);
            outcome.consumed = true;
        } else if (code != 0) {
            m_cw.FKeyCW(code == kF10Code ? kF10HandedOverCode : code);
            outcome.consumed = true;
        }
    } else if (stroke.key == Qt::Key_F10) {
        outcome.consumed = true;
    } else if (stroke.key >= Qt::Key_F1 && stroke.key <= Qt::Key_F9) {
        m_voice.FKeyPhone(code);
        outcome.consumed = true;
    }
}

void KeyRouter::switchKeyboardCwMode(KeyOutcome& outcome)
{
    const bool on = !m_cw.KeyboardCwMode();
    m_cw.setKeyboardCwMode(on);
    if (on) {
        outcome.message = QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode.");
        outcome.tone = MessageTone::KeyboardCw;
    } else {
        outcome.message = QString();
        outcome.tone = MessageTone::Normal;
    }
}

void KeyRouter::keyPress(const QString& character, bool cwMode, KeyOutcome& outcome)
{
    if (character == kEscape) {
        outcome.consumed = true;
        if (!cwMode && m_voice.voicePlaying()) {
            m_voice.stopVoice();
        } else if (m_winKey.winKeyInUse() && m_winKey.winKeyBusy()) {
            m_winKey.winKeyClearBuffer();
            m_cw.CwBuffer().clear();
        } else if (!m_cw.CwSending()) {
            outcome.clearEntry = true;
        } else {
            m_cw.CwBuffer().clear();
        }
        return;
    }

    // Without a keying method nothing could be sent, and F12 could not switch the mode off again: the
    // characters would vanish, so they go to the fields instead.
    if (!m_cw.KeyboardCwMode() || !m_cw.cwKeyingConfigured())
        return;

    if (character == kBackspace) {
        if (m_winKey.winKeyInUse() && m_winKey.winKeyBusy()) {
            m_winKey.winKeyBackspace();
        } else if (m_cw.CwSending() && !m_cw.CwBuffer().isEmpty()) {
            m_cw.CwBuffer().chop(1);
        }
        // In CW the fields are not being typed into; a Backspace there would edit text the operator
        // cannot see being changed.
        outcome.consumed = cwMode;
        return;
    }

    if (!cwMode)
        return;
    m_cw.CwBuffer() += character.toUpper();
    if (!m_cw.CwSending())
        m_cw.LoopThroughCWBuffer();
    outcome.consumed = true;
}

} // namespace velm
