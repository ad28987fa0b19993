#pragma once
// Responsibilities: the CW, voice and WinKey ports for tests in one object: every flag settable by hand,
// every operation recorded in one list of calls with its argument ("FKeyCW 124", "stopCwRepeat", ...), so a
// test sees their order across the three; a speed counter for the arrow keys.

#include "log/CwSender.h"
#include "log/VoiceKeyer.h"
#include "log/WinKeyState.h"

#include <QStringList>

namespace velm::test {

class FakeKeyers final : public CwSender, public VoiceKeyer, public WinKeyState {
public:
    bool cwKeyingConfigured() const override { return configured; }

    void FKeyCW(int keyCode) override { calls << QStringLiteral("FKeyCW %1").arg(keyCode); }
    void FKeyPhone(int keyCode) override { calls << QStringLiteral("FKeyPhone %1").arg(keyCode); }
    int UpDown1_UpClick() override
    {
        calls << QStringLiteral("UpDown1_UpClick");
        return ++speed;
    }
    int UpDown1_DownClick() override
    {
        calls << QStringLiteral("UpDown1_DownClick");
        return --speed;
    }
    // Records the buffer as it was handed over; the buffer itself is left for the test to inspect.
    void LoopThroughCWBuffer() override { calls << QStringLiteral("LoopThroughCWBuffer ") + cwBuffer; }
    QString& CwBuffer() override { return cwBuffer; }
    bool CwSending() const override { return sending; }
    bool KeyboardCwMode() const override { return keyboardCwMode; }
    void setKeyboardCwMode(bool on) override
    {
        calls << QStringLiteral("setKeyboardCwMode %1").arg(on ? 1 : 0);
        keyboardCwMode = on;
    }

    bool CwRepeat() const override { return cwRepeat; }
    void stopCwRepeat() override
    {
        calls << QStringLiteral("stopCwRepeat");
        cwRepeat = false;
        cwBuffer.clear();
    }
    bool VoiceRepeat() const override { return voiceRepeat; }
    void stopVoiceRepeat() override
    {
        calls << QStringLiteral("stopVoiceRepeat");
        voiceRepeat = false;
    }
    bool voicePlaying() const override { return playing; }
    void stopVoice() override
    {
        calls << QStringLiteral("stopVoice");
        playing = false;
    }

    bool winKeyInUse() const override { return winKeyOpen; }
    bool winKeyBusy() const override { return winKeyBusyFlag; }
    void winKeyClearBuffer() override { calls << QStringLiteral("winKeyClearBuffer"); }
    void winKeyBackspace() override { calls << QStringLiteral("winKeyBackspace"); }

    bool configured = true;
    bool sending = false;
    bool keyboardCwMode = false;
    bool cwRepeat = false;
    bool voiceRepeat = false;
    bool playing = false;
    bool winKeyOpen = false;
    bool winKeyBusyFlag = false;
    int speed = 20;
    QString cwBuffer;
    QStringList calls;
};

} // namespace velm::test
