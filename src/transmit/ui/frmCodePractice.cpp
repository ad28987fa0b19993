#include "transmit/ui/frmCodePractice.h"

#include "platform/ui/FormScaling.h"
#include "platform/ui/ValueLabel.h"
#include "transmit/TransmitController.h"
#include "transmit/ui/WindowControls.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace velm {

using namespace transmitui;

const QString frmCodePractice::Title = QStringLiteral("On the Air Code Practice");

namespace {

const QString kSpeedCaption = QStringLiteral("Speed");

QPlainTextEdit* textArea(QWidget* parent, const char* name, const QString& caption)
{
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(caption);
    edit->setTabChangesFocus(true);
    return edit;
}

void caretTo(QPlainTextEdit* edit, int position)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(std::min(position, int(edit->toPlainText().size())));
    edit->setTextCursor(cursor);
}

} // namespace

frmCodePractice::frmCodePractice(CwSender& cw, WinKeyState& winKey, int speed, QWidget* parent)
    : QDialog(parent), m_cw(cw), m_practice(cw, winKey), m_random(systemPracticeRandom())
{
    setObjectName(QStringLiteral("frmCodePractice"));
    setWindowTitle(Title);
    setModal(true);

    Text1 = textArea(this, "Text1", QStringLiteral("Text to Send"));
    Text1->installEventFilter(this);
    Text2 = textArea(this, "Text2", QStringLiteral("Text Sent"));
    Text3 = field(this, "Text3", QStringLiteral("Number of groups"));
    Text3->setText(QStringLiteral("10"));
    Text4 = field(this, "Text4", QStringLiteral("Characters in each group"));
    Text4->setText(QStringLiteral("5"));
    for (QLineEdit* count : {Text3, Text4})
        count->setMaximumWidth(count->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    Option1 = option(this, "Option1", QStringLiteral("Letters Only"));
    Option2 = option(this, "Option2", QStringLiteral("All"));
    Option2->setChecked(true);
    Label8 = new QLabel(this);
    Label8->setObjectName(QStringLiteral("Label8"));
    Text5 = field(this, "Text5", QStringLiteral("Type characters here to send text from keyboard:"));
    Text5->installEventFilter(this);
    Command2 = button(this, "Command2", QStringLiteral("&Generate Random Characters"));
    Command1 = button(this, "Command1", QStringLiteral("&Paste from Clipboard"));
    Command3 = button(this, "Command3", QStringLiteral("&Send"));
    Command4 = button(this, "Command4", QStringLiteral("S&top"));
    Command6 = button(this, "Command6", QStringLiteral("&Clear"));
    Command5 = button(this, "Command5", QStringLiteral("Cl&ear"));
    Command7 = button(this, "Command7", QStringLiteral("&Faster"));
    Command8 = button(this, "Command8", QStringLiteral("S&lower"));

    auto* generate = new QHBoxLayout;
    generate->addWidget(caption(this, QStringLiteral("Generate"), Text3));
    generate->addWidget(Text3);
    generate->addWidget(new QLabel(QStringLiteral("groups of"), this));
    generate->addWidget(Text4);
    generate->addWidget(new QLabel(QStringLiteral("characters each."), this));
    generate->addSpacing(12);
    generate->addWidget(new QLabel(QStringLiteral("Include:"), this));
    generate->addWidget(Option1);
    generate->addWidget(Option2);
    generate->addStretch(1);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command2, Command1, Command3, Command4, Command6})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(Label8);
    speedRow->addWidget(new QLabel(QStringLiteral("WPM"), this));
    speedRow->addWidget(Command7);
    speedRow->addWidget(Command8);
    speedRow->addStretch(1);
    speedRow->addWidget(Command5);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption(this, QStringLiteral("Text to Send"), Text1));
    layout->addWidget(Text1, 2);
    layout->addLayout(generate);
    layout->addLayout(buttons);
    layout->addWidget(caption(this, QStringLiteral("Text Sent"), Text2));
    layout->addWidget(Text2, 1);
    layout->addLayout(speedRow);
    layout->addWidget(
        caption(this, QStringLiteral("Type characters here to send text from keyboard:"), Text5));
    layout->addWidget(Text5);

    connect(Command2, &QPushButton::clicked, this, &frmCodePractice::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmCodePractice::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCodePractice::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmCodePractice::Command4_Click);
    connect(Command6, &QPushButton::clicked, Text1, &QPlainTextEdit::clear);
    connect(Command5, &QPushButton::clicked, Text2, &QPlainTextEdit::clear);
    connect(Command7, &QPushButton::clicked, this, &frmCodePractice::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &frmCodePractice::Command8_Click);
    showSpeed(speed);
    applyFormScaling(*this, FormVariant::E);
}

void frmCodePractice::showSpeed(int speed)
{
    setValueLabel(Label8, kSpeedCaption, QString::number(speed));
    Label8->setAccessibleName(QStringLiteral("Speed: %1 WPM").arg(speed));
}

void frmCodePractice::Command2_Click()
{
    const int groups = practiceCount(Text3->text(), DefaultGroups);
    const int length = practiceCount(Text4->text(), DefaultGroupLength);
    Text3->setText(QString::number(groups));
    Text4->setText(QString::number(length));
    Text1->setPlainText(generatePractice(groups, length, Option1->isChecked(), *m_random));
}

void frmCodePractice::Command1_Click()
{
    Text1->setPlainText(QGuiApplication::clipboard()->text());
}

void frmCodePractice::Command3_Click()
{
    if (m_practice.sending())
        return;
    Command3->setEnabled(false);
    Text1->setFocus();
    m_practice.send({[this] { return Text1->toPlainText(); },
                     [this](QChar c) {
                         Text2->moveCursor(QTextCursor::End);
                         Text2->insertPlainText(QString(c));
                         Text2->verticalScrollBar()->setValue(Text2->verticalScrollBar()->maximum());
                     },
                     [this](int position) { caretTo(Text1, position); },
                     [] { QCoreApplication::processEvents(); }});
    Command3->setEnabled(true);
    if (m_closeAfterSend) {
        m_closeAfterSend = false;
        QDialog::reject();
    }
}

void frmCodePractice::Command4_Click()
{
    m_practice.stop();
}

void frmCodePractice::Command7_Click()
{
    showSpeed(m_cw.UpDown1_UpClick());
}

void frmCodePractice::Command8_Click()
{
    showSpeed(m_cw.UpDown1_DownClick());
}

// Closing stops the send first. While a character is being keyed the window stays; between two characters
// it closes as soon as the send loop has ended, never under it.
bool frmCodePractice::mayClose()
{
    const bool keying = m_cw.CwSending();
    if (m_practice.sending())
        m_practice.stop();
    else
        m_cw.CwBuffer().clear();
    if (m_practice.sending() && !keying)
        m_closeAfterSend = true;
    return !keying && !m_practice.sending();
}

void frmCodePractice::reject()
{
    if (mayClose())
        QDialog::reject();
}

void frmCodePractice::closeEvent(QCloseEvent* event)
{
    if (mayClose())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

bool frmCodePractice::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == Text1) {
        // Letters typed become capitals; Tab moves on.
        const QString text = key->text();
        if (text.size() == 1 && text.at(0) >= u'a' && text.at(0) <= u'z' &&
            !(key->modifiers() & Qt::ControlModifier)) {
            Text1->insertPlainText(text.toUpper());
            return true;
        }
        return false;
    }
    if (watched == Text5) {
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape)
            return false;
        const QChar typed = key->key() == Qt::Key_Backspace ? CodePractice::Backspace
                            : key->text().size() == 1       ? key->text().at(0)
                                                            : QChar();
        const QString shown = typed.isNull() ? QString() : m_practice.liveKey(typed);
        if (shown == QString(CodePractice::Backspace)) {
            Text2->moveCursor(QTextCursor::End);
            Text2->textCursor().deletePreviousChar();
        } else if (!shown.isEmpty()) {
            Text2->moveCursor(QTextCursor::End);
            Text2->insertPlainText(shown);
        }
        m_practice.sendLive();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void openCodePractice(TransmitController& controller, QWidget* parent)
{
    {
        frmCodePractice window(controller, controller, speedOf(controller.settings().speedText), parent);
        window.exec();
    }
    controller.CwBuffer().clear();
}

} // namespace velm
