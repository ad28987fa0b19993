#include "transmit/ui/PhoneFrm.h"

#include "platform/Prompts.h"
#include "platform/ui/FormScaling.h"
#include "platform/ui/SerialDeviceLabel.h"
#include "platform/ui/SerialPortsWindow.h"
#include "platform/ui/TabOrder.h"
#include "transmit/CwSettings.h"
#include "transmit/PhoneKeyer.h"
#include "transmit/ui/WindowControls.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace velm {

using transmitui::button;
using transmitui::caption;
using transmitui::field;
using transmitui::option;

const QString PhoneFrm::Title = QStringLiteral("Phone Wave Selections");

PhoneFrm::PhoneFrm(PhoneKeyer& keyer, Prompts& prompts, const SerialPortCatalog& catalog, QWidget* parent)
    : QDialog(parent), m_keyer(keyer), m_prompts(prompts)
{
    setObjectName(QStringLiteral("PhoneFrm"));
    setWindowTitle(Title);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFiles());
    layout->addWidget(buildPtt(catalog));

    auto* buttons = new QHBoxLayout;
    Command11 = button(this, "Command11", QStringLiteral("&Test"));
    Command11->setAccessibleName(QStringLiteral("Test F1"));
    Command12 = button(this, "Command12", QStringLiteral("&Stop"));
    Command12->setAccessibleName(QStringLiteral("Stop the F1 repeat"));
    Command12->hide();
    Command1 = button(this, "Command1", QStringLiteral("Done"));
    buttons->addStretch(1);
    for (QPushButton* b : {Command11, Command12, Command1})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    // Each file field, then its "Browse", then the PTT settings and the buttons.
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < fileFields.size(); ++i) {
        for (QWidget* next :
             {static_cast<QWidget*>(fileFields[i]), static_cast<QWidget*>(browseButtons[i])}) {
            if (previous)
                QWidget::setTabOrder(previous, next);
            previous = next;
        }
    }
    QWidget::setTabOrder(previous, Option1);
    setTabChain({Option1, Option2, Option3, Text10, cmdSerialPorts, Text11, txtPHLoop, Command11, Command12,
                 Command1});
    connectFields();
    connect(&m_keyer, &PhoneKeyer::settingsChanged, this, &PhoneFrm::refresh);
    connect(&m_keyer, &PhoneKeyer::stateChanged, this, [this] {
        if (!m_keyer.VoiceRepeat())
            Command12->hide();
    });
    refresh();
    applyFormScaling(*this, FormVariant::E);
}

QWidget* PhoneFrm::buildFiles()
{
    auto* box = new QGroupBox(QStringLiteral("Wave Files"), this);
    auto* grid = new QGridLayout(box);
    const char* fields[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9"};
    const char* buttons[] = {"Command2", "Command3", "Command4", "Command5", "Command6",
                             "Command7", "Command8", "Command9", "Command10"};
    // A double quote cannot be stored in wave2.txt.
    const auto* quoteFree =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), box);
    for (int i = 0; i < 9; ++i) {
        const QString key = QStringLiteral("F%1").arg(i + 1);
        QLineEdit* edit = field(box, fields[i], key + QStringLiteral(" message file"));
        edit->setValidator(quoteFree);
        edit->setMinimumWidth(360);
        QPushButton* browseButton = button(box, buttons[i], QStringLiteral("Browse"));
        browseButton->setAccessibleName(QStringLiteral("Browse for ") + key);
        fileFields[std::size_t(i)] = edit;
        browseButtons[std::size_t(i)] = browseButton;
        grid->addWidget(caption(box, key, edit), i, 0);
        grid->addWidget(edit, i, 1);
        grid->addWidget(browseButton, i, 2);
    }
    Text1 = fileFields[0], Text2 = fileFields[1], Text3 = fileFields[2], Text4 = fileFields[3];
    Text5 = fileFields[4], Text6 = fileFields[5], Text7 = fileFields[6], Text8 = fileFields[7];
    Text9 = fileFields[8];
    Command2 = browseButtons[0], Command3 = browseButtons[1], Command4 = browseButtons[2];
    Command5 = browseButtons[3], Command6 = browseButtons[4], Command7 = browseButtons[5];
    Command8 = browseButtons[6], Command9 = browseButtons[7], Command10 = browseButtons[8];
    return box;
}

QWidget* PhoneFrm::buildPtt(const SerialPortCatalog& catalog)
{
    auto* box = new QGroupBox(QStringLiteral("PTT"), this);
    auto* grid = new QGridLayout(box);
    auto* lines = new QButtonGroup(box);
    Option1 = option(box, "Option1", QStringLiteral("RTS"));
    Option2 = option(box, "Option2", QStringLiteral("DTR"));
    Option3 = option(box, "Option3", QStringLiteral("Parallel"));
    Option1->setAccessibleName(QStringLiteral("PTT on RTS"));
    Option2->setAccessibleName(QStringLiteral("PTT on DTR"));
    Option3->setAccessibleName(QStringLiteral("PTT on the parallel port"));
    auto* row = new QHBoxLayout;
    for (const auto& [o, line] : {std::pair{Option1, PttLine::Rts}, std::pair{Option2, PttLine::Dtr},
                                  std::pair{Option3, PttLine::Parallel}}) {
        lines->addButton(o, int(line));
        row->addWidget(o);
    }
    grid->addLayout(row, 0, 0, 1, 3);
    connect(lines, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on && !m_refreshing)
            m_keyer.setPttLine(PttLine(id));
    });

    Text10 = field(box, "Text10", QStringLiteral("PTT serial port"));
    Text10->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    cmdSerialPorts = button(box, "cmdSerialPorts", QStringLiteral("Serial &Ports..."));
    connect(cmdSerialPorts, &QPushButton::clicked, this, [this, &catalog] {
        openSerialPortsWindow(this, m_keyer.serialPorts(), catalog, std::max(1, pttPortOf(Text10->text())));
    });
    lblDevice = new SerialDeviceLabel(m_keyer.serialPorts(), box);
    grid->addWidget(caption(box, QStringLiteral("PTT Com P&ort"), Text10), 1, 0);
    grid->addWidget(Text10, 1, 1);
    grid->addWidget(cmdSerialPorts, 1, 2);
    grid->addWidget(lblDevice, 2, 0, 1, 3);

    Text11 = field(box, "Text11", QStringLiteral("Parallel port address"));
    grid->addWidget(caption(box, QStringLiteral("Parallel Port &Address"), Text11), 3, 0);
    grid->addWidget(Text11, 3, 1);
    txtPHLoop = field(box, "txtPHLoop", QStringLiteral("F1 repeat, Loop (Sec)"));
    grid->addWidget(caption(box, QStringLiteral("&Loop (Sec)"), txtPHLoop), 4, 0);
    grid->addWidget(txtPHLoop, 4, 1);
    return box;
}

void PhoneFrm::connectFields()
{
    for (int i = 0; i < 9; ++i) {
        QLineEdit* edit = fileFields[std::size_t(i)];
        connect(edit, &QLineEdit::textEdited, this, [this, edit, i] {
            if (!m_keyer.setMessageFile(i, edit->text())) {
                m_prompts.beep();
                edit->setText(m_keyer.settings().files[std::size_t(i)]);
            }
        });
        connect(browseButtons[std::size_t(i)], &QPushButton::clicked, this, [this, i] { browse(i); });
    }
    connect(Text10, &QLineEdit::editingFinished, this,
            [this] { Text10->setText(m_keyer.leavePortField(Text10->text())); });
    connect(Text10, &QLineEdit::textChanged, this,
            [this] { lblDevice->setPortNumber(pttPortOf(Text10->text())); });
    connect(Text11, &QLineEdit::textEdited, this, [this] {
        const int caret = Text11->cursorPosition();
        const QString before = Text11->text();
        const QString after = m_keyer.setParallelAddress(before);
        if (after != before) {
            Text11->setText(after);
            Text11->setCursorPosition(std::min(caret, int(after.size())));
        }
    });
    connect(txtPHLoop, &QLineEdit::editingFinished, this, [this] {
        if (!m_keyer.leaveRepeatField(txtPHLoop->text()))
            txtPHLoop->setText(QStringLiteral("0"));
    });
    connect(Command11, &QPushButton::clicked, this, &PhoneFrm::Command11_Click);
    connect(Command12, &QPushButton::clicked, this, &PhoneFrm::Command12_Click);
    connect(Command1, &QPushButton::clicked, this, &PhoneFrm::Command1_Click);
}

void PhoneFrm::browse(int index)
{
    QLineEdit* edit = fileFields[std::size_t(index)];
    const QString folder = edit->text().isEmpty() ? QString() : QFileInfo(edit->text()).absolutePath();
    const std::optional<QString> chosen = m_prompts.openFileName(
        QStringLiteral("Browse for F%1").arg(index + 1), folder, QStringLiteral("(*.wav)"));
    // Cancelled, or a path wave2.txt could not hold: a beep, and the field stays as it was.
    if (!chosen || !m_keyer.setMessageFile(index, *chosen)) {
        m_prompts.beep();
        return;
    }
    edit->setText(*chosen);
}

void PhoneFrm::refresh()
{
    m_refreshing = true;
    const VoiceKeyerSettings& s = m_keyer.settings();
    for (int i = 0; i < 9; ++i)
        fileFields[std::size_t(i)]->setText(s.files[std::size_t(i)]);
    Text10->setText(s.portText);
    Text11->setText(s.parallelAddress);
    txtPHLoop->setText(s.repeatText);
    QRadioButton* options[] = {Option1, Option2, Option3};
    if (s.line == PttLine::None) {
        for (QRadioButton* o : options) {
            o->group()->setExclusive(false);
            o->setChecked(false);
            o->group()->setExclusive(true);
        }
    } else {
        options[int(s.line)]->setChecked(true);
    }
    m_refreshing = false;
}

void PhoneFrm::Command11_Click()
{
    Command12->setVisible(m_keyer.Command11_Click());
}

void PhoneFrm::Command12_Click()
{
    m_keyer.Command12_Click();
    Command12->hide();
}

void PhoneFrm::Command1_Click()
{
    QString notice;
    const FileResult saved = m_keyer.Command1_Click(&notice);
    if (!saved.ok) {
        // Which file and why; the window stays, so nothing typed into it is lost.
        m_prompts.detailedMessage(QStringLiteral("The voice keyer settings could not be saved."), saved.error,
                                  QStringLiteral("Voice Keyer Settings Not Saved"), MessageIcon::Warning);
        return;
    }
    if (!notice.isEmpty())
        m_prompts.message(notice, QStringLiteral("Voice Keyer Settings Saved"), MessageIcon::Information);
    hide();
    Q_EMIT done();
}

void PhoneFrm::showNormalRaised()
{
    showNormal();
    raise();
    activateWindow();
}

} // namespace velm
