#pragma once
// Responsibilities: the transmit state and keyer operations that the main window's keys reach (CW, voice and
// WinKey), as one interface, and NullKeyers, which stands in while no keyer is available and sends nothing.

#include <QString>

namespace velm {

class Keyers {
public:
    virtual ~Keyers() = default;

    virtual bool cwKeyingConfigured() const = 0; // a CW keying method is set

    virtual void FKeyCW(int keyCode) = 0;    // sends the stored CW message of a function-key code
    virtual void FKeyPhone(int keyCode) = 0; // plays the stored voice message of a function-key code
    virtual int UpDown1_UpClick() = 0;       // one step faster; returns the new speed (WPM)
    virtual int UpDown1_DownClick() = 0;     // one step slower; returns the new speed (WPM)
    virtual void LoopThroughCWBuffer() = 0;  // starts sending CwBuffer
    virtual QString& CwBuffer() = 0;         // text waiting to be sent; emptying it stops sending
    virtual bool CwSending() const = 0;      // LoopThroughCWBuffer is emptying the buffer
    virtual bool KeyboardCwMode() const = 0;
    virtual void setKeyboardCwMode(bool on) = 0;

    virtual bool CwRepeat() const = 0;
    // Repeat off, WinKey's buffer cleared when WinKey is in use, CwBuffer emptied, repeat timer stopped.
    virtual void stopCwRepeat() = 0;
    virtual bool VoiceRepeat() const = 0;
    virtual void stopVoiceRepeat() = 0; // repeat off, repeat timer stopped
    virtual bool voicePlaying() const = 0;
    virtual void stopVoice() = 0;

    virtual bool winKeyInUse() const = 0; // WinKey is the keying method and is open
    virtual bool winKeyBusy() const = 0;  // WinKey reports a non-zero status
    virtual void winKeyClearBuffer() = 0;
    virtual void winKeyBackspace() = 0;
};

// No keying method and no voice keyer: sending anything empties the buffer as the real keyer does with no
// method set, and the flags live only in memory.
class NullKeyers final : public Keyers {
public:
    bool cwKeyingConfigured() const override { return false; }

    void FKeyCW(int keyCode) override;
    void FKeyPhone(int) override {}
    int UpDown1_UpClick() override { return ++m_speed; }
    int UpDown1_DownClick() override { return --m_speed; }
    void LoopThroughCWBuffer() override { m_cwBuffer.clear(); }
    QString& CwBuffer() override { return m_cwBuffer; }
    bool CwSending() const override { return false; }
    bool KeyboardCwMode() const override { return m_keyboardCwMode; }
    void setKeyboardCwMode(bool on) override { m_keyboardCwMode = on; }

    bool CwRepeat() const override { return m_cwRepeat; }
    void stopCwRepeat() override;
    bool VoiceRepeat() const override { return m_voiceRepeat; }
    void stopVoiceRepeat() override { m_voiceRepeat = false; }
    bool voicePlaying() const override { return false; }
    void stopVoice() override {}

    bool winKeyInUse() const override { return false; }
    bool winKeyBusy() const override { return false; }
    void winKeyClearBuffer() override {}
    void winKeyBackspace() override {}

private:
    QString m_cwBuffer;
    int m_speed = 13; // the CW window's default speed
    bool m_keyboardCwMode = false;
    bool m_cwRepeat = false;
    bool m_voiceRepeat = false;
};

} // namespace velm
