#pragma once
// Responsibilities: the main window's clocks (UTC, local time, operating time, "Log Time On/Off") and its
// band and mode labels, which change band and mode when clicked.

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace velm {

class Clock;
class ContestSession;

class ClockPanel final : public QWidget {
    Q_OBJECT
public:
    ClockPanel(const ContestSession& session, Clock& clock, QWidget* parent);

    // The one-second tick.
    void Timer2_Timer();
    void ShowOperatingTime();
    void showLoggedOn(bool loggedOn);
    void showBandAndMode();

    QLabel *lblutctime = nullptr, *lblCurTime = nullptr, *Label16 = nullptr, *lblttrack = nullptr;
    QPushButton* cmdLogOn = nullptr;
    QTimer* Timer2 = nullptr;
    QLabel *Label24 = nullptr, *Label30 = nullptr;

Q_SIGNALS:
    void logOnClicked();
    void bandClicked();
    void modeClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const ContestSession& m_session;
    Clock& m_clock;
};

} // namespace velm
