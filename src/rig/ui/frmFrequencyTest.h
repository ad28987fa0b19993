#pragma once
// Responsibilities: the window "Test Change Frequency Function": one command typed by the operator sent to
// the radio as text or as hex bytes, or a typed frequency handed to the Rig's frequency change.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velm {

class Rig;

class frmFrequencyTest final : public QDialog {
    Q_OBJECT
public:
    static const QString Title; // "Test Change Frequency Function"

    explicit frmFrequencyTest(Rig& rig, QWidget* parent = nullptr);

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    QLineEdit* Text1 = nullptr; // the command
    QCheckBox* Check1 = nullptr; // "Convert to Hex"
    QPushButton* Command1 = nullptr; // "Send" the command
    QLineEdit* Text2 = nullptr;      // a frequency in MHz
    QPushButton* Command2 = nullptr; // "Send" the frequency

    void Command1_Click();
    void Command2_Click();

private:
    Rig& m_rig;
};

} // namespace velm
