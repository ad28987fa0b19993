#include "log/ui/StationPanel.h"

#include "log/ProgramPreferences.h"
#include "log/ui/Form1Parts.h"
#include "platform/ui/ValueLabel.h"

#include <QGridLayout>

namespace velm {

StationPanel::StationPanel(QWidget* parent) : QGroupBox(QStringLiteral("Station"), parent)
{
    auto* grid = new QGridLayout(this);
    Label2 = form1::valueLabel(this, "Label2");
    Label25 = form1::valueLabel(this, "Label25");
    Label4 = form1::valueLabel(this, "Label4");
    QFont large = Label2->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    int column = 0;
    for (QLabel* label : {Label2, Label25, Label4}) {
        label->setFont(large);
        grid->addWidget(label, 0, column++);
    }
}

void StationPanel::showStation(const ProgramPreferences& prefs)
{
    setValueLabel(Label2, QStringLiteral("Own call"), prefs.OwnCall);
    setValueLabel(Label25, QStringLiteral("Own state, province or country"), prefs.OwnSpc);
    setValueLabel(Label4, QStringLiteral("Own VELM number or power"), prefs.OwnVelmPwr);
}

} // namespace velm
