#pragma once
// Responsibilities: the voice keyer: F1 to F9 in phone play their wave file while the transmitter is keyed
// (RTS or DTR of the PTT serial port, or the parallel port), the F1 repeat, the playback watcher, the PTT
// port under the one-holder rule of the transmit ports, and the voice keyer window's settings and
// wave2.txt. Implements the log's VoiceKeyer port and takes part in start-up and closing.

#include "log/FileResult.h"
#include "log/StationLifecycle.h"
#include "log/VoiceKeyer.h"
#include "platform/KeyLine.h"
#include "platform/Services.h"
#include "platform/StationServices.h"
#include "transmit/TransmitPorts.h"
#include "transmit/WaveSettings.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

namespace velm {

class ContestSession;
class SerialLine;
class SerialPortTable;
class WavePlayer;

struct PhoneKeyerContext {
    Services services;
    StationServices station;
    ContestSession& session; // the current mode and the program folder
    TransmitPorts& ports;    // shared with CW keying and WinKey
    WavePlayer& player;
};

class PhoneKeyer : public QObject, public VoiceKeyer, public StationLifecycle {
    Q_OBJECT
public:
    static inline const QString kInvalidPortTitle = QStringLiteral("Invalid port.");
    static inline const QString kInvalidPortText = QStringLiteral(
        "The port you have selected for Phone keying is invalid.  Please select another or enter 0 for none.");
    static constexpr int kWatcherMs = 40;
    // A play that outlasts its file by this much has lost its output: the transmitter is released.
    static constexpr int kOverrunMs = 2000;

    explicit PhoneKeyer(PhoneKeyerContext context, QObject* parent = nullptr);
    ~PhoneKeyer() override;

    // VoiceKeyer
    void FKeyPhone(int keyCode) override;
    bool VoiceRepeat() const override { return m_voiceRepeat; }
    void stopVoiceRepeat() override;
    bool voicePlaying() const override { return m_playing; }
    void stopVoice() override;

    // StationLifecycle: wave2.txt (a missing file leaves the defaults).
    QString startUp() override;
    void shutdown() override;

    // The transmitter is keyed by this keyer (a prompt played now would go on the air).
    bool transmitting() const { return !m_keyed.empty(); }
    // Opens the PTT port of the port field (port > 0) with both lines released, after the other transmit
    // paths closed theirs. False after telling the operator ("Invalid port.").
    bool OpenPttPort();
    bool pttPortOpen() const;

    // --- The voice keyer window (PhoneFrm) ---
    const VoiceKeyerSettings& settings() const { return m_settings; }
    SerialPortTable& serialPorts();
    // False (nothing changes) for a path wave2.txt cannot hold.
    bool setMessageFile(int index, const QString& path);
    // Text10 left: a non-number becomes "0"; the old port is released and closed, the new one opened.
    QString leavePortField(const QString& text);
    void setPttLine(PttLine line);
    // txtPHLoop left: false when refused (the field shows "0", beep).
    bool leaveRepeatField(const QString& text);
    // Text11 edited: the text after the field's rule.
    QString setParallelAddress(const QString& text);
    // "Test": F1; true when the repeat is now on (the window shows "Stop").
    bool Command11_Click();
    // "Stop": the repeat ends.
    void Command12_Click() { stopVoiceRepeat(); }
    // "Done": wave2.txt saved. notice: what the operator should know on success.
    FileResult Command1_Click(QString* notice);

Q_SIGNALS:
    // The PTT port could not be used: the voice keyer window is shown.
    void setupWindowWanted();
    // Settings changed from here (start-up, a field rule): the window refreshes.
    void settingsChanged();
    // A play started or ended, the repeat switched.
    void stateChanged();

private:
    bool keyPtt();
    void releasePtt();
    void playEnded();
    void watch();
    void closePttPort();
    void invalidPort(const QString& details);
    bool phoneMode() const;

    PhoneKeyerContext m_context;
    VoiceKeyerSettings m_settings;
    std::unique_ptr<SerialLine> m_serial;
    std::unique_ptr<SerialKeyLine> m_rts, m_dtr;
    std::unique_ptr<ParallelKeyLine> m_parallel;
    std::vector<KeyLine*> m_keyed; // exactly the lines this keyer keyed, released at the end
    bool m_playing = false;
    bool m_voiceRepeat = false;
    bool m_stopping = false;
    QTimer Timer1;
    QTimer tmrRepeat;
    QTimer m_overrun;
};

} // namespace velm
