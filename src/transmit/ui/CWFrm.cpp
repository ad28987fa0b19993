#include "transmit/ui/CWFrm.h"

#include "platform/ui/FormScaling.h"
#include "log/WriteFormat.h"
#include "platform/Prompts.h"
#include "platform/ui/SerialDeviceLabel.h"
#include "platform/ui/SerialPortsWindow.h"
#include "platform/ui/TabOrder.h"
#include "platform/ui/ValueLabel.h"
#include "transmit/TransmitController.h"
#include "transmit/ui/WindowControls.h"
#include "transmit/ui/frmCodePractice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace velm {

using transmitui::button;
using transmitui::caption;
using transmitui::field;
using transmitui::option;

const QString CWFrm::Title = QStringLiteral("CW String Selections");

namespace {

const QString kSendingCaption = QStringLiteral("Sending!");

// Letters typed into a message go upper case; a double quote cannot be stored in cw.txt.
void upperCaseLetters(QLineEdit* edit)
{
    QString text = edit->text();
    bool changed = false;
    for (QChar& c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            c = c.toUpper();
            changed = true;
        }
    }
    if (changed) {
        const int caret = edit->cursorPosition();
        edit->setText(text);
        edit->setCursorPosition(caret);
    }
}

} // namespace

CWFrm::CWFrm(TransmitController& controller, Prompts& prompts, const SerialPortCatalog& catalog,
             QWidget* parent)
    : QDialog(parent), m_controller(controller), m_prompts(prompts)
{
    setObjectName(QStringLiteral("CWFrm"));
    setWindowTitle(Title);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildMessages());
    auto* middle = new QHBoxLayout;
    middle->addWidget(buildKeying(catalog), 1);
    middle->addWidget(buildTiming(), 1);
    layout->addLayout(middle);

    lblSending = new QLabel(this);
    lblSending->setObjectName(QStringLiteral("lblSending"));
    setValueLabel(lblSending, kSendingCaption, kSendingCaption);
    lblSending->hide();
    auto* note = new QLabel(QStringLiteral("The program will not generate a side tone so make sure your "
                                           "transceiver is set to produce one."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* buttons = new QHBoxLayout;
    Command4 = button(this, "Command4", QStringLiteral("&Test"));
    Command7 = button(this, "Command7", QStringLiteral("Send Code Practice"));
    cmdConfWinkey = button(this, "cmdConfWinkey", QStringLiteral("Configure Winkey"));
    Command1 = button(this, "Command1", QStringLiteral("Done"));
    buttons->addWidget(lblSending);
    buttons->addStretch(1);
    for (QPushButton* b : {Command4, Command7, cmdConfWinkey, Command1})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    setTabChain({Text1,         Text2,         Text3,         Text4,          Text5,     Text6,    Text7,
                 Text8,         Text9,         Text12,        Text13,         Option4,   Option1,  Option2,
                 Option3,       Option5,       Text10,        cmdSerialPorts, Text14,    Text11,   cmdFaster,
                 cmdSlower,     txtSpace,      cmdLess,       cmdMore,        optTimer,  optLoop,  OptSleep,
                 txtLoop,       cmdLoopFaster, cmdLoopSlower, Check1,         txtCWLoop, Command4, Command7,
                 cmdConfWinkey, Command1});
    connectFields();
    connect(&m_controller, &TransmitController::settingsChanged, this, &CWFrm::refresh);
    refresh();
    applyFormScaling(*this, FormVariant::E);
}

QWidget* CWFrm::buildMessages()
{
    auto* box = new QGroupBox(QStringLiteral("Messages"), this);
    auto* grid = new QGridLayout(box);
    const char* names[] = {"Text1", "Text2", "Text3", "Text4",  "Text5", "Text6",
                           "Text7", "Text8", "Text9", "Text12", "Text13"};
    const auto* quoteFree =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), box);
    for (int i = 0; i < 11; ++i) {
        const QString key = QStringLiteral("F%1").arg(i + 1);
        QLineEdit* edit = field(box, names[i], key);
        edit->setValidator(quoteFree);
        messageFields[std::size_t(i)] = edit;
        grid->addWidget(caption(box, key, edit), i % 6, (i / 6) * 2);
        grid->addWidget(edit, i % 6, (i / 6) * 2 + 1);
    }
    Text1 = messageFields[0], Text2 = messageFields[1], Text3 = messageFields[2], Text4 = messageFields[3];
    Text5 = messageFields[4], Text6 = messageFields[5], Text7 = messageFields[6], Text8 = messageFields[7];
    Text9 = messageFields[8], Text12 = messageFields[9], Text13 = messageFields[10];
    auto* notes = new QLabel(QStringLiteral("Wildcards are $ for Call, * for RST  and # for Number (where "
                                            "applicable).\nA ! in the string enters the contact."),
                             box);
    grid->addWidget(notes, 5, 2, 1, 2);
    return box;
}

QWidget* CWFrm::buildKeying(const SerialPortCatalog& catalog)
{
    auto* box = new QGroupBox(QStringLiteral("Keying"), this);
    auto* grid = new QGridLayout(box);
    auto* methods = new QButtonGroup(box);
    Option4 = option(box, "Option4", QStringLiteral("None"));
    Option1 = option(box, "Option1", QStringLiteral("RTS"));
    Option2 = option(box, "Option2", QStringLiteral("DTR"));
    Option3 = option(box, "Option3", QStringLiteral("Printer"));
    Option5 = option(box, "Option5", QStringLiteral("WinKey"));
    const std::pair<QRadioButton*, KeyingMethod> keyed[] = {{Option4, KeyingMethod::None},
                                                            {Option1, KeyingMethod::Rts},
                                                            {Option2, KeyingMethod::Dtr},
                                                            {Option3, KeyingMethod::Printer},
                                                            {Option5, KeyingMethod::WinKey}};
    auto* row = new QHBoxLayout;
    for (const auto& [o, method] : keyed) {
        methods->addButton(o, int(method));
        row->addWidget(o);
    }
    grid->addLayout(row, 0, 0, 1, 4);
    connect(methods, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on && !m_refreshing)
            m_controller.setKeyingMethod(keyingMethodOf(id));
        cmdConfWinkey->setVisible(m_controller.settings().method == KeyingMethod::WinKey);
    });

    Text10 = field(box, "Text10", QStringLiteral("Com Port"));
    lblDevice = new SerialDeviceLabel(m_controller.serialPorts(), box);
    cmdSerialPorts = button(box, "cmdSerialPorts", QStringLiteral("Serial &Ports..."));
    connect(cmdSerialPorts, &QPushButton::clicked, this, [this, &catalog] {
        openSerialPortsWindow(this, m_controller.serialPorts(), catalog,
                              std::max(1, wholeNumber(Text10->text()).value_or(1)));
    });
    grid->addWidget(caption(box, QStringLiteral("Com P&ort"), Text10), 1, 0);
    grid->addWidget(Text10, 1, 1);
    grid->addWidget(cmdSerialPorts, 1, 2);
    grid->addWidget(lblDevice, 2, 0, 1, 4);
    Text14 = field(box, "Text14", QStringLiteral("Printer Port Address"));
    grid->addWidget(caption(box, QStringLiteral("Printer Port &Address"), Text14), 3, 0);
    grid->addWidget(Text14, 3, 1);

    Text11 = field(box, "Text11", QStringLiteral("Speed (WPM)"));
    cmdFaster = button(box, "cmdFaster", QStringLiteral("Faster"));
    cmdSlower = button(box, "cmdSlower", QStringLiteral("Slower"));
    grid->addWidget(caption(box, QStringLiteral("S&peed (WPM)"), Text11), 4, 0);
    grid->addWidget(Text11, 4, 1);
    grid->addWidget(cmdFaster, 4, 2);
    grid->addWidget(cmdSlower, 4, 3);
    txtSpace = field(box, "txtSpace", QStringLiteral("Word Space"));
    cmdLess = button(box, "cmdLess", QStringLiteral("Less"));
    cmdMore = button(box, "cmdMore", QStringLiteral("More"));
    grid->addWidget(caption(box, QStringLiteral("&Word Space"), txtSpace), 5, 0);
    grid->addWidget(txtSpace, 5, 1);
    grid->addWidget(cmdLess, 5, 2);
    grid->addWidget(cmdMore, 5, 3);
    const auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9:]*")), box);
    Text10->setValidator(digits);
    Text11->setValidator(digits);
    txtSpace->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), box));
    return box;
}

QWidget* CWFrm::buildTiming()
{
    auto* box = new QGroupBox(QStringLiteral("Timing"), this);
    auto* grid = new QGridLayout(box);
    auto* methods = new QButtonGroup(box);
    optTimer = option(box, "optTimer", QStringLiteral("Timer"));
    optLoop = option(box, "optLoop", QStringLiteral("Loop"));
    OptSleep = option(box, "OptSleep", QStringLiteral("Sleep"));
    methods->addButton(optTimer, int(TimingMethod::Timer));
    methods->addButton(optLoop, int(TimingMethod::Loop));
    methods->addButton(OptSleep, int(TimingMethod::Sleep));
    grid->addWidget(optTimer, 0, 0);
    grid->addWidget(optLoop, 0, 1);
    grid->addWidget(OptSleep, 0, 2);
    connect(methods, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on && !m_refreshing)
            m_controller.setTimingMethod(TimingMethod(id));
        showTimingControls();
    });
    txtLoop = field(box, "txtLoop", QStringLiteral("Loops per 60 ms"));
    lblLoopDelay = caption(box, QStringLiteral("Loop &Delay"), txtLoop);
    cmdLoopFaster = button(box, "cmdLoopFaster", QStringLiteral("F"));
    cmdLoopFaster->setToolTip(QStringLiteral("Speed up CW"));
    cmdLoopFaster->setAccessibleName(QStringLiteral("Speed up CW"));
    cmdLoopSlower = button(box, "cmdLoopSlower", QStringLiteral("S"));
    cmdLoopSlower->setToolTip(QStringLiteral("Slow Down CW"));
    cmdLoopSlower->setAccessibleName(QStringLiteral("Slow Down CW"));
    grid->addWidget(lblLoopDelay, 1, 0);
    grid->addWidget(txtLoop, 1, 1);
    grid->addWidget(cmdLoopFaster, 1, 2);
    grid->addWidget(cmdLoopSlower, 1, 3);
    auto* advice = new QLabel(QStringLiteral("Timer is the preferred option on most systems.\nFor the most "
                                             "precise timing, do not run any other programs, virus software "
                                             "etc. while transmitting."),
                              box);
    advice->setWordWrap(true);
    grid->addWidget(advice, 2, 0, 1, 4);
    Check1 = new QCheckBox(QStringLiteral("Display CW text on main form (NA for WinKey)."), box);
    Check1->setObjectName(QStringLiteral("Check1"));
    grid->addWidget(Check1, 3, 0, 1, 4);
    txtCWLoop = field(box, "txtCWLoop", QStringLiteral("Loop (Sec)"));
    grid->addWidget(caption(box, QStringLiteral("&Loop (Sec)"), txtCWLoop), 4, 0);
    grid->addWidget(txtCWLoop, 4, 1);
    return box;
}

void CWFrm::connectFields()
{
    for (int i = 0; i < 11; ++i) {
        QLineEdit* edit = messageFields[std::size_t(i)];
        connect(edit, &QLineEdit::textEdited, this, [this, edit, i] {
            upperCaseLetters(edit);
            m_controller.setMessage(i, edit->text());
        });
    }
    connect(Text10, &QLineEdit::editingFinished, this,
            [this] { Text10->setText(m_controller.leavePortField(Text10->text())); });
    connect(Text10, &QLineEdit::textChanged, this,
            [this] { lblDevice->setPortNumber(wholeNumber(Text10->text()).value_or(0)); });
    connect(Text11, &QLineEdit::textEdited, &m_controller, &TransmitController::setSpeedText);
    connect(Text11, &QLineEdit::editingFinished, this,
            [this] { Text11->setText(m_controller.leaveSpeedField(Text11->text())); });
    connect(cmdFaster, &QPushButton::clicked, &m_controller, &TransmitController::UpDown1_UpClick);
    connect(cmdSlower, &QPushButton::clicked, &m_controller, &TransmitController::UpDown1_DownClick);
    connect(txtSpace, &QLineEdit::textEdited, this, [this] {
        const std::optional<double> value = parseNumber(QStringView(txtSpace->text()));
        if (value && *value < -8)
            txtSpace->setText(QStringLiteral("-8"));
        m_controller.leaveWordSpaceField(txtSpace->text());
    });
    connect(txtSpace, &QLineEdit::editingFinished, this,
            [this] { txtSpace->setText(m_controller.leaveWordSpaceField(txtSpace->text())); });
    connect(cmdLess, &QPushButton::clicked, this,
            [this] { txtSpace->setText(m_controller.stepWordSpace(-1)); });
    connect(cmdMore, &QPushButton::clicked, this,
            [this] { txtSpace->setText(m_controller.stepWordSpace(1)); });
    connect(Text14, &QLineEdit::textEdited, &m_controller, &TransmitController::setParallelAddress);
    connect(txtLoop, &QLineEdit::textEdited, this, [this] {
        if (const std::optional<double> value = parseNumber(QStringView(txtLoop->text())))
            m_controller.setLoopOffset(*value);
    });
    connect(cmdLoopFaster, &QPushButton::clicked, this, [this] {
        m_controller.cmdLoopFaster_Click();
        Command1->setFocus();
    });
    connect(cmdLoopSlower, &QPushButton::clicked, this, [this] {
        m_controller.cmdLoopSlower_Click();
        Command1->setFocus();
    });
    connect(Check1, &QCheckBox::toggled, &m_controller, &TransmitController::setDisplayOnMainWindow);
    connect(txtCWLoop, &QLineEdit::editingFinished, this, [this] {
        if (!m_controller.leaveRepeatField(txtCWLoop->text()))
            txtCWLoop->setText(QStringLiteral("0"));
    });
    connect(Command4, &QPushButton::clicked, this, &CWFrm::Command4_Click);
    connect(cmdConfWinkey, &QPushButton::clicked, this, [this] {
        if (m_openWinKey)
            m_openWinKey();
    });
    connect(Command1, &QPushButton::clicked, this, &CWFrm::Command1_Click);
    connect(Command7, &QPushButton::clicked, this, [this] { openCodePractice(m_controller, this); });
}

// The fields as the controller holds them (after start-up, the arrows, a calibration).
void CWFrm::refresh()
{
    m_refreshing = true;
    const CwSettings& s = m_controller.settings();
    for (int i = 0; i < 11; ++i) {
        if (messageFields[std::size_t(i)]->text() != s.messages[std::size_t(i)])
            messageFields[std::size_t(i)]->setText(s.messages[std::size_t(i)]);
    }
    const std::pair<QLineEdit*, QString> texts[] = {
        {Text10, s.portText},        {Text11, s.speedText},
        {Text14, s.parallelAddress}, {txtSpace, s.wordSpaceText},
        {txtCWLoop, s.repeatText},   {txtLoop, QString::fromLatin1(formatNumber(s.loopOffset))}};
    for (const auto& [edit, text] : texts) {
        if (edit->text() != text && !edit->hasFocus())
            edit->setText(text);
    }
    QRadioButton* methods[] = {Option4, Option1, Option2, Option3, nullptr, Option5};
    if (QRadioButton* chosen = methods[std::size_t(s.method)])
        chosen->setChecked(true);
    (s.timing == TimingMethod::Loop    ? optLoop
     : s.timing == TimingMethod::Sleep ? OptSleep
                                       : optTimer)
        ->setChecked(true);
    Check1->setChecked(s.displayOnMainWindow);
    cmdConfWinkey->setVisible(s.method == KeyingMethod::WinKey);
    showTimingControls();
    m_refreshing = false;
}

void CWFrm::showTimingControls()
{
    const bool loop = optLoop->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(txtLoop), static_cast<QWidget*>(lblLoopDelay),
                       static_cast<QWidget*>(cmdLoopFaster), static_cast<QWidget*>(cmdLoopSlower)})
        w->setEnabled(loop);
}

void CWFrm::Command4_Click()
{
    lblSending->show();
    m_controller.Command4_Click();
    lblSending->hide();
    Text1->setFocus();
}

void CWFrm::Command1_Click()
{
    QString notice;
    const FileResult saved = m_controller.Command1_Click(&notice);
    if (!saved.ok) {
        // The window stays, so nothing typed into it is lost.
        m_prompts.detailedMessage(QStringLiteral("The CW messages could not be saved."), saved.error,
                                  QStringLiteral("CW Settings Not Saved"), MessageIcon::Warning);
        return;
    }
    if (!notice.isEmpty())
        m_prompts.message(notice, QStringLiteral("CW Settings Saved"), MessageIcon::Information);
    hide();
    Q_EMIT done();
}

void CWFrm::showNormalRaised()
{
    refresh();
    showNormal();
    raise();
    activateWindow();
}

} // namespace velm
