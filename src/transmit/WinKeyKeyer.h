#pragma once
// Responsibilities: the WinKey window's logic: its settings and WK.txt, opening (with the connection
// message and the status texts), closing, sending the settings by the field rules, the speed from the CW
// window, and what the window shows (status, version).

#include "log/FileResult.h"
#include "transmit/TransmitPorts.h"
#include "transmit/WinKeySettings.h"

#include <QObject>
#include <memory>

namespace velm {

class Prompts;
class WinKeyLink;

class WinKeyKeyer : public QObject {
    Q_OBJECT
public:
    WinKeyKeyer(WinKeyLink& link, Prompts& prompts, TransmitPorts& ports, QObject* parent = nullptr);

    WinKeyLink& link() { return m_link; }
    const WinKeySettings& settings() const { return m_settings; }
    QString statusText() const { return m_statusText; } // lblOpenStatus's value
    QString versionText() const;                          // lblVersion: "Version #" or "Version # 23"
    quint8 WinKeyOpen() const { return m_version; }       // the keyer's version while open, 0 closed

    // Loading, when the WinKey method is first chosen or read from cw.txt: pin 6 and mode 0, then WK.txt of
    // the user data folder when it is there, then the CW window's speed over line 2. Once per run.
    void load(const QString& userDataFolder, const QString& cwSpeedText);
    bool loaded() const { return m_loaded; }
    // "&Done": WK.txt rewritten (a file that failed to read is kept as WK.txt.unread first).
    FileResult save(QString* keptAs);
    QString filePath() const;

    void OpenWinKey();
    void CloseWinKey();
    void ApplyWinKeySettings();

    // Field rules on leaving a field; each returns the text the field shows afterwards.
    QString leaveSpeed(const QString& text);
    QString leaveWeight(const QString& text);
    QString leaveRatio(const QString& text);
    QString leaveLeadIn(const QString& text);
    QString leaveTail(const QString& text);
    QString leavePort(const QString& text);
    // Options: the byte is stored and, with the keyer open, every setting is sent again.
    void setPinConfiguration(quint8 configuration);
    void setKeyerMode(quint8 mode);
    // The CW window's speed changed: 5 to 99 reach an open keyer.
    void cwSpeedChanged(int wordsPerMinute);

    // The link closed by itself (lost): status "Closed", version 0.
    void linkLost();

Q_SIGNALS:
    void changed();          // status, version or a setting changed
    void doneFocusWanted();  // the window moves the focus to "&Done" when it is visible

private:
    void setStatusOfCode(int code);
    void closedState();

    WinKeyLink& m_link;
    Prompts& m_prompts;
    TransmitPorts& m_ports;
    WinKeySettings m_settings;
    QString m_statusText = kWinKeyClosedText;
    quint8 m_version = 0;
    bool m_loaded = false;
    std::unique_ptr<WinKeyFile> m_file;
};

} // namespace velm
