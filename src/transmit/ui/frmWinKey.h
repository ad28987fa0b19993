#pragma once
// Responsibilities: the " WinKey Setup" window: the keyer's port, speed, weight, lead-in, tail and ratio
// with their field rules, the pin configuration and keyer mode, Open and Close with the status and version,
// the test buttons and the typing field, "&Done" saving WK.txt.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velm {

class Prompts;
class SerialDeviceLabel;
class SerialPortCatalog;
class TransmitController;
class WinKeyKeyer;

class frmWinKey final : public QDialog {
    Q_OBJECT
public:
    static const QString Title; // " WinKey Setup"

    frmWinKey(TransmitController& controller, Prompts& prompts, const SerialPortCatalog& catalog,
              QWidget* parent = nullptr);

    QLineEdit *txtWKComPort, *txtWKWPM, *txtWeight, *txtLeadIn, *txtTail, *txtRatio, *Text1;
    QRadioButton *optKey5Out3Off, *optKey5Off3Out, *optTone, *optPTT;
    QRadioButton *optIambicB, *optIambicA, *optUltimatic, *optBug;
    QPushButton *cmdOpenWinkey, *cmdCloseWinkey, *Command3, *Command1, *cmdStop, *cmdDefaults, *cmdDone,
        *cmdSerialPorts;
    QLabel *lblOpenStatus, *lblVersion;
    SerialDeviceLabel* lblDevice;

    void cmdDone_Click();
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildFields(const SerialPortCatalog& catalog);
    QWidget* buildOptions();

    TransmitController& m_controller;
    WinKeyKeyer& m_keyer;
    Prompts& m_prompts;
};

} // namespace velm
