#pragma once
// Responsibilities: the voice keyer window "Phone Wave Selections": the F1 to F9 wave files with their
// "Browse" buttons, the PTT port and line, the parallel address, the F1 repeat; "Test", "Stop", "Done".
// Every edit goes to the voice keyer at once.

#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velm {

class PhoneKeyer;
class Prompts;
class SerialDeviceLabel;
class SerialPortCatalog;

class PhoneFrm final : public QDialog {
    Q_OBJECT
public:
    static const QString Title; // "Phone Wave Selections"

    PhoneFrm(PhoneKeyer& keyer, Prompts& prompts, const SerialPortCatalog& catalog, QWidget* parent = nullptr);

    // Shows the window in its normal state, raised.
    void showNormalRaised();

    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9;
    std::array<QLineEdit*, 9> fileFields{};
    QPushButton *Command2, *Command3, *Command4, *Command5, *Command6, *Command7, *Command8, *Command9,
        *Command10;
    std::array<QPushButton*, 9> browseButtons{};
    QLineEdit *Text10, *Text11, *txtPHLoop;
    QRadioButton *Option1, *Option2, *Option3; // RTS, DTR, Parallel
    QPushButton *cmdSerialPorts, *Command11, *Command12, *Command1;
    SerialDeviceLabel* lblDevice;

    void browse(int index);
    void Command11_Click();
    void Command12_Click();
    void Command1_Click();

Q_SIGNALS:
    // "Done" saved and hid the window.
    void done();

private:
    QWidget* buildFiles();
    QWidget* buildPtt(const SerialPortCatalog& catalog);
    void connectFields();
    void refresh();

    PhoneKeyer& m_keyer;
    Prompts& m_prompts;
    bool m_refreshing = false;
};

} // namespace velm
