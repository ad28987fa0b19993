#include "platform/KeyLine.h"

#include "platform/ParallelPort.h"

namespace velm {

bool SerialKeyLine::setKeyed(bool down)
{
    m_keyed = down;
    const bool taken = m_port.setLine(m_line, down);
    return taken || (!down && !m_port.isOpen());
}

bool ParallelKeyLine::setKeyed(bool down)
{
    m_keyed = down;
    return m_port.write(quint16(m_base + kParallelControlOffset), down ? kParallelKeyDown : kParallelKeyUp);
}

} // namespace velm
