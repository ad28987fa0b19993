#pragma once
// Responsibilities: the rig link as one object: its settings and the window's choices, the port it owns
// (serial line, rigctld connection or the Pegasus files), the polling timer and cycle, the hand-over of
// frequency and mode to the contest session, and one failure signal. The rig window shows it; the log reaches
// it as RigPort; start-up and closing reach it as a StationLifecycle.

#include "log/RigPort.h"
#include "log/StationLifecycle.h"
#include "platform/Services.h"
#include "platform/StationServices.h"
#include "rig/RigChoices.h"
#include "rig/RigPoller.h"
#include "rig/RigSettings.h"
#include "rig/RigTypes.h"
#include "rig/RigWaits.h"
#include "views/BandPlanFile.h"

#include <QFlags>
#include <QObject>
#include <QTimer>

#include <memory>

namespace velm {

class ContestSession;
class SerialLine;
class TcpClient;
enum class SerialError;

// What changed, for the window.
enum class RigChange {
    Settings = 0x01, // the type, the query strings, the choices
    Readouts = 0x02, // frequency, mode, unprocessed data
    Polling = 0x04,  // polling started or ended
};
Q_DECLARE_FLAGS(RigChanges, RigChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(RigChanges)

struct RigFailure {
    enum class Kind {
        OpenFailed, // the port or rigctld could not be opened: the "Invalid Comm Settings." box
        PortLost,   // the open port failed or vanished: one line on the main window's message line
    };
    Kind kind = Kind::OpenFailed;
    QString text;    // what the operator is shown
    QString details; // OpenFailed: which device and why
};

// The three read-outs of the rig window.
struct RigReadouts {
    QString frequency, mode, unprocessed;
    friend bool operator==(const RigReadouts&, const RigReadouts&) = default;
};

class Rig : public QObject, public RigPort, public StationLifecycle {
    Q_OBJECT
public:
    static const QString InvalidCommText;  // "The comm port that you selected ... rig selection."
    static const QString InvalidCommTitle; // "Invalid Comm Settings."
    static const QString NoResponse;       // "No Response"
    static const QString ChangeFrequencyTitle; // "Error Changing Frequency"
    static const QString ChangeModeTitle;      // "Error Changing Mode"
    static constexpr int kDrainWaitMs = 2000;
    static constexpr int kModeDelayMs = 99;
    static constexpr int kRigctldAnswerMs = 1000;
    static constexpr int kDrainBeforeCloseMs = 500;
    static constexpr qint64 kMaxReadBytes = 64 * 1024;
    static constexpr int kMaxUnprocessedChars = 1000;

    Rig(ContestSession& session, Services services, StationServices station, QObject* parent = nullptr);
    ~Rig() override;

    // --- RigPort ---
    QString RigType() const override;
    // Only while polling: polling pauses, the band plan's mode for the frequency is set, then the frequency;
    // events run during the waits between the commands. A failure shows "Error Changing Frequency" and
    // leaves polling stopped until the next "Test". An "End Test", another type or a closed port during a
    // wait ends the change quietly.
    void ChangeFrequency(float megahertz) override;

    // --- StationLifecycle ---
    // A rig type other than "None" in the preferences starts the link (settings from RigCntrl.txt). An open
    // that fails is told through failure(), not as a start-up failure.
    QString startUp() override;
    // The port closes (the Yaesu close command first, the output drained) and polling ends.
    void shutdown() override;

    // --- The rig window's operations ---
    // Reads RigCntrl.txt the first time it is called (the window's creation, or start-up); later calls do
    // nothing.
    void LoadRigSettings();
    FileResult SaveRigSettings();
    void ApplyRigPreset(const QString& rigType);
    void StartTest();
    void EndTest();
    bool OpenRigPort();
    void StartPolling();
    // "&Done": "Test" unless the type is "None", the type saved with the preferences, then RigCntrl.txt.
    FileResult Done();
    void PollTick();

    // Sets the radio's mode: the given one, or when empty the band plan's for the frequency. Nothing for
    // "None", a mode the type has no command for, or an empty mode off the plan. A failure shows "Error
    // Changing Mode"; the caller goes on.
    void ChangeMode(float megahertz, const QString& mode);
    // The mode the band plan gives a frequency: "CW", "LSB", "USB", or empty (off the plan, on 160 m).
    QString BandPlanMode(float megahertz) const;
    const QList<BandPlanRow>& bandPlanTable() const { return m_bandPlanTable; }
    // The test window's command, written to the rig port as it is (a line for rigctld); false when the port
    // is not open or the write failed.
    bool sendCommand(const QByteArray& bytes);
    // The waits of a change run here; tests put a fake clock in (the Rig does not own it).
    void setWaits(RigWaits& waits) { m_waits = &waits; }
    bool changing() const { return m_changing > 0; }

    // Operator choices: an option click ends the test first.
    void chooseOption(RigOption group, int index);
    void setFrequencyQuery(const QString& text);
    void setModeQuery(const QString& text);
    void queryBoxFocused() { EndTest(); }
    void setConvertToHex(bool on);
    void setConvertFromHex(bool on);
    void setUseFrequency(bool on);
    void setModeBy(ModeBy modeBy);
    QString rigctldAddress() const;
    // Stores the address per user and ends the test (the next "Test" connects there).
    void setRigctldAddress(const QString& address);

    const RigSettings& settings() const { return m_settings; }
    const RigChoices& choices() const { return m_choices; }
    const RigPoller& poller() const { return m_poller; }
    const RigReadouts& readouts() const { return m_readouts; }
    bool polling() const { return m_tmrGetData.isActive(); }
    int pollInterval() const { return m_tmrGetData.interval(); }
    bool linkOpen() const;
    // What the link is: the device of the port, rigctld's address, or the Pegasus folder.
    QString linkName() const;
    SerialPortTable& serialPorts() { return m_station.serialPorts; }
    const SerialPortCatalog& serialCatalog() const { return m_station.serialCatalog; }
    QString pegasusFolder() const;

    // The unprocessed-data read-out of bytes: as hex pairs, or as text with every control byte written
    // "<0D>"; at most kMaxUnprocessedChars characters.
    static QString unprocessedText(QByteArrayView bytes, bool asHex);
    // The poll timer's interval for a PollRate letter: "F" 50 ms, "M" 250, "S" 1000, "R" 5000.
    static int pollIntervalMs(const QString& pollRate);

Q_SIGNALS:
    void changed(velm::RigChanges what);
    void failure(const velm::RigFailure& failure);

protected:
    // The per-family steps of the link. Every public call above runs through these; none throws or blocks
    // longer than the drain before a close.
    virtual bool openLink(QString& why);
    virtual void closeLink();
    // Bytes the send tick may write now (the output queue empty, rigctld answered).
    virtual bool readyToSend() const;
    virtual void sendRequest(const QByteArray& bytes);
    virtual QByteArray receiveReply();

private:
    void ensureLoaded();
    void loadBandPlanTable();
    bool openSerial(QString& why);
    bool openRigctld(QString& why);
    void sendTick();
    void readTick();
    void setReadouts(const RigReadouts& readouts);
    void lineFailed(SerialError error, const QString& reason);
    void rigctldFailed(int errorNumber, const QString& reason);
    void dropIdleInput();
    void portLost(const QString& name, const QString& reason);

    // What a change started on; after every wait it goes on only while this still holds.
    struct ChangeStart {
        quint64 generation;
        QString rigType;
    };
    ChangeStart changeStart() const { return {m_pollGeneration, m_settings.RigType}; }
    bool stillCurrent(const ChangeStart& start) const;
    bool changeFrequencySteps(float megahertz, const ChangeStart& start);
    // false when the change ended because the link changed.
    bool changeModeSteps(float megahertz, const QString& mode, const ChangeStart& start);
    void waitForOutputDrain();
    void discardInput();
    // The bytes or the rigctld line to the link; empty, or why it failed.
    QString sendChange(const QByteArray& bytes);
    QString writePegasusIn(float megahertz);
    bool awaitRigctldReports(int count);
    void pausePolling();
    void frequencyFailed(const QString& why);

    ContestSession& m_session;
    Services m_services;
    StationServices m_station;
    RigSettingsFile m_file;
    RigSettings m_settings;
    RigChoices m_choices;
    RigPoller m_poller;
    RigReadouts m_readouts;
    QTimer m_tmrGetData;
    std::unique_ptr<SerialLine> m_line;
    std::unique_ptr<TcpClient> m_rigctld;
    QString m_rigctldName;    // the address connected to, for the messages
    bool m_rigctldUp = false; // connected (not only connecting)
    QByteArray m_closeBytes;  // what the open port gets before it closes (the Yaesu close command)
    bool m_loaded = false;
    bool m_inTick = false;
    EventLoopWaits m_eventLoopWaits;
    RigWaits* m_waits = &m_eventLoopWaits;
    QList<BandPlanRow> m_bandPlanTable; // the Extra-class rows of BandPlan.txt
    quint64 m_pollGeneration = 0;       // counts every start and end of polling
    int m_changing = 0;                 // changes in progress (nested through the waits' events)
};

} // namespace velm
