#pragma once
// Responsibilities: what the log's keys need of the voice keyer (play a function-key message, the F1 repeat,
// playing, stop), and NullVoiceKeyer, which plays nothing.

namespace velm {

class VoiceKeyer {
public:
    virtual ~VoiceKeyer() = default;

    virtual void FKeyPhone(int keyCode) = 0; // plays the stored voice message of a function-key code
    virtual bool VoiceRepeat() const = 0;
    virtual void stopVoiceRepeat() = 0; // repeat off, repeat timer stopped
    virtual bool voicePlaying() const = 0;
    virtual void stopVoice() = 0;
};

class NullVoiceKeyer final : public VoiceKeyer {
public:
    void FKeyPhone(int) override {}
    bool VoiceRepeat() const override { return false; }
    void stopVoiceRepeat() override {}
    bool voicePlaying() const override { return false; }
    void stopVoice() override {}
};

} // namespace velm
