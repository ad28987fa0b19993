#include "transmit/ui/BlindFrm.h"

#include "platform/ui/FormScaling.h"
#include "platform/ui/TabOrder.h"
#include "transmit/VoiceNavigation.h"
#include "transmit/ui/WindowControls.h"

#include <QButtonGroup>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace velm {

const QString BlindFrm::Title = QStringLiteral("Voice Navigation Settings");

BlindFrm::BlindFrm(VoiceNavigation& navigation, QWidget* parent) : QDialog(parent), m_navigation(navigation)
{
    setObjectName(QStringLiteral("BlindFrm"));
    setWindowTitle(Title);
    auto* layout = new QVBoxLayout(this);

    auto* frame = new QGroupBox(QStringLiteral("Choose your preferred option:"), this);
    auto* options = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(frame);
    Option1 = transmitui::option(frame, "Option1", QStringLiteral("Off"));
    Option2 = transmitui::option(frame, "Option2", QStringLiteral("Call Only"));
    Option3 = transmitui::option(frame, "Option3", QStringLiteral("All Data Fields"));
    for (const auto& [o, level] :
         {std::pair{Option1, VoiceNavLevel::Off}, std::pair{Option2, VoiceNavLevel::CallOnly},
          std::pair{Option3, VoiceNavLevel::AllDataFields}}) {
        group->addButton(o, int(level));
        options->addWidget(o);
    }
    connect(group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on && !m_selecting)
            m_navigation.optionChosen(VoiceNavLevel(id));
    });
    layout->addWidget(frame);

    auto* enable = new QGroupBox(QStringLiteral("To Enable Voice Navigation:"), this);
    auto* enableLayout = new QVBoxLayout(enable);
    lblFolder = new QLabel(QStringLiteral("Put the audio wave files in this program's working directory: ") +
                               QDir::toNativeSeparators(m_navigation.programFolder()),
                           enable);
    lblFolder->setObjectName(QStringLiteral("lblFolder"));
    lblFolder->setWordWrap(true);
    lblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    enableLayout->addWidget(lblFolder);
    layout->addWidget(enable);

    auto* buttons = new QHBoxLayout;
    Command1 = transmitui::button(this, "Command1", QStringLiteral("Done"));
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, &BlindFrm::Command1_Click);
    setTabChain({Option1, Option2, Option3, Command1});
    applyFormScaling(*this, FormVariant::D);
}

void BlindFrm::showNormalRaised()
{
    const VoiceNavLevel level = m_navigation.levelToSelect();
    QRadioButton* selected = level == VoiceNavLevel::Off        ? Option1
                             : level == VoiceNavLevel::CallOnly ? Option2
                                                                : Option3;
    m_selecting = true;
    selected->setChecked(true);
    m_selecting = false;
    showNormal();
    raise();
    activateWindow();
    selected->setFocus();
    m_navigation.optionChosen(level);
}

void BlindFrm::Command1_Click()
{
    // None selected counts as Off.
    const VoiceNavLevel level = Option3->isChecked()   ? VoiceNavLevel::AllDataFields
                                : Option2->isChecked() ? VoiceNavLevel::CallOnly
                                                       : VoiceNavLevel::Off;
    hide();
    // A failed save is reported by the session's own notice, as every preferences save is.
    m_navigation.Command1_Click(level);
    Q_EMIT done();
}

} // namespace velm
