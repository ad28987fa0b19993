#pragma once
// Responsibilities: the voice navigation window "Voice Navigation Settings": how much is spoken (Off, Call
// Only, All Data Fields), each choice confirmed aloud, where the prompt files go; "Done" stores the level.

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace velm {

class VoiceNavigation;

class BlindFrm final : public QDialog {
    Q_OBJECT
public:
    static const QString Title; // "Voice Navigation Settings"

    explicit BlindFrm(VoiceNavigation& navigation, QWidget* parent = nullptr);

    // Opening: the option of the stored level is selected and its confirmation spoken.
    void showNormalRaised();

    QRadioButton *Option1, *Option2, *Option3; // Off, Call Only, All Data Fields
    QLabel* lblFolder;
    QPushButton* Command1;

    void Command1_Click();

Q_SIGNALS:
    void done();

private:
    VoiceNavigation& m_navigation;
    bool m_selecting = false;
};

} // namespace velm
