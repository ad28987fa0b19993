#include "log/ui/ScorePanel.h"

#include "log/ContestSession.h"
#include "log/ScoreStats.h"
#include "log/ui/Form1Parts.h"
#include "platform/Clock.h"
#include "platform/ui/ValueLabel.h"

#include <QGridLayout>
#include <QTimer>

namespace velm {

ScorePanel::ScorePanel(const ContestSession& session, Clock& clock, QWidget* parent)
    : QGroupBox(QStringLiteral("Score Statistics"), parent), m_session(session), m_clock(clock)
{
    auto* grid = new QGridLayout(this);
    lblTotCon = form1::valueLabel(this, "lblTotCon");
    lblsectogo = form1::valueLabel(this, "lblsectogo");
    lblTotSec = form1::valueLabel(this, "lblTotSec");
    lblTotScore = form1::valueLabel(this, "lblTotScore");
    lblAQSO60 = form1::valueLabel(this, "lblAQSO60");
    lblAQSO20 = form1::valueLabel(this, "lblAQSO20");
    const std::pair<const char*, QLabel*> rows[] = {
        {"Total Contacts ............", lblTotCon}, {"Total Multipliers ...........", lblsectogo},
        {"Total QSO Points ........", lblTotSec},   {"Total Score..................", lblTotScore},
        {"QSOs / Hr (last 60 min)", lblAQSO60},     {"QSOs / Hr (last 20 min)", lblAQSO20}};
    int row = 0;
    for (const auto& [caption, label] : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption), this), row, 0);
        grid->addWidget(label, row++, 1, Qt::AlignRight);
    }
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(60000);
    connect(Timer1, &QTimer::timeout, this, &ScorePanel::TimeStats);
    Timer1->start();
}

void ScorePanel::Labeldisplay()
{
    const ScoreTexts texts = velm::Labeldisplay(m_session.store().QsoCount(), m_session.store().PointsTotal(),
                                                m_session.multipliers().totalMultipliers());
    setValueLabel(lblTotCon, QStringLiteral("Total Contacts"), texts.contacts);
    setValueLabel(lblsectogo, QStringLiteral("Total Multipliers"), texts.multipliers);
    setValueLabel(lblTotSec, QStringLiteral("Total QSO Points"), texts.points);
    setValueLabel(lblTotScore, QStringLiteral("Total Score"), texts.score);
}

void ScorePanel::TimeStats()
{
    const std::optional<Rates> rates =
        velm::TimeStats(m_session.store(), m_clock.localNow(), m_session.preferences().UtcOffset);
    if (!rates)
        return;
    setValueLabel(lblAQSO60, QStringLiteral("QSOs per hour, last 60 minutes"),
                  QString::number(rates->last60));
    setValueLabel(lblAQSO20, QStringLiteral("QSOs per hour, last 20 minutes"),
                  QString::number(rates->last20x3));
}

} // namespace velm
