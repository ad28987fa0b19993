#include "log/ui/ClockPanel.h"

#include "log/ContestSession.h"
#include "log/ui/Form1Parts.h"
#include "platform/Clock.h"
#include "platform/ui/QuietValueLabel.h"
#include "platform/ui/ValueLabel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace velm {

using namespace form1;

ClockPanel::ClockPanel(const ContestSession& session, Clock& clock, QWidget* parent)
    : QWidget(parent), m_session(session), m_clock(clock)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);

    auto* clocks = new QGroupBox(QStringLiteral("Clock"), this);
    auto* grid = new QGridLayout(clocks);
    // Set every second: read on demand, never announced.
    lblutctime = valueLabel<QuietValueLabel>(clocks, "lblutctime");
    lblCurTime = valueLabel<QuietValueLabel>(clocks, "lblCurTime");
    Label16 = valueLabel<QuietValueLabel>(clocks, "Label16");
    lblttrack = valueLabel<QuietValueLabel>(clocks, "lblttrack");
    grid->addWidget(new QLabel(QStringLiteral("UTC"), clocks), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Local"), clocks), 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Operating Time"), clocks), 0, 3);
    grid->addWidget(lblutctime, 1, 0);
    grid->addWidget(lblCurTime, 1, 1);
    grid->addWidget(Label16, 1, 2);
    grid->addWidget(lblttrack, 1, 3);
    cmdLogOn = new QPushButton(kTimeOnCaption, clocks);
    cmdLogOn->setObjectName(QStringLiteral("cmdLogOn"));
    cmdLogOn->setToolTip(QStringLiteral("Records On/Off times and controls duration clock."));
    cmdLogOn->setFocusPolicy(Qt::TabFocus);
    connect(cmdLogOn, &QPushButton::clicked, this, &ClockPanel::logOnClicked);
    grid->addWidget(cmdLogOn, 1, 4);
    row->addWidget(clocks);

    auto* bandMode = new QGroupBox(QStringLiteral("Band / Mode"), this);
    auto* labels = new QHBoxLayout(bandMode);
    Label24 = valueLabel(bandMode, "Label24");
    Label30 = valueLabel(bandMode, "Label30");
    for (QLabel* label : {Label24, Label30}) {
        label->setToolTip(QStringLiteral("Click to change modes."));
        label->setCursor(Qt::PointingHandCursor);
        QFont large = label->font();
        large.setPointSizeF(large.pointSizeF() * 1.4);
        large.setBold(true);
        label->setFont(large);
        label->installEventFilter(this);
        labels->addWidget(label);
    }
    row->addWidget(bandMode);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, &ClockPanel::Timer2_Timer);
    Timer2->start();
}

bool ClockPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && (watched == Label24 || watched == Label30)) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            Q_EMIT(watched == Label24 ? bandClicked() : modeClicked());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ClockPanel::Timer2_Timer()
{
    const QDateTime now = m_clock.localNow();
    const ClockTexts texts = clockTexts(now, m_session.preferences().UtcOffset);
    setValueLabel(lblutctime, QStringLiteral("UTC"), texts.utc);
    setValueLabel(lblCurTime, QStringLiteral("Local time"), texts.local);
    setValueLabel(Label16, QStringLiteral("AM or PM"), texts.amPm);
    if (m_session.operatingClock().LoggedOn())
        setValueLabel(lblttrack, QStringLiteral("Operating Time"), m_session.operatingClock().display(now));
}

void ClockPanel::ShowOperatingTime()
{
    setValueLabel(lblttrack, QStringLiteral("Operating Time"),
                  formatOperatingTime(m_session.preferences().OperatingSeconds));
}

void ClockPanel::showLoggedOn(bool loggedOn)
{
    cmdLogOn->setText(loggedOn ? kTimeOffCaption : kTimeOnCaption);
}

void ClockPanel::showBandAndMode()
{
    setValueLabel(Label24, QStringLiteral("Band"), m_session.preferences().CurrentBand);
    setValueLabel(Label30, QStringLiteral("Mode"), m_session.preferences().CurrentMode);
}

} // namespace velm
