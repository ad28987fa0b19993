#include "rig/ui/RigControlfrm.h"

#include "platform/Prompts.h"
#include "platform/SerialPortTable.h"
#include "platform/ui/FormScaling.h"
#include "platform/ui/SerialPortsWindow.h"
#include "platform/ui/ValueLabel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace velm {

const QString RigControlfrm::Title = QStringLiteral(" Rig Interface Setup");
const QString RigControlfrm::IcomNoteText =
    QStringLiteral("Icom radio users will have to replace the 64 in the string with the ID for your "
                   "particular radio.  Please "
                   "check your Icom user's manual for details.");
const QString RigControlfrm::NotPollingText = QStringLiteral(
    "You must be polling your rig to test this function.  Please select your rig type and click the Test "
    "command button.");

namespace {

const QString kFrequencyCaption = QStringLiteral("Frequency");
const QString kModeCaption = QStringLiteral("Mode");
const QString kUnprocessedCaption = QStringLiteral("Unprocessed data returned");
const QString kPollingCaption = QStringLiteral("Polling Rig");

// Group titles with their Alt keys; the accessible titles drop the "&" and the colon.
const char* const kGroupTitles[kRigOptionGroups] = {
    "&Baud Rate (k):", "Pa&rity:",           "D&ata Bits:",         "St&op Bits:",
    "Comm &Port:",     "Connection Po&wer:", "Radio Po&lling Rate:"};
const char* const kGroupNames[kRigOptionGroups] = {"optBaud", "optParity", "optDataBits", "optStopBits",
                                                   "optPort", "optPower",  "optPollRate"};

QString plainCaption(QString caption)
{
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption;
}

QPushButton* button(QWidget* parent, const QString& caption, const char* name)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

} // namespace

RigControlfrm::RigControlfrm(Rig& rig, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_rig(rig), m_prompts(prompts)
{
    setObjectName(QStringLiteral("RigControlfrm"));
    setWindowTitle(Title);

    lstRig = new QListWidget(this);
    lstRig->setObjectName(QStringLiteral("lstRig"));
    lstRig->addItems(rigTypeNames());
    lstRig->setAccessibleName(QStringLiteral("Select Rig"));
    auto* rigCaption = new QLabel(QStringLiteral("&Select Rig:"), this);
    rigCaption->setBuddy(lstRig);
    connect(lstRig, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_showing && row >= 0)
            m_rig.ApplyRigPreset(lstRig->item(row)->text());
    });

    auto* left = new QVBoxLayout;
    left->addWidget(rigCaption);
    left->addWidget(lstRig, 1);

    auto* groups = new QGridLayout;
    groups->addWidget(optionGroup(RigOption::Baud, 3), 0, 0, 1, 2);
    groups->addWidget(optionGroup(RigOption::Parity, 1), 0, 2);
    groups->addWidget(optionGroup(RigOption::DataBits, 1), 1, 0);
    groups->addWidget(optionGroup(RigOption::StopBits, 1), 1, 1);
    groups->addWidget(optionGroup(RigOption::Power, 1), 1, 2);
    groups->addWidget(optionGroup(RigOption::Port, 5), 2, 0, 1, 2);
    groups->addWidget(optionGroup(RigOption::PollRate, 2), 2, 2);

    auto* middle = new QVBoxLayout;
    middle->addLayout(groups);
    middle->addWidget(buildQueries());
    middle->addWidget(buildChecksAndModeBy());

    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(middle, 3);

    lblIcomNote = new QLabel(IcomNoteText, this);
    lblIcomNote->setObjectName(QStringLiteral("lblIcomNote"));
    lblIcomNote->setWordWrap(true);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(lblIcomNote);
    outer->addWidget(buildButtonsAndReadouts());

    connect(&m_rig, &Rig::changed, this, &RigControlfrm::rigChanged);
    // The window's creation reads the settings file (once); the list shows the stored type without a preset.
    m_rig.LoadRigSettings();
    showSettings();
    showPolling();
    showReadouts();
    lstRig->setFocus();
    applyFormScaling(*this, FormVariant::E);
}

QList<QRadioButton*>& RigControlfrm::options(RigOption group)
{
    return m_options[int(group)];
}

QGroupBox* RigControlfrm::optionGroup(RigOption group, int columns)
{
    const RigOptionGroup& table = rigOptionGroup(group);
    auto* box = new QGroupBox(QString::fromLatin1(kGroupTitles[int(group)]), this);
    box->setObjectName(QStringLiteral("fra") + QString::fromLatin1(kGroupNames[int(group)]).mid(3));
    box->setAccessibleName(plainCaption(box->title()));
    auto* grid = new QGridLayout(box);
    auto* exclusive = new QButtonGroup(box);
    QList<QRadioButton*>& list = m_options[int(group)];
    for (int i = 0; i < table.captions.size(); ++i) {
        auto* option = new QRadioButton(table.captions.at(i), box);
        option->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(kGroupNames[int(group)])).arg(i));
        exclusive->addButton(option, i);
        grid->addWidget(option, i / columns, i % columns);
        list << option;
        connect(option, &QRadioButton::clicked, this, [this, group, i] {
            if (!m_showing)
                m_rig.chooseOption(group, i);
        });
    }
    exclusive->setExclusive(true);
    if (group == RigOption::Port) {
        optPort = list;
        txtDevice = new QLineEdit(box);
        txtDevice->setObjectName(QStringLiteral("txtDevice"));
        txtDevice->setAccessibleName(QStringLiteral("Device of this port"));
        auto* caption = new QLabel(QStringLiteral("De&vice:"), box);
        caption->setBuddy(txtDevice);
        cmdSerialPorts = button(box, QStringLiteral("Serial Ports..."), "cmdSerialPorts");
        const int row = int((table.captions.size() + columns - 1) / columns);
        grid->addWidget(caption, row, 0);
        grid->addWidget(txtDevice, row, 1, 1, columns - 2);
        grid->addWidget(cmdSerialPorts, row, columns - 1);
        connect(txtDevice, &QLineEdit::editingFinished, this, [this] {
            if (const int port = selectedPort(); port > 0)
                m_rig.serialPorts().setDevicePath(port, txtDevice->text());
            showDevice();
        });
        connect(cmdSerialPorts, &QPushButton::clicked, this, [this] {
            openSerialPortsWindow(this, m_rig.serialPorts(), m_rig.serialCatalog(), qMax(1, selectedPort()));
        });
        connect(&m_rig.serialPorts(), &SerialPortTable::changed, this, &RigControlfrm::showDevice);
    }
    optBaud = m_options[int(RigOption::Baud)];
    optParity = m_options[int(RigOption::Parity)];
    optDataBits = m_options[int(RigOption::DataBits)];
    optStopBits = m_options[int(RigOption::StopBits)];
    optPower = m_options[int(RigOption::Power)];
    optPollRate = m_options[int(RigOption::PollRate)];
    return box;
}

QWidget* RigControlfrm::buildQueries()
{
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    const auto field = [&](QLineEdit*& edit, const char* name, const QString& caption) {
        edit = new QLineEdit(box);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAccessibleName(plainCaption(caption));
        auto* label = new QLabel(caption, box);
        label->setBuddy(edit);
        form->addRow(label, edit);
    };
    field(txtFreq, "txtFreq", QStringLiteral("String to read &frequency:"));
    field(txtMode, "txtMode", QStringLiteral("String to read &mode:"));
    field(txtRigctld, "txtRigctld", QStringLiteral("ri&gctld address (Hamlib NET rigctl):"));
    txtFreq->installEventFilter(this);
    txtMode->installEventFilter(this);
    connect(txtFreq, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_showing)
            m_rig.setFrequencyQuery(text);
    });
    connect(txtMode, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_showing)
            m_rig.setModeQuery(text);
    });
    connect(txtRigctld, &QLineEdit::editingFinished, this,
            [this] { m_rig.setRigctldAddress(txtRigctld->text()); });
    return box;
}

QWidget* RigControlfrm::buildChecksAndModeBy()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* checks = new QVBoxLayout;
    const auto check = [&](QCheckBox*& item, const char* name, const QString& caption) {
        item = new QCheckBox(caption, box);
        item->setObjectName(QString::fromLatin1(name));
        checks->addWidget(item);
    };
    check(chkConvert, "chkConvert", QStringLiteral("Convert to &Hex"));
    check(chkConvertFrom, "chkConvertFrom", QStringLiteral("Convert from He&x"));
    check(chkUseFrequency, "chkUseFrequency", QStringLiteral("&Use Frequency"));
    connect(chkConvert, &QCheckBox::clicked, this, [this](bool on) { m_rig.setConvertToHex(on); });
    connect(chkConvertFrom, &QCheckBox::clicked, this, [this](bool on) { m_rig.setConvertFromHex(on); });
    connect(chkUseFrequency, &QCheckBox::clicked, this, [this](bool on) { m_rig.setUseFrequency(on); });

    auto* modeBy = new QGroupBox(QStringLiteral("Mode b&y:"), box);
    modeBy->setObjectName(QStringLiteral("fraModeBy"));
    modeBy->setAccessibleName(QStringLiteral("Mode by"));
    auto* modes = new QVBoxLayout(modeBy);
    auto* exclusive = new QButtonGroup(modeBy);
    const QString captions[] = {QStringLiteral("Rig"), QStringLiteral("Frequency"),
                                QStringLiteral("Don't Use")};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(captions[i], modeBy);
        option->setObjectName(QStringLiteral("optModeBy_%1").arg(i));
        exclusive->addButton(option, i);
        modes->addWidget(option);
        optModeBy << option;
        connect(option, &QRadioButton::clicked, this, [this, i] { m_rig.setModeBy(ModeBy(i + 1)); });
    }
    row->addLayout(checks);
    row->addWidget(modeBy);
    return box;
}

QWidget* RigControlfrm::buildButtonsAndReadouts()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    cmdTest = button(box, QStringLiteral("&Test"), "cmdTest");
    cmdEndTest = button(box, QStringLiteral("&End Test"), "cmdEndTest");
    cmdChangeFrequency = button(box, QStringLiteral("&Change Frequency"), "cmdChangeFrequency");
    cmdCopy = button(box, QStringLiteral("Copy u&nprocessed data to clipboard"), "cmdCopy");
    cmdDone = button(box, QStringLiteral("&Done"), "cmdDone");
    connect(cmdTest, &QPushButton::clicked, this, [this] { m_rig.StartTest(); });
    connect(cmdEndTest, &QPushButton::clicked, this, [this] { m_rig.EndTest(); });
    connect(cmdChangeFrequency, &QPushButton::clicked, this, &RigControlfrm::cmdChangeFrequency_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &RigControlfrm::cmdCopy_Click);
    connect(cmdDone, &QPushButton::clicked, this, &RigControlfrm::cmdDone_Click);

    lblFrequency = valueLabel(box, "lblFrequency");
    lblMode = valueLabel(box, "lblMode");
    lblUnprocessed = valueLabel(box, "lblUnprocessed");
    lblUnprocessed->setWordWrap(true);
    lblPolling = valueLabel(box, "lblPolling");
    lblPolling->setText(kPollingCaption);
    lblPolling->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    const auto caption = [box](const QString& text) { return new QLabel(text + QLatin1Char(':'), box); };
    grid->addWidget(caption(kFrequencyCaption), 0, 0);
    grid->addWidget(lblFrequency, 0, 1);
    grid->addWidget(caption(kModeCaption), 1, 0);
    grid->addWidget(lblMode, 1, 1);
    grid->addWidget(lblPolling, 0, 2);
    grid->addWidget(caption(kUnprocessedCaption), 2, 0);
    grid->addWidget(lblUnprocessed, 2, 1, 1, 3);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdTest, cmdEndTest, cmdChangeFrequency, cmdCopy, cmdDone})
        buttons->addWidget(b);
    grid->addLayout(buttons, 3, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    return box;
}

// ---- From the Rig to the controls ----

void RigControlfrm::rigChanged(RigChanges what)
{
    if (what & RigChange::Settings)
        showSettings();
    if (what & RigChange::Polling)
        showPolling();
    // While the window is hidden the read-outs are left alone; showing it brings them up to date.
    if ((what & RigChange::Readouts) && isVisible())
        showReadouts();
}

void RigControlfrm::showSettings()
{
    m_showing = true;
    const RigSettings& settings = m_rig.settings();
    const RigChoices& choices = m_rig.choices();
    // A type the list lacks selects nothing.
    const int row = int(rigTypeNames().indexOf(settings.RigType));
    lstRig->setCurrentRow(row);
    if (row < 0)
        lstRig->clearSelection();
    for (int g = 0; g < kRigOptionGroups; ++g) {
        const QList<QRadioButton*>& list = m_options[g];
        const int selected = choices[RigOption(g)];
        // An exclusive group cannot uncheck its last button by itself.
        if (!list.isEmpty())
            list.first()->group()->setExclusive(false);
        for (int i = 0; i < list.size(); ++i)
            list[i]->setChecked(i == selected);
        if (!list.isEmpty())
            list.first()->group()->setExclusive(true);
    }
    if (txtFreq->text() != settings.FrequencyQuery)
        txtFreq->setText(settings.FrequencyQuery);
    if (txtMode->text() != settings.ModeQuery)
        txtMode->setText(settings.ModeQuery);
    if (!txtRigctld->hasFocus())
        txtRigctld->setText(m_rig.rigctldAddress());
    chkConvert->setChecked(choices.convertToHex);
    chkConvert->setEnabled(choices.convertToHexEnabled);
    chkConvertFrom->setChecked(choices.convertFromHex);
    chkUseFrequency->setChecked(choices.useFrequency);
    optModeBy.first()->group()->setExclusive(false);
    for (int i = 0; i < optModeBy.size(); ++i)
        optModeBy[i]->setChecked(int(choices.modeBy) == i + 1);
    optModeBy.first()->group()->setExclusive(true);
    lblIcomNote->setVisible(choices.icomNote);
    showDevice();
    m_showing = false;
}

void RigControlfrm::showReadouts()
{
    const RigReadouts& readouts = m_rig.readouts();
    setValueLabel(lblFrequency, kFrequencyCaption, readouts.frequency);
    setValueLabel(lblMode, kModeCaption, readouts.mode);
    setValueLabel(lblUnprocessed, kUnprocessedCaption, readouts.unprocessed);
}

void RigControlfrm::showPolling()
{
    const bool on = m_rig.polling();
    cmdEndTest->setEnabled(on);
    lblPolling->setVisible(on);
    lblPolling->setAccessibleName(
        spokenValue(kPollingCaption, on ? QStringLiteral("on") : QStringLiteral("off")));
}

int RigControlfrm::selectedPort() const
{
    const int index = m_rig.choices()[RigOption::Port];
    return index >= 0 ? index + 1 : 0;
}

void RigControlfrm::showDevice()
{
    const int port = selectedPort();
    txtDevice->setEnabled(port > 0);
    if (!txtDevice->hasFocus())
        txtDevice->setText(port > 0 ? m_rig.serialPorts().devicePath(port) : QString());
}

// ---- Events ----

bool RigControlfrm::eventFilter(QObject* watched, QEvent* event)
{
    // Moving into a query box ends the test: the strings are being changed. Focus coming back with the window
    // (the operator returning from the main window) changes nothing.
    if (event->type() == QEvent::FocusIn && (watched == txtFreq || watched == txtMode)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
            reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
            m_rig.queryBoxFocused();
    }
    return QDialog::eventFilter(watched, event);
}

void RigControlfrm::showEvent(QShowEvent* event)
{
    showReadouts();
    QDialog::showEvent(event);
}

void RigControlfrm::cmdDone_Click()
{
    const FileResult saved = m_rig.Done();
    if (!saved.ok)
        m_prompts.detailedMessage(QStringLiteral("The rig settings could not be saved."), saved.error,
                                  QStringLiteral("Rig Settings Not Saved"), MessageIcon::Warning);
    // Hides the window, and ends it when it was shown modally (start-up with a port that failed).
    done(QDialog::Accepted);
}

void RigControlfrm::cmdChangeFrequency_Click()
{
    if (m_rig.polling()) {
        Q_EMIT frequencyTestRequested();
        return;
    }
    m_prompts.message(NotPollingText, NotPollingText, MessageIcon::Information);
}

void RigControlfrm::cmdCopy_Click()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(lblUnprocessed->text());
    cmdDone->setFocus();
}

} // namespace velm
