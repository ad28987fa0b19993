#include "log/ui/Form6.h"

#include "platform/ui/FormScaling.h"
#include "platform/Prompts.h"
#include "platform/ui/ColourValue.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace velm {

const QString Form6::Title = QStringLiteral(" Modify Multiplier Color Selections");

Form6::Form6(Prompts& prompts, quint32 remainingColour, quint32 workedColour, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_remaining(remainingColour), m_worked(workedColour)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(Title);
    setModal(true);

    lblRemaining = new QLabel(QStringLiteral("Appearance of multiplier remaining"), this);
    lblWorked = new QLabel(QStringLiteral("Appearance of multiplier worked"), this);
    cmdRemaining = new QPushButton(QStringLiteral("Change \"Remaining\" Color"), this);
    cmdWorked = new QPushButton(QStringLiteral("Change \"Worked\" Color"), this);
    cmdDone = new QPushButton(QStringLiteral("Done"), this);
    for (QLabel* sample : {lblRemaining, lblWorked}) {
        QFont bold = sample->font();
        bold.setBold(true);
        sample->setFont(bold);
    }

    connect(cmdRemaining, &QPushButton::clicked, this, [this] {
        if (const std::optional<quint32> chosen = m_prompts.chooseColour(m_remaining))
            m_remaining = *chosen;
        paintSamples();
    });
    connect(cmdWorked, &QPushButton::clicked, this, [this] {
        if (const std::optional<quint32> chosen = m_prompts.chooseColour(m_worked))
            m_worked = *chosen;
        paintSamples();
    });
    connect(cmdDone, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblRemaining, 0, 0);
    grid->addWidget(cmdRemaining, 0, 1);
    grid->addWidget(lblWorked, 1, 0);
    grid->addWidget(cmdWorked, 1, 1);
    grid->addWidget(cmdDone, 2, 0, 1, 2, Qt::AlignHCenter);
    paintSamples();
    applyFormScaling(*this, FormVariant::C);
}

void Form6::paintSamples()
{
    const auto paint = [](QLabel* label, quint32 colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, toQColor(colour));
        label->setPalette(palette);
    };
    paint(lblRemaining, m_remaining);
    paint(lblWorked, m_worked);
}

} // namespace velm
