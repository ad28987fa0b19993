#include "rig/ui/frmFrequencyTest.h"

#include "platform/ui/FormScaling.h"
#include "rig/HexCodec.h"
#include "rig/Rig.h"
#include "rig/RigTune.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velm {

const QString frmFrequencyTest::Title = QStringLiteral("Test Change Frequency Function");

namespace {

QLabel* note(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

} // namespace

frmFrequencyTest::frmFrequencyTest(Rig& rig, QWidget* parent) : QDialog(parent), m_rig(rig)
{
    setObjectName(QStringLiteral("frmFrequencyTest"));
    setWindowTitle(Title);
    setAttribute(Qt::WA_DeleteOnClose);
    Label1 = note(
        this, "Label1",
        QStringLiteral("Please use the text box below to enter a complete command to send to your radio.  "
                       "The default example is the command used for Kenwood radios."));
    Label2 = note(
        this, "Label2",
        QStringLiteral("If your radio requires a hexidecimal format, please enter in the format of XX XX "
                       "XX (using spaces between each two digits) and click the Convert to Hex check box "
                       "below."));
    Label3 = note(
        this, "Label3",
        QStringLiteral("If you find a command that works for your radio, please let us know the command "
                       "together with the frequency it specifies, so that your radio can be supported."));
    Label4 = note(
        this, "Label4",
        QStringLiteral("Most Elecrafts, Icoms, Kenwoods and Yaesus are now supported. For any supported "
                       "radio, you should be able to enter a frequency in Mhz, click send and your radio "
                       "should switch to the specified frequency."));
    Text1 = new QLineEdit(QStringLiteral("FA00028475000;"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Command"));
    Check1 = new QCheckBox(QStringLiteral("Convert to Hex"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Command1 = new QPushButton(QStringLiteral("Send"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAccessibleName(QStringLiteral("Send command"));
    Text2 = new QLineEdit(QStringLiteral("28.475"), this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setAccessibleName(QStringLiteral("Frequency in MHz"));
    Command2 = new QPushButton(QStringLiteral("Send"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAccessibleName(QStringLiteral("Send frequency"));
    for (QPushButton* b : {Command1, Command2})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Label2, 1, 0, 1, 2);
    grid->addWidget(Text1, 2, 0);
    grid->addWidget(Command1, 2, 1);
    grid->addWidget(Check1, 3, 0);
    grid->addWidget(Label3, 4, 0, 1, 2);
    grid->addWidget(Label4, 5, 0, 1, 2);
    grid->addWidget(Text2, 6, 0);
    grid->addWidget(Command2, 6, 1);
    setMinimumWidth(480);

    connect(Command1, &QPushButton::clicked, this, &frmFrequencyTest::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmFrequencyTest::Command2_Click);
    applyFormScaling(*this, FormVariant::D);
}

void frmFrequencyTest::Command1_Click()
{
    const QString command = Text1->text().trimmed();
    if (command.isEmpty())
        return;
    QByteArray bytes;
    if (Check1->isChecked()) {
        const std::optional<QByteArray> binary = HexSpacedToBytes(command);
        if (!binary)
            return; // not "XX XX XX": nothing is sent
        bytes = *binary;
    } else {
        bytes = command.toLatin1();
    }
    m_rig.sendCommand(bytes);
}

void frmFrequencyTest::Command2_Click()
{
    const std::optional<double> mhz = rigtune::frequencyValue(Text2->text().trimmed());
    if (mhz)
        m_rig.ChangeFrequency(float(*mhz));
}

} // namespace velm
