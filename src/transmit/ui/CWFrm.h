#pragma once
// Responsibilities: the CW window "CW String Selections": the eleven messages, keying method, port, parallel
// address, speed, word space, timing method and loop offset, the display box, the repeat; "&Test",
// "Configure Winkey" (WinKey only), "Done". Every edit goes to the transmit controller at once.

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velm {

class Prompts;
class SerialDeviceLabel;
class SerialPortCatalog;
class TransmitController;

class CWFrm final : public QDialog {
    Q_OBJECT
public:
    static const QString Title; // "CW String Selections"

    CWFrm(TransmitController& controller, Prompts& prompts, const SerialPortCatalog& catalog,
          QWidget* parent = nullptr);

    // How "Configure Winkey" runs the WinKey window; tests drive it without a nested event loop.
    void setWinKeyWindow(std::function<void()> open) { m_openWinKey = std::move(open); }
    // Shows the window in its normal state, raised.
    void showNormalRaised();

    // Message fields F1..F11: Text1..Text9, Text12, Text13.
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text12, *Text13;
    std::array<QLineEdit*, 11> messageFields{};
    QLineEdit *Text10, *Text11, *Text14, *txtSpace, *txtLoop, *txtCWLoop;
    QRadioButton *Option4, *Option1, *Option2, *Option3, *Option5; // None, RTS, DTR, Printer, WinKey
    QRadioButton *optTimer, *optLoop, *OptSleep;
    QCheckBox* Check1;
    QPushButton *cmdFaster, *cmdSlower, *cmdLess, *cmdMore, *cmdLoopFaster, *cmdLoopSlower, *cmdSerialPorts;
    QPushButton *Command4, *Command7, *cmdConfWinkey, *Command1;
    QLabel *lblSending, *lblLoopDelay;
    SerialDeviceLabel* lblDevice;

    void Command4_Click();
    void Command1_Click();

Q_SIGNALS:
    // "Done" saved and hid the window; main shows the CW strings window and gives the main window focus.
    void done();

private:
    QWidget* buildMessages();
    QWidget* buildKeying(const SerialPortCatalog& catalog);
    QWidget* buildTiming();
    void connectFields();
    void refresh();
    void showTimingControls();

    TransmitController& m_controller;
    Prompts& m_prompts;
    std::function<void()> m_openWinKey;
    bool m_refreshing = false;
};

} // namespace velm
