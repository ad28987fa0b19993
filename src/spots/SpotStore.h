#pragma once
// Responsibilities: the 50 most recent DX spots (slot 49 the newest, 0 the oldest; frequency 0 marks a
// removed spot), storing one (BandMapSpots), removing one, and telling the band map, the spot list and the
// spectrum map when either happened.

#include <QDateTime>
#include <QObject>
#include <QString>

#include <array>

namespace velm {

class Clock;

struct DxSpot {
    QString call;          // as received
    float frequency = 0;   // MHz; 0: empty or removed
    QDateTime received;    // local date and time when stored (for the tooltip)
    qint64 receivedMs = 0; // Clock::milliseconds() when stored (for ages: immune to clock changes)
    QString prefix;        // CallPrefix(call)
    QString record;        // the spot line after "DX ", up to its first CR (the list's columns)

    bool shown() const { return frequency != 0; }
};

class SpotStore : public QObject {
    Q_OBJECT
public:
    static constexpr int kSlots = 50;
    static constexpr int kNewest = kSlots - 1;

    explicit SpotStore(const Clock& clock, QObject* parent = nullptr);

    const DxSpot& spot(int slot) const { return m_slots.at(std::size_t(slot)); }

    struct Outcome {
        bool ownCall = false; // the spotted call is the station's own (never for an empty call)
        bool stored = false;
    };
    // Stores a spot: the own-call test first (an empty call is never the own call), then, when the call is
    // not empty and frequencyKhz a spot frequency (spotFrequencyKhz), the store moves down one slot, the
    // spot goes into slot 49 and an older copy of the call (slots 48 down to 0) is removed. record is cut
    // at its first CR.
    Outcome BandMapSpots(const QString& call, const QString& frequencyKhz, const QString& record,
                         const QString& ownCall);
    // A spot deleted by a click: its frequency becomes 0.
    void removeSpot(int slot);

Q_SIGNALS:
    // A spot went into slot 49 (the views redraw and the list takes it at its top).
    void spotStored(const velm::DxSpot& spot);
    void spotRemoved(int slot);

private:
    const Clock& m_clock;
    std::array<DxSpot, kSlots> m_slots;
};

} // namespace velm
