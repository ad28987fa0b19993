#pragma once
// Responsibilities: what a click on a spot does: tune the radio through the rig port and put the call into
// the entry row through its port (only what the call field takes when typed), or remove the spot; and the
// one redraw per event-loop pass that the spot views share.

#include <QObject>
#include <QString>

namespace velm {

class EntryRowPort;
class RigPort;
class SpotStore;

class SpotTuning {
public:
    SpotTuning(SpotStore& store, RigPort& rig, EntryRowPort& entryRow);

    // A right click on the label of a slot. The call and the frequency are copied first: tuning lets events
    // run, and spots stored meanwhile move the store on. With tab the call field is left as by a Tab, so its
    // duplicate check runs. False for an empty slot.
    bool tuneToSpot(int slot, bool tab);
    // Any other click: the spot leaves both maps.
    void removeSpot(int slot);
    // A click on a row of the spot list: tuned only when a rig is set up; the call goes in without a Tab.
    // False when the row's frequency is not a number (nothing done).
    bool tuneToListRow(const QString& call, const QString& frequencyText);

private:
    SpotStore& m_store;
    RigPort& m_rig;
    EntryRowPort& m_entryRow;
};

// Coalesces redraw requests: however many arrive while one event is handled (a flood of spots), due() is
// emitted once, from the event loop, after them.
class SpotRedraw final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void request();
    bool pending() const { return m_pending; }

Q_SIGNALS:
    void due();

private:
    void flush();
    bool m_pending = false;
};

} // namespace velm
