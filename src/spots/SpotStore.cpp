#include "spots/SpotStore.h"

#include "platform/Clock.h"
#include "spots/SpotLine.h"

namespace velm {

SpotStore::SpotStore(const Clock& clock, QObject* parent) : QObject(parent), m_clock(clock) {}

SpotStore::Outcome SpotStore::BandMapSpots(const QString& call, const QString& frequencyKhz,
                                           const QString& record, const QString& ownCall)
{
    Outcome outcome;
    const QString trimmedOwn = ownCall.trimmed();
    outcome.ownCall =
        !call.isEmpty() && !trimmedOwn.isEmpty() && call.compare(trimmedOwn, Qt::CaseInsensitive) == 0;
    const std::optional<double> khz = spotFrequencyKhz(frequencyKhz);
    if (call.isEmpty() || !khz)
        return outcome;

    for (int slot = 1; slot < kSlots; ++slot)
        m_slots[std::size_t(slot - 1)] = std::move(m_slots[std::size_t(slot)]);
    DxSpot& newest = m_slots[kNewest];
    newest.call = call;
    newest.frequency = float(*khz / 1000);
    newest.received = m_clock.localNow();
    newest.receivedMs = m_clock.milliseconds();
    newest.prefix = CallPrefix(call);
    const qsizetype cr = record.indexOf(QLatin1Char('\r'));
    newest.record = cr < 0 ? record : record.left(cr);

    // Slot 0 too: an old copy there would stay drawn beside the new one.
    for (int slot = kNewest - 1; slot >= 0; --slot) {
        DxSpot& older = m_slots[std::size_t(slot)];
        if (older.call.compare(call, Qt::CaseInsensitive) == 0 && !older.call.isEmpty()) {
            older.frequency = 0;
            break;
        }
    }
    outcome.stored = true;
    Q_EMIT spotStored(newest);
    return outcome;
}

void SpotStore::removeSpot(int slot)
{
    if (slot < 0 || slot >= kSlots || m_slots[std::size_t(slot)].frequency == 0)
        return;
    m_slots[std::size_t(slot)].frequency = 0;
    Q_EMIT spotRemoved(slot);
}

} // namespace velm
