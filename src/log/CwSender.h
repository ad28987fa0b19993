#pragma once
// Responsibilities: what the log and its keys need of the CW keyer (send a function-key message, the buffer
// being sent, speed, keyboard CW, the F1 repeat), and NullCwSender, which sends nothing.

#include <QString>

namespace velm {

class CwSender {
public:
    virtual ~CwSender() = default;

    virtual bool cwKeyingConfigured() const = 0; // a CW keying method is set

    virtual void FKeyCW(int keyCode) = 0;   // sends the stored CW message of a function-key code
    virtual int UpDown1_UpClick() = 0;      // one step faster; returns the new speed (WPM)
    virtual int UpDown1_DownClick() = 0;    // one step slower; returns the new speed (WPM)
    virtual void LoopThroughCWBuffer() = 0; // starts sending CwBuffer
    virtual QString& CwBuffer() = 0;        // text waiting to be sent; emptying it stops sending
    virtual bool CwSending() const = 0;     // LoopThroughCWBuffer is emptying the buffer
    virtual bool KeyboardCwMode() const = 0;
    virtual void setKeyboardCwMode(bool on) = 0;

    virtual bool CwRepeat() const = 0;
    // Repeat off, WinKey's buffer cleared when WinKey is in use, CwBuffer emptied, repeat timer stopped.
    virtual void stopCwRepeat() = 0;
};

// No keying method: sending anything empties the buffer as the real keyer does with no method set, and the
// flags live only in memory.
class NullCwSender final : public CwSender {
public:
    bool cwKeyingConfigured() const override { return false; }
    // A function key always abandons what is waiting; with no keying method nothing new is queued.
    void FKeyCW(int) override { m_cwBuffer.clear(); }
    int UpDown1_UpClick() override { return ++m_speed; }
    int UpDown1_DownClick() override { return --m_speed; }
    void LoopThroughCWBuffer() override { m_cwBuffer.clear(); }
    QString& CwBuffer() override { return m_cwBuffer; }
    bool CwSending() const override { return false; }
    bool KeyboardCwMode() const override { return m_keyboardCwMode; }
    void setKeyboardCwMode(bool on) override { m_keyboardCwMode = on; }
    bool CwRepeat() const override { return m_cwRepeat; }
    void stopCwRepeat() override
    {
        m_cwRepeat = false;
        m_cwBuffer.clear();
    }

private:
    QString m_cwBuffer;
    int m_speed = 13; // the CW window's default speed
    bool m_keyboardCwMode = false;
    bool m_cwRepeat = false;
};

} // namespace velm
