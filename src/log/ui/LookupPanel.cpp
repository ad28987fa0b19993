#include "log/ui/LookupPanel.h"

#include "log/ContestSession.h"
#include "log/ui/Form1Parts.h"
#include "platform/ui/ValueLabel.h"

#include <QGridLayout>

namespace velm {

LookupPanel::LookupPanel(const ContestSession& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    Label19 = form1::valueLabel(this, "Label19");
    Label22 = form1::valueLabel(this, "Label22");
    Label23 = form1::valueLabel(this, "Label23");
    const std::pair<const char*, QLabel*> columns[] = {
        {"Continent", Label19}, {"Bearing", Label22}, {"Miles", Label23}};
    int column = 0;
    for (const auto& [caption, label] : columns) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption), this), 0, column);
        QFont large = label->font();
        large.setPointSizeF(large.pointSizeF() * 1.3);
        large.setBold(true);
        label->setFont(large);
        // Room for the widest value, so the entry row never shifts while a call is typed.
        label->setMinimumWidth(QFontMetrics(large).horizontalAdvance(QStringLiteral("12,345 ")));
        grid->addWidget(label, 1, column++);
    }
    Label3 = new QLabel(QStringLiteral("New"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont bold = Label3->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    Label3->setFont(bold);
    Label3->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0)"));
    Label3->setAccessibleName(QStringLiteral("New country on this band"));
    Label3->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(Label3->text() + QLatin1Char(' ')));
    // Hidden by retaining its place, so the row does not move when it shows.
    QSizePolicy keepPlace = Label3->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    Label3->setSizePolicy(keepPlace);
    Label3->hide();
    grid->addWidget(Label3, 1, column);
}

void LookupPanel::showLookup()
{
    const LookupLabels& labels = m_session.lookupLabels();
    setValueLabel(Label19, QStringLiteral("Continent"), labels.continent);
    setValueLabel(Label22, QStringLiteral("Bearing"), labels.bearing);
    setValueLabel(Label23, QStringLiteral("Miles"), labels.miles);
    Label3->setVisible(m_session.newIndicatorShown());
}

} // namespace velm
