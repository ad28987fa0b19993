#include "rig/ui/frmRigTune.h"

#include "platform/ui/FormScaling.h"
#include "rig/Rig.h"
#include "rig/RigTune.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velm {

const QString frmRigTune::Title = QStringLiteral(" Change Frequency and Mode (Ctrl G (Go))");

namespace {

QPushButton* button(QWidget* parent, const QString& caption, const QString& name)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false); // Enter in the frequency field is "&Go", not the first button
    return b;
}

QLineEdit* field(QWidget* parent, const char* name, const QString& text = {})
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

frmRigTune::frmRigTune(Rig& rig, QWidget* parent) : QDialog(parent), m_rig(rig)
{
    setObjectName(QStringLiteral("frmRigTune"));
    setWindowTitle(Title);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* top = new QHBoxLayout;
    auto* frequencyLabel = new QLabel(QStringLiteral("Frequency in MHz:"), this);
    txtFreq = field(this, "txtFreq");
    frequencyLabel->setBuddy(txtFreq);
    Command1 = button(this, QStringLiteral("&Go"), QStringLiteral("Command1"));
    top->addWidget(frequencyLabel);
    top->addWidget(txtFreq);
    top->addWidget(Command1);

    cmdDone = button(this, QStringLiteral("&Done"), QStringLiteral("cmdDone"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildBands());
    layout->addWidget(buildSteps());
    layout->addWidget(buildModes());
    layout->addWidget(buildScan());
    layout->addWidget(cmdDone, 0, Qt::AlignRight);

    connect(Command1, &QPushButton::clicked, this, &frmRigTune::Command1_Click);
    connect(txtFreq, &QLineEdit::textChanged, this, &frmRigTune::txtFreq_Change);
    connect(cmdDone, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    txtFreq_Change();

    Timer1.setInterval(kScanIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &frmRigTune::Timer1_Timer);
    Timer1.start();

    // The window sees every key first: the scan stops on any key, and the three fields take digits only.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    installEventFilter(this);
    txtFreq->setFocus();
    applyFormScaling(*this, FormVariant::D);
}

QWidget* frmRigTune::buildBands()
{
    auto* box = new QGroupBox(QStringLiteral("Bands"), this);
    auto* grid = new QGridLayout(box);
    const QList<rigtune::Band>& bands = rigtune::bands();
    for (int i = 0; i < bands.size(); ++i) {
        QPushButton* b = button(box, bands[i].caption, QStringLiteral("cmdBand_%1").arg(i));
        b->setAccessibleName(bands[i].accessibleName);
        grid->addWidget(b, i / 8, i % 8);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdBand_Click(i); });
        cmdBand.append(b);
    }
    return box;
}

QWidget* frmRigTune::buildSteps()
{
    auto* box = new QGroupBox(QStringLiteral("Steps"), this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral(" UP"), box), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral(" Down"), box), 1, 0);
    const QList<rigtune::Step>& steps = rigtune::steps();
    for (int i = 0; i < 2 * steps.size(); ++i) {
        const bool up = i % 2 == 0;
        const QString& caption = steps[i / 2].caption;
        QPushButton* b = button(box, caption, QStringLiteral("cmdTune_%1").arg(i));
        b->setAccessibleName((up ? QStringLiteral("Up ") : QStringLiteral("Down ")) + caption);
        grid->addWidget(b, up ? 0 : 1, i / 2 + 1);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdTune_Click(i); });
        cmdTune.append(b);
    }
    return box;
}

QWidget* frmRigTune::buildModes()
{
    auto* box = new QGroupBox(QStringLiteral("Mode"), this);
    auto* row = new QHBoxLayout(box);
    const struct {
        QPushButton** member;
        const char *caption, *name, *mode;
    } modes[] = {{&cmdCW, "&CW", "cmdCW", "CW"},     {&cmdUSB, "&USB", "cmdUSB", "USB"},
                 {&cmdLSB, "&LSB", "cmdLSB", "LSB"}, {&cmdAM, "&AM", "cmdAM", "AM"},
                 {&cmdFM, "&FM", "cmdFM", "FM"},     {&cmdRTTY, "&RTTY", "cmdRTTY", "RTTY"}};
    for (const auto& m : modes) {
        *m.member = button(box, QString::fromLatin1(m.caption), QString::fromLatin1(m.name));
        row->addWidget(*m.member);
        const QString mode = QString::fromLatin1(m.mode);
        connect(*m.member, &QPushButton::clicked, this, [this, mode] { modeClicked(mode); });
    }
    return box;
}

QWidget* frmRigTune::buildScan()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    chkScan = new QCheckBox(QStringLiteral("Scan"), box);
    chkScan->setObjectName(QStringLiteral("chkScan"));
    txtFrom = field(box, "txtFrom", QStringLiteral("1.8"));
    txtTo = field(box, "txtTo", QStringLiteral("54"));
    auto* fromLabel = new QLabel(QStringLiteral("From:"), box);
    auto* toLabel = new QLabel(QStringLiteral("To:"), box);
    fromLabel->setBuddy(txtFrom);
    toLabel->setBuddy(txtTo);
    grid->addWidget(chkScan, 0, 0);
    grid->addWidget(fromLabel, 0, 1);
    grid->addWidget(txtFrom, 0, 2);
    grid->addWidget(toLabel, 0, 3);
    grid->addWidget(txtTo, 0, 4);
    Frame1 = new QGroupBox(QStringLiteral("Scan Steps"), box);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* options = new QHBoxLayout(Frame1);
    const QList<rigtune::Step>& steps = rigtune::scanSteps();
    for (int i = 0; i < steps.size(); ++i) {
        auto* option = new QRadioButton(steps[i].caption, Frame1);
        option->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        options->addWidget(option);
        Option.append(option);
    }
    Option[3]->setChecked(true); // "10 Hz"
    grid->addWidget(Frame1, 1, 0, 1, 5);
    connect(chkScan, &QCheckBox::toggled, this, &frmRigTune::chkScan_Click);
    return box;
}

void frmRigTune::txtFreq_Change()
{
    const bool number = rigtune::isFrequencyText(txtFreq->text());
    for (QPushButton* b : cmdTune)
        b->setEnabled(number);
}

void frmRigTune::Command1_Click()
{
    const std::optional<double> mhz = rigtune::frequencyValue(txtFreq->text());
    if (!mhz || m_rig.RigType() == rigtype::None)
        return;
    m_rig.ChangeFrequency(float(*mhz));
}

void frmRigTune::cmdBand_Click(int index)
{
    txtFreq->setText(rigtune::bands().value(index).frequency);
    Command1_Click();
}

void frmRigTune::cmdTune_Click(int index)
{
    const rigtune::Step step = rigtune::steps().value(index / 2);
    const std::optional<QString> text =
        rigtune::steppedText(txtFreq->text(), index % 2 == 0 ? step.mhz : -step.mhz);
    if (!text)
        return;
    txtFreq->setText(*text);
    // The change lets events run: the window may be closed before it returns.
    QPointer<frmRigTune> alive(this);
    Command1_Click();
    if (alive)
        cmdDone->setFocus();
}

void frmRigTune::modeClicked(const QString& mode)
{
    QPointer<frmRigTune> alive(this);
    m_rig.ChangeMode(0, mode);
    if (alive)
        cmdDone->setFocus();
}

void frmRigTune::chkScan_Click()
{
    if (chkScan->isChecked() && !rigtune::isFrequencyText(txtFreq->text()))
        txtFreq->setText(txtFrom->text());
    Command1->setFocus();
}

void frmRigTune::Timer1_Timer()
{
    // A tick while a change waits would move the shown frequency ahead of the radio: the scan goes no
    // faster than the changes.
    if (!chkScan->isChecked() || m_rig.changing())
        return;
    const int option =
        int(std::find_if(Option.cbegin(), Option.cend(), [](QRadioButton* o) { return o->isChecked(); }) -
            Option.cbegin());
    const double step = rigtune::scanSteps().value(option, rigtune::scanSteps().at(3)).mhz;
    const std::optional<QString> next =
        rigtune::scanText(txtFreq->text(), txtFrom->text(), txtTo->text(), step);
    if (!next)
        return;
    txtFreq->setText(*next);
    Command1_Click();
}

bool frmRigTune::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // Any key stops a scan, and only stops it.
    if (chkScan->isChecked()) {
        chkScan->setChecked(false);
        return true;
    }
    if (watched == txtFreq || watched == txtFrom || watched == txtTo) {
        if (watched == txtFreq && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            QPointer<frmRigTune> alive(this);
            Command1_Click();
            if (alive) {
                txtFreq->setFocus();
                txtFreq->end(false);
            }
            return true;
        }
        const QString text = key->text();
        if (!text.isEmpty() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const char16_t c = text.at(0).unicode();
            if (c != 8 && (c < 46 || c > 57))
                return true; // dropped
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace velm
