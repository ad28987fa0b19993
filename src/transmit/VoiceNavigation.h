#pragma once
// Responsibilities: the spoken prompts for blind operators: BlindKeyPhone plays "<name>.wav" of the program
// folder on its own player, cutting off the prompt before; the bounded wait for a prompt to finish; the
// voice navigation window's options, their spoken confirmations and the stored level. Implements the log's
// VoicePrompts port.

#include "log/FileResult.h"
#include "log/VoicePrompts.h"

#include <QElapsedTimer>
#include <QObject>
#include <functional>

namespace velm {

class ContestSession;
class WavePlayer;

enum class VoiceNavLevel : quint8 { Off = 0, CallOnly = 1, AllDataFields = 2 };

struct VoiceNavigationContext {
    ContestSession& session; // the program folder and the stored level
    WavePlayer& player;
    // True while a prompt would go on the air (the voice keyer has the transmitter keyed on the same
    // sound output): no prompt is played then.
    std::function<bool()> promptWouldTransmit;
};

class VoiceNavigation : public QObject, public VoicePrompts {
    Q_OBJECT
public:
    // A prompt may be reported playing this long after its length before the wait gives up on it.
    static constexpr int kWaitMarginMs = 1000;

    explicit VoiceNavigation(VoiceNavigationContext context, QObject* parent = nullptr);

    // VoicePrompts. A missing or unplayable prompt is passed over silently.
    void BlindKeyPhone(const QString& prompt) override;
    bool promptPlaying() const override;
    void waitForPrompt() override;

    // --- The voice navigation window (BlindFrm) ---
    // The option that opening the window selects: the stored level, a value above 2 as "All Data Fields".
    VoiceNavLevel levelToSelect() const;
    // An option chosen (or selected on opening): "NavDis" for Off, "NavEn" for the others and, for
    // "Call Only", "Call" once "NavEn" has finished.
    void optionChosen(VoiceNavLevel level);
    // "Done": the level stored and the preferences saved; the program folder is the working folder again.
    FileResult Command1_Click(VoiceNavLevel level);
    QString programFolder() const;

private:
    VoiceNavigationContext m_context;
    QElapsedTimer m_started;
    qint64 m_lengthMs = 0; // of the prompt last started; 0 when none started
};

} // namespace velm
