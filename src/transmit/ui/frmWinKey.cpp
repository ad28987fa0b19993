#include "transmit/ui/frmWinKey.h"

#include "platform/ui/FormScaling.h"
#include "platform/Prompts.h"
#include "platform/ui/SerialDeviceLabel.h"
#include "platform/ui/SerialPortsWindow.h"
#include "platform/ui/TabOrder.h"
#include "platform/ui/ValueLabel.h"
#include "transmit/TransmitController.h"
#include "transmit/ui/WindowControls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace velm {

using transmitui::button;
using transmitui::option;

const QString frmWinKey::Title = QStringLiteral(" WinKey Setup");

namespace {
const QString kStatusCaption = QStringLiteral("WinKey Status");
} // namespace

frmWinKey::frmWinKey(TransmitController& controller, Prompts& prompts, const SerialPortCatalog& catalog,
                     QWidget* parent)
    : QDialog(parent), m_controller(controller), m_keyer(controller.winKey()), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmWinKey"));
    setWindowTitle(Title);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(buildFields(catalog));
    top->addWidget(buildOptions());
    layout->addLayout(top);

    lblOpenStatus = new QLabel(this);
    lblOpenStatus->setObjectName(QStringLiteral("lblOpenStatus"));
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* status = new QHBoxLayout;
    status->addWidget(lblOpenStatus);
    status->addStretch(1);
    status->addWidget(lblVersion);
    layout->addLayout(status);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Type to send"));
    Text1->installEventFilter(this);
    auto* typing = new QHBoxLayout;
    auto* typingCaption = new QLabel(QStringLiteral("T&ype to send:"), this);
    typingCaption->setBuddy(Text1);
    typing->addWidget(typingCaption);
    typing->addWidget(Text1, 1);
    layout->addLayout(typing);

    cmdOpenWinkey = button(this, "cmdOpenWinkey", QStringLiteral("Open"));
    cmdCloseWinkey = button(this, "cmdCloseWinkey", QStringLiteral("Close"));
    Command3 = button(this, "Command3", QStringLiteral("Test"));
    Command1 = button(this, "Command1", QStringLiteral("Buffer Test"));
    cmdStop = button(this, "cmdStop", QStringLiteral("Stop"));
    cmdDefaults = button(this, "cmdDefaults", QStringLiteral("Defaults Test"));
    cmdDone = button(this, "cmdDone", QStringLiteral("&Done"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdOpenWinkey, cmdCloseWinkey, Command3, Command1, cmdStop, cmdDefaults, cmdDone})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(cmdOpenWinkey, &QPushButton::clicked, &m_keyer, &WinKeyKeyer::OpenWinKey);
    connect(cmdCloseWinkey, &QPushButton::clicked, &m_keyer, &WinKeyKeyer::CloseWinKey);
    connect(Command3, &QPushButton::clicked, &m_controller, &TransmitController::winKeyTest);
    connect(Command1, &QPushButton::clicked, &m_controller, &TransmitController::winKeyBufferTest);
    connect(cmdStop, &QPushButton::clicked, this, [this] {
        m_controller.winKeyStop();
        cmdDone->setFocus();
    });
    connect(cmdDone, &QPushButton::clicked, this, &frmWinKey::cmdDone_Click);
    connect(&m_keyer, &WinKeyKeyer::changed, this, &frmWinKey::refresh);
    connect(&m_keyer, &WinKeyKeyer::doneFocusWanted, this, [this] {
        if (isVisible())
            cmdDone->setFocus();
    });
    setTabChain({txtWKComPort, cmdSerialPorts, txtWKWPM,       txtWeight,   txtLeadIn,     txtTail,
                 txtRatio,     optKey5Out3Off, optKey5Off3Out, optTone,     optPTT,        optIambicB,
                 optIambicA,   optUltimatic,   optBug,         Text1,       cmdOpenWinkey, cmdCloseWinkey,
                 Command3,     Command1,       cmdStop,        cmdDefaults, cmdDone});
    refresh();
    applyFormScaling(*this, FormVariant::G);
}

QWidget* frmWinKey::buildFields(const SerialPortCatalog& catalog)
{
    auto* box = new QGroupBox(QStringLiteral("Settings"), this);
    auto* grid = new QGridLayout(box);
    const auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box);
    struct Row {
        QLineEdit** edit;
        const char* name;
        const char* caption;
        const char* tip;
        QString (WinKeyKeyer::*leave)(const QString&);
    };
    const Row rows[] = {
        {&txtWKComPort, "txtWKComPort", "&Com Port:", nullptr, &WinKeyKeyer::leavePort},
        {&txtWKWPM, "txtWKWPM", "&WPM:", nullptr, &WinKeyKeyer::leaveSpeed},
        {&txtWeight, "txtWeight", "W&eight:", "Proportional amount added or subtracted (50 is standard).",
         &WinKeyKeyer::leaveWeight},
        {&txtLeadIn, "txtLeadIn", "&Lead In:", "Lead in time for transmitter (10 ms increments).",
         &WinKeyKeyer::leaveLeadIn},
        {&txtTail, "txtTail", "&Tail:", "Tail time after keying has stopped (10 ms increments).",
         &WinKeyKeyer::leaveTail},
        {&txtRatio, "txtRatio", "&Ratio:", "Ratio of dits to dahs (Range: 33 - 66).",
         &WinKeyKeyer::leaveRatio},
    };
    int r = 0;
    for (const Row& row : rows) {
        auto* edit = new QLineEdit(box);
        edit->setObjectName(QString::fromLatin1(row.name));
        QString name = QString::fromLatin1(row.caption).remove(QLatin1Char('&'));
        name.chop(1); // the colon
        edit->setAccessibleName(name);
        edit->setValidator(digits);
        if (row.tip)
            edit->setToolTip(QString::fromLatin1(row.tip));
        auto* caption = new QLabel(QString::fromLatin1(row.caption), box);
        caption->setBuddy(edit);
        grid->addWidget(caption, r, 0);
        grid->addWidget(edit, r, 1);
        const auto leave = row.leave;
        connect(edit, &QLineEdit::editingFinished, this,
                [this, edit, leave] { edit->setText((m_keyer.*leave)(edit->text())); });
        *row.edit = edit;
        ++r;
    }
    lblDevice = new SerialDeviceLabel(m_controller.serialPorts(), box);
    cmdSerialPorts = button(box, "cmdSerialPorts", QStringLiteral("Serial &Ports..."));
    grid->addWidget(cmdSerialPorts, 0, 2);
    grid->addWidget(lblDevice, r, 0, 1, 3);
    connect(txtWKComPort, &QLineEdit::textChanged, this,
            [this] { lblDevice->setPortNumber(txtWKComPort->text().toInt()); });
    connect(cmdSerialPorts, &QPushButton::clicked, this, [this, &catalog] {
        openSerialPortsWindow(this, m_controller.serialPorts(), catalog,
                              std::max(1, txtWKComPort->text().toInt()));
    });
    return box;
}

QWidget* frmWinKey::buildOptions()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pins = new QGroupBox(QStringLiteral("Pin 5 Configuration"), column);
    auto* pinLayout = new QVBoxLayout(pins);
    auto* pinGroup = new QButtonGroup(pins);
    optKey5Out3Off = option(pins, "optKey5Out3Off", QStringLiteral("P5 Key Out, P3 Off"));
    optKey5Off3Out = option(pins, "optKey5Off3Out", QStringLiteral("P5 Off, P3 Key Out"));
    optTone = option(pins, "optTone", QStringLiteral("Tone"));
    optPTT = option(pins, "optPTT", QStringLiteral("PTT"));
    const std::pair<QRadioButton*, quint8> pinBytes[] = {{optKey5Out3Off, kPinKey5Out3Off},
                                                         {optKey5Off3Out, kPinKey5Off3Out},
                                                         {optTone, kPinTone},
                                                         {optPTT, kPinPtt}};
    for (const auto& [o, byte] : pinBytes) {
        pinGroup->addButton(o, byte);
        pinLayout->addWidget(o);
    }
    auto* modes = new QGroupBox(QStringLiteral("Keyer Mode"), column);
    auto* modeLayout = new QVBoxLayout(modes);
    auto* modeGroup = new QButtonGroup(modes);
    optIambicB = option(modes, "optIambicB", QStringLiteral("Iambic B"));
    optIambicA = option(modes, "optIambicA", QStringLiteral("Iambic A"));
    optUltimatic = option(modes, "optUltimatic", QStringLiteral("Ultimatic"));
    optBug = option(modes, "optBug", QStringLiteral("Bug Keyer"));
    const std::pair<QRadioButton*, quint8> modeBytes[] = {{optIambicB, kModeIambicB},
                                                          {optIambicA, kModeIambicA},
                                                          {optUltimatic, kModeUltimatic},
                                                          {optBug, kModeBug}};
    for (const auto& [o, byte] : modeBytes) {
        modeGroup->addButton(o, byte);
        modeLayout->addWidget(o);
    }
    layout->addWidget(pins);
    layout->addWidget(modes);
    connect(pinGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_keyer.setPinConfiguration(quint8(id)); });
    connect(modeGroup, &QButtonGroup::idClicked, this, [this](int id) { m_keyer.setKeyerMode(quint8(id)); });
    return column;
}

void frmWinKey::refresh()
{
    const WinKeySettings& s = m_keyer.settings();
    const std::pair<QLineEdit*, QString> texts[] = {{txtWKComPort, QString::number(s.port)},
                                                    {txtWKWPM, s.speedText},
                                                    {txtWeight, s.weightText},
                                                    {txtLeadIn, s.leadInText},
                                                    {txtTail, s.tailText},
                                                    {txtRatio, s.ratioText}};
    for (const auto& [edit, text] : texts) {
        if (edit->text() != text && !edit->hasFocus())
            edit->setText(text);
    }
    for (QRadioButton* o : {optKey5Out3Off, optKey5Off3Out, optTone, optPTT}) {
        if (o->group() && o->group()->id(o) == s.pinConfiguration)
            o->setChecked(true);
    }
    for (QRadioButton* o : {optIambicB, optIambicA, optUltimatic, optBug}) {
        if (o->group() && o->group()->id(o) == s.keyerMode)
            o->setChecked(true);
    }
    setValueLabel(lblOpenStatus, kStatusCaption, m_keyer.statusText());
    lblOpenStatus->setText(QStringLiteral("WinKey Status: ") + m_keyer.statusText());
    lblVersion->setText(m_keyer.versionText());
    lblVersion->setAccessibleName(m_keyer.versionText());
}

// The typing field sends what is typed; nothing reaches the field itself.
bool frmWinKey::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text.at(0).unicode() >= 0x20 && text.at(0).unicode() <= 0x7E) {
            m_controller.winKeyTyped(text.at(0));
            Text1->insert(text.toUpper());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmWinKey::cmdDone_Click()
{
    QString keptAs;
    const FileResult saved = m_keyer.save(&keptAs);
    if (!saved.ok) {
        m_prompts.detailedMessage(QStringLiteral("The WinKey settings could not be saved."), saved.error,
                                  QStringLiteral("WinKey Settings Not Saved"), MessageIcon::Warning);
        return;
    }
    if (!keptAs.isEmpty())
        m_prompts.message(QStringLiteral("%1 could not be read when it was loaded; it is kept as %2.")
                              .arg(m_keyer.filePath(), keptAs),
                          QStringLiteral("WinKey Settings Saved"), MessageIcon::Information);
    accept();
}

} // namespace velm
