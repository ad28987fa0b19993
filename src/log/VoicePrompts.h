#pragma once
// Responsibilities: the spoken prompts for blind operators ("Call", "Dupe", ...), as the main window reaches
// them. The voice-navigation subsystem implements it; NullVoicePrompts stands in until then.

#include <QString>

namespace velm {

class VoicePrompts {
public:
    virtual ~VoicePrompts() = default;
    // Starts playing the named prompt; returns at once.
    virtual void BlindKeyPhone(const QString& prompt) = 0;
    virtual bool promptPlaying() const = 0;
    // Returns once the prompt just started has finished, painting meanwhile but taking no input: at most
    // the prompt's length and a second, at once when none started.
    virtual void waitForPrompt() = 0;
};

class NullVoicePrompts final : public VoicePrompts {
public:
    void BlindKeyPhone(const QString&) override {}
    bool promptPlaying() const override { return false; }
    void waitForPrompt() override {}
};

} // namespace velm
