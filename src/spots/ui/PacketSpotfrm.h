#pragma once
// Responsibilities: the spotting window " DX Spotting Setup": the source list, the serial, Telnet and display
// settings, the buttons, the send field and the traffic box, all mirroring SpotConnection; its keys (Esc and
// Ctrl+C for the TNC's command mode, Enter to send) and activation go to the same logic.

#include <QList>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace velm {

class SpotConnection;

class PacketSpotfrm final : public QWidget {
    Q_OBJECT
public:
    PacketSpotfrm(SpotConnection& spots, QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;
    QList<QRadioButton*> optComm;                                      // ports 1 to 10
    QList<QRadioButton*> optBaud, optParity, optDataBits, optStopBits; // in the order of their values
    QRadioButton *optPowerNone = nullptr, *optPowerRTS = nullptr, *optPowerDTR = nullptr;
    QList<QRadioButton*> optHandshake; // Option1 ... Option4
    QLineEdit *txtHex = nullptr, *txtTelnetHost = nullptr, *txtTelnetPort = nullptr;
    QCheckBox *chkDX = nullptr, *chkConvToHex = nullptr;
    QRadioButton *OptList = nullptr, *OptBand = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *cmdDone = nullptr;
    QLabel *Label6 = nullptr, *Label4 = nullptr;
    QLineEdit* txtSent = nullptr;
    QPlainTextEdit* txtUnProcessed = nullptr;

    // Shows the window in front and lets it take the keyboard.
    void showInFront();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    QGroupBox* optionGroup(const QString& title, const QStringList& captions, const QString& namePrefix,
                           QList<QRadioButton*>& buttons, const std::function<void(int)>& clicked);
    QGroupBox* settingFields();
    QWidget* buttonsRow();
    void render();
    void queueTrafficSync();
    void syncTraffic();
    bool Form_KeyDown(QWidget* widget, int key, Qt::KeyboardModifiers modifiers);
    void Command3_Click();
    void cmdDone_Click();

    SpotConnection& m_spots;
    QList<QGroupBox*> m_serialGroups;
    QLabel* m_hexCaption = nullptr;
    bool m_rendering = false;
    bool m_trafficQueued = false;
    quint64 m_shownRewrite = ~quint64(0);
    qsizetype m_shownLength = 0;
};

} // namespace velm
