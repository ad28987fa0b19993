#pragma once
// Responsibilities: the tune window " Change Frequency and Mode (Ctrl G (Go))": a typed frequency, the band
// and step buttons, the mode buttons and the scan between two frequencies, each turned into a frequency or
// mode change of the Rig.

#include <QDialog>
#include <QList>
#include <QTimer>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velm {

class Rig;

class frmRigTune final : public QDialog {
    Q_OBJECT
public:
    static const QString Title;
    static constexpr int kScanIntervalMs = 299;

    explicit frmRigTune(Rig& rig, QWidget* parent = nullptr);

    QLineEdit* txtFreq = nullptr;
    QPushButton* Command1 = nullptr; // "&Go"
    QList<QPushButton*> cmdBand;     // 0 ... 15
    QList<QPushButton*> cmdTune;     // 0 ... 9: even up, odd down
    QPushButton *cmdCW = nullptr, *cmdUSB = nullptr, *cmdLSB = nullptr, *cmdAM = nullptr, *cmdFM = nullptr,
                *cmdRTTY = nullptr;
    QCheckBox* chkScan = nullptr;
    QLineEdit* txtFrom = nullptr;
    QLineEdit* txtTo = nullptr;
    QGroupBox* Frame1 = nullptr;
    QList<QRadioButton*> Option; // Option1 ... Option5
    QTimer Timer1;
    QPushButton* cmdDone = nullptr;

    void Command1_Click();
    void cmdBand_Click(int index);
    void cmdTune_Click(int index);
    void modeClicked(const QString& mode);
    void chkScan_Click();
    void Timer1_Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildBands();
    QWidget* buildSteps();
    QWidget* buildModes();
    QWidget* buildScan();
    void txtFreq_Change();

    Rig& m_rig;
};

} // namespace velm
