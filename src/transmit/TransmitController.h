#pragma once
// Responsibilities: CW sending as the rest of the program reaches it: the send buffer (CwBuffer) and its
// loop, the function-key messages with their macros, keyboard CW, the F1 repeat, the speed, and the CW
// window's settings and cw.txt; sends through the Morse engine on a key line or through the WinKey keyer.
// Implements the log's CwSender and WinKeyState ports and takes part in start-up and closing.

#include "log/CwSender.h"
#include "log/FileResult.h"
#include "log/StationLifecycle.h"
#include "log/WinKeyState.h"
#include "platform/Services.h"
#include "platform/StationServices.h"
#include "transmit/CwKeyingLine.h"
#include "transmit/CwSettings.h"
#include "transmit/MorseEngine.h"
#include "transmit/TransmitPorts.h"
#include "transmit/WinKeyKeyer.h"

#include <QObject>
#include <QTimer>

namespace velm {

class ContestSession;
class EntryRowPort;
class MorseClock;
class WinKeyLink;

struct TransmitContext {
    Services services;
    StationServices station;
    ContestSession& session; // the call and report for the macros, own call, folders
    MorseClock& clock;
    WinKeyLink& winKeyLink;
};

class TransmitController : public QObject, public CwSender, public WinKeyState, public StationLifecycle {
    Q_OBJECT
public:
    static inline const QString kKeyboardCwOnText = QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit.");

    explicit TransmitController(TransmitContext context, QObject* parent = nullptr);
    ~TransmitController() override;

    // Where "!" commits the contact being entered (the main window, once built).
    void setEntryRow(EntryRowPort* entryRow) { m_entryRow = entryRow; }

    // CwSender
    bool cwKeyingConfigured() const override { return m_settings.method != KeyingMethod::None; }
    void FKeyCW(int keyCode) override;
    int UpDown1_UpClick() override;
    int UpDown1_DownClick() override;
    void LoopThroughCWBuffer() override;
    QString& CwBuffer() override { return m_cwBuffer; }
    bool CwSending() const override { return m_sendDepth > 0; }
    bool KeyboardCwMode() const override { return m_keyboardCwMode; }
    void setKeyboardCwMode(bool on) override { m_keyboardCwMode = on; }
    bool CwRepeat() const override { return m_cwRepeat; }
    void stopCwRepeat() override;

    // WinKeyState
    bool winKeyInUse() const override;
    bool winKeyBusy() const override;
    void winKeyClearBuffer() override;
    void winKeyBackspace() override;

    // StationLifecycle: cw.txt and the per-user timing are read; with the WinKey method, WK.txt too.
    QString startUp() override;
    void shutdown() override;

    // Sends one character and returns when it has been keyed (for code practice).
    void Transmit(QChar c);
    // Hands CwBuffer to the WinKey keyer, opening it first when needed.
    void WKTransmit();
    // Measures the "Loop" offset; returns when done.
    void CalibrateLoop();

    // --- The CW window (CWFrm) ---
    const CwSettings& settings() const { return m_settings; }
    WinKeyKeyer& winKey() { return m_winKey; }
    SerialPortTable& serialPorts() { return m_line.serialPorts(); }
    MorseEngine& engine() { return m_engine; }
    // The one-holder rule of the transmit ports, which the voice keyer's PTT port joins.
    TransmitPorts& transmitPorts() { return m_ports; }
    void setMessage(int index, const QString& text);
    void setSpeedText(const QString& text);          // Text11 as it is typed
    QString leaveSpeedField(const QString& text);    // a non-number becomes "0"
    QString leavePortField(const QString& text);     // the rule, then CWSetup for RTS and DTR
    QString leaveWordSpaceField(const QString& text);
    QString stepWordSpace(int delta);                // "Less" / "More"
    void setParallelAddress(const QString& text);
    void setKeyingMethod(KeyingMethod method);
    void setTimingMethod(TimingMethod method);       // "Loop" with no offset calibrates
    void setLoopOffset(double offset);
    void cmdLoopFaster_Click();
    void cmdLoopSlower_Click();
    void setDisplayOnMainWindow(bool on);
    // txtCWLoop left: false when the text was refused (the field shows "0"; beep on a non-number).
    bool leaveRepeatField(const QString& text);
    // "&Test": the F9 message; refused with a message when no usable keying line is set.
    void Command4_Click();
    // "Done": cw.txt and the per-user timing saved. notice: what the operator should know on success (a
    // file that did not read was kept aside).
    FileResult Command1_Click(QString* notice);

    // --- The WinKey window's buttons ---
    void winKeyTest();                // "Test": "VVV TEST DE " and the own call
    void winKeyBufferTest();          // "Buffer Test": A to Z and a blank, three times
    void winKeyStop();                // "Stop": the keyer's buffer and CwBuffer cleared
    void winKeyTyped(QChar c);        // the typing field: printable characters only, upper-cased

Q_SIGNALS:
    // The main window's message line should show text (the "Display CW text" box).
    void messageLine(const QString& text);
    // A port could not be used: the CW window is shown so the operator can choose another.
    void setupWindowWanted();
    // The speed, loop offset or keying method changed from here (arrows, calibration).
    void settingsChanged();
    // Waiting loops look again (the engine moved on, sending ended or everything stopped).
    void progress();

private:
    struct SendScope;
    void handOver(QChar c);
    KeyLine* keyLineForSend();
    void sendProblem(const QString& text, const QString& details, const QString& title);
    void invalidPort(const QString& details);
    bool waitFor(bool (MorseEngine::*ready)() const);
    void waitMs(int ms);
    void winKeySend();
    void appendForWinKey(const QString& text);
    void repeatAfterKeyerIdle();
    void startRepeatTimer();
    void endedSend();
    void applySpeed(const QString& text);
    void stopEngine();
    int portNumber() const;

    TransmitContext m_context;
    EntryRowPort* m_entryRow = nullptr;
    TransmitPorts m_ports;
    CwKeyingLine m_line;
    MorseEngine m_engine;
    WinKeyKeyer m_winKey;
    CwSettings m_settings;
    QString m_cwBuffer;
    int m_sendDepth = 0;
    bool m_problemShown = false; // one message per send
    bool m_keyboardCwMode = false;
    bool m_cwRepeat = false;
    bool m_repeatWhenIdle = false;
    bool m_wkFeeding = false;
    bool m_stopping = false;
    QTimer m_tmrRepeat;
};

} // namespace velm
