#pragma once
// Responsibilities: the spotting window's logic: its settings and PackSpot.txt, the one spot source open at a
// time (TNC on a serial line, Telnet cluster, AGW Packet Engine), what the operator sends, the 333 ms poll,
// the traffic box, and every spot received handed to the spot store (DispatchSpot) with the own-call notice.
// main builds one; PacketSpotfrm shows it; closing the program stops it (StationLifecycle).

#include "log/FileResult.h"
#include "log/StationLifecycle.h"
#include "platform/Services.h"
#include "platform/StationServices.h"
#include "spots/SpotPaths.h"
#include "spots/SpotSettings.h"
#include "spots/TrafficBox.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace velm {

class AgwEngine;
class ContestSession;
class SerialLine;
class SpotStore;
class TcpClient;
enum class SerialError;

// Which setting controls the chosen source uses (the others are disabled).
struct SpotControls {
    bool serial = false;      // port, baud, parity, data, stop, power and handshaking options
    bool commandHex = false;  // txtHex
    bool telnet = false;      // txtTelnetHost, txtTelnetPort
    bool portButtons = false; // "Open Port", "Close Port"
    friend bool operator==(const SpotControls&, const SpotControls&) = default;
};

// "&Spot Last": the send field's text and the part to select (typing the frequency replaces it).
struct SpotLastText {
    QString text;
    int selectionStart = 0, selectionLength = 0;
};

class SpotConnection : public QObject, public StationLifecycle {
    Q_OBJECT
public:
    static constexpr int kPollIntervalMs = 333;
    static constexpr int kFramesPerTick = 50; // a busy channel is read as fast as it is heard
    static constexpr float kRedrawTicks = 360;
    static constexpr qsizetype kWrapLength = 70;
    static constexpr qint64 kReadChunk = 64 * 1024;
    // Settings-store keys of the AGW engine's address (default 127.0.0.1:8000).
    static inline const QString kAgwHostKey = QStringLiteral("AgwHost");
    static inline const QString kAgwPortKey = QStringLiteral("AgwPort");

    SpotConnection(Services services, StationServices station, AgwEngine& agw, ContestSession& session,
                   SpotStore& store, QObject* parent = nullptr);
    ~SpotConnection() override;

    // --- What the window shows ---
    const SpotSettings& settings() const { return m_settings; }
    const TrafficBox& traffic() const { return m_traffic; }
    bool isOpen() const { return m_open; } // Label4 "Listening" shown
    bool polling() const { return Timer1.isActive(); }
    bool loading() const { return m_loading; }
    bool loaded() const { return m_loaded; }
    const QString& connectedCall() const { return m_connectedCall; }
    const QString& caption() const { return m_caption; }
    QString sendCaption() const;
    SpotControls enabledControls() const { return m_controls; }
    float LabelUpdateTimeCounter() const { return m_labelUpdateTimeCounter; }
    QString settingsPath() const { return m_file.path(); }

    // --- The window's operations ---
    // On creation: the settings from PackSpot.txt (none: the design state), then the saved source opened.
    void LoadSpotSettings();
    FileResult SaveSpotSettings();
    void OpenSpotSource();
    void CloseSpotSource();
    // A source chosen in the list.
    void List1_Click(const QString& source);
    // The option groups: a click closes the source, except while the settings are being loaded.
    void setBaud(const QString& baud);
    void setParity(const QString& parity);
    void setDataBits(const QString& bits);
    void setStopBits(const QString& bits);
    void setPort(int port);
    void setPower(const QString& power);
    void setHandshake(int handshake);
    void setCommandHex(const QString& hex) { m_settings.commandHex = hex; }
    void setTelnetHost(const QString& host) { m_settings.telnetHost = host; }
    void setTelnetPort(const QString& port) { m_settings.telnetPort = port; }
    void setDxOnly(bool on);
    void setListDisplay(bool list);
    void setConvertToHex(bool on) { m_settings.convertToHex = on ? 1 : 0; }
    // "&Spot Last".
    SpotLastText Command3_Click() const;
    // "&Done": opens a chosen source that is not open, saves the preferences and PackSpot.txt (a failure is
    // shown), asks for the main window's spot area; the window then hides.
    void cmdDone_Click();
    // The window was activated.
    void Form_Activate();
    // Esc or Ctrl+C on the window: true when the key went to the TNC as its command character.
    bool commandModeKey();
    // Enter in the send field; the field is cleared afterwards.
    void txtSent_Enter(const QString& text);
    // The send field changed: true when it was sent (AGW word-wrap past 70 characters) and is to be cleared.
    bool txtSent_Change(const QString& text);
    // Each Timer1 tick.
    void PollSpotSource();
    void DispatchSpot(const SpotFields& fields, const QString& line);

    // --- StationLifecycle: nothing to start; closing the program unloads the window's links ---
    QString startUp() override { return {}; }
    void shutdown() override;

    QTimer Timer1;

Q_SIGNALS:
    // Settings, state, enabled controls or caption changed.
    void changed();
    void trafficChanged();
    // The window is to be shown (an open failed) or its send field focused (a source opened).
    void windowWanted();
    void sendFieldWanted();
    // "&Done": the main window lays out its spot area for the chosen display.
    void PacketResize();
    // No spot for 360 ticks: the band map is redrawn so that ages show.
    void bandMapRedrawDue();
    // The station's own call was spotted (the line after "DX ").
    void ownCallSpotted(const QString& record);

private:
    void closeLinks();
    void setOpen(bool open);
    void setCaption(const QString& caption);
    void refreshControls();
    void option(const std::function<void()>& change);
    void notifyTraffic() { Q_EMIT trafficChanged(); }
    QString ownCall() const;
    // The transports (SpotTransports.cpp).
    void openTnc();
    void readTnc();
    void tncFailed(SerialError error, const QString& reason);
    void connectTelnet();
    void readTelnet();
    void telnetFailed(int errorNumber, const QString& reason);
    void sendTelnet(const QString& text);
    void openAgw();
    void sendAgw(const QString& text);
    void pollAgw();
    void agwLost(const QString& reason);

    Services m_services;
    StationServices m_station;
    AgwEngine& m_agw;
    ContestSession& m_session;
    SpotStore& m_store;
    std::unique_ptr<SerialLine> m_serial;
    std::unique_ptr<TcpClient> m_tcp;
    SpotSettingsFile m_file;
    SpotSettings m_settings;
    TrafficBox m_traffic;
    SpotPaths m_paths;
    SpotControls m_controls;
    QString m_connectedCall;
    QString m_caption;
    float m_labelUpdateTimeCounter = 0;
    bool m_open = false;
    bool m_loading = false;
    bool m_loaded = false;
    bool m_telnetReadQueued = false;
};

} // namespace velm
