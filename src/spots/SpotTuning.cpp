#include "spots/SpotTuning.h"

#include "log/EntryRowPort.h"
#include "log/RigPort.h"
#include "spots/SpotListRow.h"
#include "spots/SpotStore.h"

namespace velm {

SpotTuning::SpotTuning(SpotStore& store, RigPort& rig, EntryRowPort& entryRow)
    : m_store(store), m_rig(rig), m_entryRow(entryRow)
{
}

bool SpotTuning::tuneToSpot(int slot, bool tab)
{
    if (slot < 0 || slot >= SpotStore::kSlots || !m_store.spot(slot).shown())
        return false;
    const QString call = m_store.spot(slot).call;
    const float frequency = m_store.spot(slot).frequency;
    m_rig.ChangeFrequency(frequency);
    m_entryRow.enterCall(call, tab);
    return true;
}

void SpotTuning::removeSpot(int slot)
{
    m_store.removeSpot(slot);
}

bool SpotTuning::tuneToListRow(const QString& call, const QString& frequencyText)
{
    const std::optional<float> frequency = readSpotListFrequency(frequencyText);
    if (!frequency)
        return false;
    if (m_rig.RigType() != QLatin1String("None"))
        m_rig.ChangeFrequency(*frequency);
    m_entryRow.enterCall(call, false);
    return true;
}

void SpotRedraw::request()
{
    if (m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(this, &SpotRedraw::flush, Qt::QueuedConnection);
}

void SpotRedraw::flush()
{
    m_pending = false;
    Q_EMIT due();
}

} // namespace velm
