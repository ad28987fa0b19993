#pragma once
// Responsibilities: the station subsystems' part in the main window's start-up and closing: each loads its
// settings once the log is open and stops everything (lines released, ports closed) when the program closes.

#include <QList>
#include <QString>

namespace velm {

class StationLifecycle {
public:
    virtual ~StationLifecycle() = default;

    // Start-up, after the operating time is shown: load the settings files (voice, then CW) and start what
    // they ask for (the rig link). A failure that must end the start-up returns its reason (file, line,
    // what was wrong); a missing file is no failure.
    virtual QString startUp() = 0;
    // Closing or exit: everything stops at once; no line or transmitter stays keyed.
    virtual void shutdown() = 0;
};

// The subsystems in the order main adds them: start-up runs them in that order and stops at the first
// failure; shutdown runs them all.
class StationLifecycles final : public StationLifecycle {
public:
    void add(StationLifecycle& station) { m_stations.append(&station); }

    QString startUp() override
    {
        for (StationLifecycle* station : m_stations) {
            if (QString failure = station->startUp(); !failure.isEmpty())
                return failure;
        }
        return {};
    }
    void shutdown() override
    {
        for (StationLifecycle* station : m_stations)
            station->shutdown();
    }

private:
    QList<StationLifecycle*> m_stations;
};

} // namespace velm
