#pragma once
// Responsibilities: the window "On the Air Code Practice": random groups, pasted or typed practice text sent
// through the CW keyer while it can still be edited, live typing, the speed; it closes only between sends.

#include "transmit/CodePractice.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace velm {

class TransmitController;

class frmCodePractice final : public QDialog {
    Q_OBJECT
public:
    static const QString Title; // "On the Air Code Practice"

    frmCodePractice(CwSender& cw, WinKeyState& winKey, int speed, QWidget* parent = nullptr);

    void setRandom(std::unique_ptr<PracticeRandom> random) { m_random = std::move(random); }
    bool sending() const { return m_practice.sending(); }

    QPlainTextEdit *Text1, *Text2;    // "Text to Send", "Text Sent"
    QLineEdit *Text3, *Text4, *Text5; // groups, characters each, live typing
    QRadioButton *Option1, *Option2;  // "Letters Only", "All"
    QLabel* Label8;                   // the speed
    QPushButton *Command2, *Command1, *Command3, *Command4, *Command6, *Command5, *Command7, *Command8;

    void Command2_Click();
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command7_Click();
    void Command8_Click();

public Q_SLOTS:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool mayClose();
    void showSpeed(int speed);

    CwSender& m_cw;
    CodePractice m_practice;
    std::unique_ptr<PracticeRandom> m_random;
    bool m_closeAfterSend = false;
};

// "Send Code Practice" and the main window's "Code &Practice": the window, modal; CwBuffer emptied after.
void openCodePractice(TransmitController& controller, QWidget* parent);

} // namespace velm
