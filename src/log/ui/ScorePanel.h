#pragma once
// Responsibilities: the score block (contacts, multipliers, QSO points, score) and the contact rates of the
// last 60 and 20 minutes, refreshed every minute.

#include <QGroupBox>

class QLabel;
class QTimer;

namespace velm {

class Clock;
class ContestSession;

class ScorePanel final : public QGroupBox {
    Q_OBJECT
public:
    ScorePanel(const ContestSession& session, Clock& clock, QWidget* parent);

    void Labeldisplay();
    void TimeStats();

    QLabel *lblTotCon = nullptr, *lblsectogo = nullptr, *lblTotSec = nullptr, *lblTotScore = nullptr;
    QLabel *lblAQSO60 = nullptr, *lblAQSO20 = nullptr;
    QTimer* Timer1 = nullptr;

private:
    const ContestSession& m_session;
    Clock& m_clock;
};

} // namespace velm
