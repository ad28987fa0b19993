#pragma once
// Responsibilities: the rig window " Rig Interface Setup": the rig list, the seven option groups, the two
// query strings, the check boxes, "Mode by:", the buttons and read-outs, all showing the Rig and turning
// clicks into its operations.

#include "rig/Rig.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace velm {

class Prompts;

class RigControlfrm final : public QDialog {
    Q_OBJECT
public:
    static const QString Title; // " Rig Interface Setup"
    static const QString IcomNoteText;
    static const QString NotPollingText;

    RigControlfrm(Rig& rig, Prompts& prompts, QWidget* parent = nullptr);

    // The controls, named as the rest of the program and the tests know them.
    QListWidget* lstRig = nullptr;
    QList<QRadioButton*> optBaud, optParity, optDataBits, optStopBits, optPort, optPower, optPollRate;
    QList<QRadioButton*> optModeBy;      // "Rig", "Frequency", "Don't Use"
    QLineEdit* txtFreq = nullptr;        // "String to read frequency:"
    QLineEdit* txtMode = nullptr;        // "String to read mode:"
    QLineEdit* txtDevice = nullptr;      // the device of the chosen port
    QLineEdit* txtRigctld = nullptr;     // rigctld's host:port
    QCheckBox* chkConvert = nullptr;     // "Convert to Hex"
    QCheckBox* chkConvertFrom = nullptr; // "Convert from Hex"
    QCheckBox* chkUseFrequency = nullptr;
    QPushButton* cmdTest = nullptr;
    QPushButton* cmdEndTest = nullptr;
    QPushButton* cmdChangeFrequency = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdDone = nullptr;
    QPushButton* cmdSerialPorts = nullptr;
    QLabel* lblFrequency = nullptr;
    QLabel* lblMode = nullptr;
    QLabel* lblUnprocessed = nullptr;
    QLabel* lblPolling = nullptr;
    QLabel* lblIcomNote = nullptr;

    QList<QRadioButton*>& options(RigOption group);

    void cmdDone_Click();
    void cmdChangeFrequency_Click();
    void cmdCopy_Click();

Q_SIGNALS:
    // "Change Frequency" while polling: the frequency test window.
    void frequencyTestRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* optionGroup(RigOption group, int columns);
    QWidget* buildQueries();
    QWidget* buildChecksAndModeBy();
    QWidget* buildButtonsAndReadouts();
    void rigChanged(RigChanges what);
    void showSettings();
    void showReadouts();
    void showPolling();
    void showDevice();
    int selectedPort() const;

    Rig& m_rig;
    Prompts& m_prompts;
    QList<QRadioButton*> m_options[kRigOptionGroups];
    bool m_showing = false; // the controls are being set from the Rig: their signals are not the operator's
};

} // namespace velm
