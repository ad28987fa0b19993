#include "log/Keyers.h"

namespace velm {

void NullKeyers::FKeyCW(int)
{
    // A function key always abandons what is waiting; with no keying method nothing new is queued.
    m_cwBuffer.clear();
}

void NullKeyers::stopCwRepeat()
{
    m_cwRepeat = false;
    m_cwBuffer.clear();
}

} // namespace velm
