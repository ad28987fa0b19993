#include "spots/ui/PacketSpotfrm.h"

#include "platform/ui/FormScaling.h"
#include "platform/ui/ValueLabel.h"
#include "spots/SpotConnection.h"
#include "spots/SpotTexts.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace velm {

namespace {

const QStringList kBaudCaptions = {QStringLiteral("1.2k"), QStringLiteral("2.4k"),  QStringLiteral("4.8k"),
                                   QStringLiteral("9.6k"), QStringLiteral("14.4k"), QStringLiteral("19.2k")};
const QStringList kParityValues = {QStringLiteral("O"), QStringLiteral("N"), QStringLiteral("E")};
const QStringList kDataBits = {QStringLiteral("7"), QStringLiteral("8")};
const QStringList kStopBits = {QStringLiteral("1"), QStringLiteral("2")};
const QStringList kPowerValues = {QStringLiteral("N"), QStringLiteral("R"), QStringLiteral("D")};

void checkAt(const QList<QRadioButton*>& buttons, qsizetype index)
{
    if (index >= 0 && index < buttons.size())
        buttons[index]->setChecked(true);
}

QLineEdit* namedField(QWidget* parent, const char* name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

} // namespace

PacketSpotfrm::PacketSpotfrm(SpotConnection& spots, QWidget* parent)
    : QWidget(parent, Qt::Window), m_spots(spots)
{
    setObjectName(QStringLiteral("PacketSpotfrm"));
    setWindowTitle(spottext::kWindowTitle);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->addItems(SpotSourceName::all());
    List1->setAccessibleName(QStringLiteral("DX spot source"));
    List1->setMaximumHeight(List1->sizeHintForRow(0) * 5);
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_rendering && row >= 0)
            m_spots.List1_Click(List1->item(row)->text());
    });

    auto* options = new QHBoxLayout;
    QStringList ports;
    for (int port = 1; port <= 10; ++port)
        ports << QString::number(port);
    options->addWidget(optionGroup(QStringLiteral("Comm Port"), ports, QStringLiteral("optComm_%1"), optComm,
                                   [this](int index) { m_spots.setPort(index + 1); }));
    options->addWidget(optionGroup(QStringLiteral("Baud"), kBaudCaptions, QStringLiteral("optBaud_%1"),
                                   optBaud, [this](int index) { m_spots.setBaud(kSpotBaudRates[index]); }));
    options->addWidget(optionGroup(QStringLiteral("Parity"),
                                   {QStringLiteral("Odd"), QStringLiteral("None"), QStringLiteral("Even")},
                                   QStringLiteral("optParity_%1"), optParity,
                                   [this](int index) { m_spots.setParity(kParityValues[index]); }));
    options->addWidget(optionGroup(QStringLiteral("Data Bits"), kDataBits, QStringLiteral("optDataBits_%1"),
                                   optDataBits,
                                   [this](int index) { m_spots.setDataBits(kDataBits[index]); }));
    options->addWidget(optionGroup(QStringLiteral("Stop Bits"), kStopBits, QStringLiteral("optStopBits_%1"),
                                   optStopBits,
                                   [this](int index) { m_spots.setStopBits(kStopBits[index]); }));
    QList<QRadioButton*> power;
    options->addWidget(optionGroup(QStringLiteral("Connection Power"),
                                   {QStringLiteral("None"), QStringLiteral("RTS"), QStringLiteral("DTR")},
                                   QStringLiteral("optPower_%1"), power,
                                   [this](int index) { m_spots.setPower(kPowerValues[index]); }));
    optPowerNone = power[0];
    optPowerRTS = power[1];
    optPowerDTR = power[2];
    optPowerNone->setObjectName(QStringLiteral("optPowerNone"));
    optPowerRTS->setObjectName(QStringLiteral("optPowerRTS"));
    optPowerDTR->setObjectName(QStringLiteral("optPowerDTR"));
    options->addWidget(optionGroup(QStringLiteral("Handshaking"),
                                   {QStringLiteral("None"), QStringLiteral("Xon Xoff"), QStringLiteral("RTS"),
                                    QStringLiteral("RTS OnOff")},
                                   QStringLiteral("Option%1"), optHandshake,
                                   [this](int index) { m_spots.setHandshake(index + 1); }));
    for (int i = 0; i < optHandshake.size(); ++i)
        optHandshake[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));

    auto* top = new QHBoxLayout;
    auto* sourceColumn = new QVBoxLayout;
    auto* sourceCaption = new QLabel(QStringLiteral("DX Spot Source:"), this);
    sourceCaption->setBuddy(List1);
    sourceColumn->addWidget(sourceCaption);
    sourceColumn->addWidget(List1);
    sourceColumn->addStretch(1);
    top->addLayout(sourceColumn);
    top->addWidget(settingFields(), 1);

    Label6 = new QLabel(this);
    Label6->setObjectName(QStringLiteral("Label6"));
    txtSent = namedField(this, "txtSent");
    Label6->setBuddy(txtSent);
    connect(txtSent, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_spots.txtSent_Change(text))
            txtSent->clear();
    });

    txtUnProcessed = new QPlainTextEdit(this);
    txtUnProcessed->setObjectName(QStringLiteral("txtUnProcessed"));
    txtUnProcessed->setReadOnly(true);
    txtUnProcessed->setAccessibleName(QStringLiteral("Traffic"));
    txtUnProcessed->setMinimumHeight(txtUnProcessed->fontMetrics().height() * 12);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(options);
    layout->addWidget(buttonsRow());
    layout->addWidget(Label6);
    layout->addWidget(txtSent);
    layout->addWidget(txtUnProcessed, 1);

    setTabOrder(List1, txtSent);
    // The window's keys come here before any control sees them (Esc and Ctrl+C wherever the focus is).
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    installEventFilter(this);

    connect(&m_spots, &SpotConnection::changed, this, &PacketSpotfrm::render);
    connect(&m_spots, &SpotConnection::trafficChanged, this, &PacketSpotfrm::queueTrafficSync);
    connect(&m_spots, &SpotConnection::windowWanted, this, &PacketSpotfrm::showInFront);
    connect(&m_spots, &SpotConnection::sendFieldWanted, this, [this] {
        if (isVisible())
            txtSent->setFocus();
    });
    render();
    syncTraffic();
    applyFormScaling(*this, FormVariant::D);
}

QGroupBox* PacketSpotfrm::optionGroup(const QString& title, const QStringList& captions,
                                      const QString& namePrefix, QList<QRadioButton*>& buttons,
                                      const std::function<void(int)>& clicked)
{
    auto* group = new QGroupBox(title, this);
    auto* column = new QVBoxLayout(group);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], group);
        button->setObjectName(namePrefix.arg(i));
        // Only the operator's click counts: showing the settings never closes the source.
        connect(button, &QRadioButton::clicked, this, [clicked, i] { clicked(i); });
        column->addWidget(button);
        buttons.append(button);
    }
    column->addStretch(1);
    m_serialGroups.append(group);
    return group;
}

QGroupBox* PacketSpotfrm::settingFields()
{
    auto* box = new QGroupBox(this);
    auto* form = new QFormLayout(box);
    txtHex = namedField(box, "txtHex");
    txtHex->setMaxLength(2);
    m_hexCaption = new QLabel(QStringLiteral("TNC cmd mode hex character:"), box);
    form->addRow(m_hexCaption, txtHex);
    txtTelnetHost = namedField(box, "txtTelnetHost");
    form->addRow(QStringLiteral("Telnet Host:"), txtTelnetHost);
    txtTelnetPort = namedField(box, "txtTelnetPort");
    form->addRow(QStringLiteral("Telnet Port:"), txtTelnetPort);
    connect(txtHex, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_spots.setCommandHex(text); });
    connect(txtTelnetHost, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_spots.setTelnetHost(text); });
    connect(txtTelnetPort, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_spots.setTelnetPort(text); });

    chkDX = new QCheckBox(QStringLiteral("List DX Only (also controls main form)"), box);
    chkDX->setObjectName(QStringLiteral("chkDX"));
    connect(chkDX, &QCheckBox::clicked, this, [this](bool on) { m_spots.setDxOnly(on); });
    form->addRow(chkDX);

    auto* display = new QGroupBox(QStringLiteral("Main Form Display"), box);
    display->setObjectName(QStringLiteral("MainFormDisplay"));
    auto* row = new QHBoxLayout(display);
    OptList = new QRadioButton(QStringLiteral("List"), display);
    OptList->setObjectName(QStringLiteral("OptList"));
    OptBand = new QRadioButton(QStringLiteral("Band Map"), display);
    OptBand->setObjectName(QStringLiteral("OptBand"));
    row->addWidget(OptList);
    row->addWidget(OptBand);
    connect(OptList, &QRadioButton::clicked, this, [this] { m_spots.setListDisplay(true); });
    connect(OptBand, &QRadioButton::clicked, this, [this] { m_spots.setListDisplay(false); });
    form->addRow(display);

    chkConvToHex = new QCheckBox(QStringLiteral("Convert to Hex"), box);
    chkConvToHex->setObjectName(QStringLiteral("chkConvToHex"));
    connect(chkConvToHex, &QCheckBox::clicked, this, [this](bool on) { m_spots.setConvertToHex(on); });
    form->addRow(chkConvToHex);
    return box;
}

QWidget* PacketSpotfrm::buttonsRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto button = [row, layout](const QString& caption, const char* name) {
        auto* pushButton = new QPushButton(caption, row);
        pushButton->setObjectName(QString::fromLatin1(name));
        pushButton->setAutoDefault(false);
        layout->addWidget(pushButton);
        return pushButton;
    };
    Command1 = button(QStringLiteral("Open Port"), "Command1");
    Command2 = button(QStringLiteral("Close Port"), "Command2");
    Command3 = button(QStringLiteral("&Spot Last"), "Command3");
    cmdDone = button(QStringLiteral("&Done"), "cmdDone");
    Label4 = new QLabel(spottext::kListening, row);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setTextInteractionFlags(Qt::NoTextInteraction);
    layout->addWidget(Label4);
    layout->addStretch(1);
    connect(Command1, &QPushButton::clicked, this, [this] { m_spots.OpenSpotSource(); });
    connect(Command2, &QPushButton::clicked, this, [this] { m_spots.CloseSpotSource(); });
    connect(Command3, &QPushButton::clicked, this, &PacketSpotfrm::Command3_Click);
    connect(cmdDone, &QPushButton::clicked, this, &PacketSpotfrm::cmdDone_Click);
    return row;
}

void PacketSpotfrm::render()
{
    m_rendering = true;
    const SpotSettings& settings = m_spots.settings();
    setWindowTitle(m_spots.caption());
    const qsizetype source = SpotSourceName::all().indexOf(settings.source);
    if (source >= 0)
        List1->setCurrentRow(int(source));
    else
        List1->setCurrentRow(-1);
    checkAt(optComm, settings.port - 1);
    checkAt(optBaud, kSpotBaudRates.indexOf(settings.baud.trimmed()));
    checkAt(optParity, kParityValues.indexOf(settings.parity));
    checkAt(optDataBits, kDataBits.indexOf(settings.dataBits));
    checkAt(optStopBits, kStopBits.indexOf(settings.stopBits));
    checkAt({optPowerNone, optPowerRTS, optPowerDTR}, kPowerValues.indexOf(settings.power));
    checkAt(optHandshake, settings.handshake - 1);
    if (txtHex->text() != settings.commandHex)
        txtHex->setText(settings.commandHex);
    if (txtTelnetHost->text() != settings.telnetHost)
        txtTelnetHost->setText(settings.telnetHost);
    if (txtTelnetPort->text() != settings.telnetPort)
        txtTelnetPort->setText(settings.telnetPort);
    chkDX->setChecked(settings.dxOnly != 0);
    chkConvToHex->setChecked(settings.convertToHex != 0);
    (settings.listDisplay ? OptList : OptBand)->setChecked(true);

    const SpotControls controls = m_spots.enabledControls();
    for (QGroupBox* group : std::as_const(m_serialGroups))
        group->setEnabled(controls.serial);
    txtHex->setEnabled(controls.commandHex);
    m_hexCaption->setEnabled(controls.commandHex);
    txtTelnetHost->setEnabled(controls.telnet);
    txtTelnetPort->setEnabled(controls.telnet);
    Command1->setEnabled(controls.portButtons);
    Command2->setEnabled(controls.portButtons);

    Label6->setText(m_spots.sendCaption());
    txtSent->setAccessibleName(m_spots.sendCaption().isEmpty() ? QStringLiteral("Send text")
                                                               : m_spots.sendCaption());
    setValueLabel(Label4, QStringLiteral("Spot source"), m_spots.isOpen() ? spottext::kListening : QString());
    Label4->setVisible(m_spots.isOpen());
    m_rendering = false;
}

void PacketSpotfrm::queueTrafficSync()
{
    // At most one redraw of the traffic box per pass of the event loop, however much arrives.
    if (m_trafficQueued)
        return;
    m_trafficQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_trafficQueued = false;
        syncTraffic();
    });
}

void PacketSpotfrm::syncTraffic()
{
    const TrafficBox& traffic = m_spots.traffic();
    const QString& text = traffic.text();
    if (traffic.rewriteRevision() != m_shownRewrite || text.size() < m_shownLength) {
        txtUnProcessed->setPlainText(TrafficBox::displayText(text));
        m_shownRewrite = traffic.rewriteRevision();
    } else if (text.size() > m_shownLength) {
        QTextCursor end = txtUnProcessed->textCursor();
        end.movePosition(QTextCursor::End);
        end.insertText(TrafficBox::displayText(QStringView(text).mid(m_shownLength)));
    }
    m_shownLength = text.size();
    QTextCursor caret = txtUnProcessed->textCursor();
    caret.setPosition(int(qMin<qsizetype>(TrafficBox::displayPosition(text, traffic.caret()),
                                          txtUnProcessed->document()->characterCount() - 1)));
    txtUnProcessed->setTextCursor(caret);
    txtUnProcessed->ensureCursorVisible();
}

void PacketSpotfrm::showInFront()
{
    show();
    raise();
    activateWindow();
}

bool PacketSpotfrm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        m_spots.Form_Activate();
    return QWidget::event(event);
}

bool PacketSpotfrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (Form_KeyDown(static_cast<QWidget*>(watched), key->key(), key->modifiers()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool PacketSpotfrm::Form_KeyDown(QWidget* widget, int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrlC = key == Qt::Key_C && (modifiers & Qt::ControlModifier);
    if (key == Qt::Key_Escape || ctrlC) {
        const bool sent = m_spots.commandModeKey();
        txtSent->setFocus();
        // Esc in the send field of the AGW source types the colon of a command.
        if (key == Qt::Key_Escape && widget == txtSent && m_spots.settings().source == SpotSourceName::Agw)
            txtSent->insert(QStringLiteral(":"));
        return sent || key == Qt::Key_Escape;
    }
    if (widget == txtSent && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        const QString text = txtSent->text();
        m_spots.txtSent_Enter(text);
        txtSent->clear();
        return true;
    }
    return false;
}

void PacketSpotfrm::Command3_Click()
{
    const SpotLastText last = m_spots.Command3_Click();
    txtSent->setText(last.text);
    txtSent->setFocus();
    txtSent->setSelection(last.selectionStart, last.selectionLength);
}

void PacketSpotfrm::cmdDone_Click()
{
    m_spots.cmdDone_Click();
    hide();
}

} // namespace velm
