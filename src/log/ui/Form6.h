#pragma once
// Responsibilities: the multiplier colour window: two samples and the system colour chooser for the
// "remaining" and "worked" grid colours.

#include <QDialog>

class QLabel;
class QPushButton;

namespace velm {

class Prompts;

class Form6 : public QDialog {
    Q_OBJECT
public:
    static const QString Title;

    Form6(Prompts& prompts, quint32 remainingColour, quint32 workedColour, QWidget* parent = nullptr);

    quint32 remainingColour() const { return m_remaining; }
    quint32 workedColour() const { return m_worked; }

    QPushButton* cmdRemaining = nullptr;
    QPushButton* cmdWorked = nullptr;
    QPushButton* cmdDone = nullptr;
    QLabel* lblRemaining = nullptr;
    QLabel* lblWorked = nullptr;

private:
    void paintSamples();

    Prompts& m_prompts;
    quint32 m_remaining;
    quint32 m_worked;
};

} // namespace velm
