#pragma once
// Responsibilities: the rule that one transmit path holds a port at a time: the CW keying line, the voice
// keyer's PTT line and the WinKey keyer each register how to close theirs, and a path about to open its
// port closes the other two first (they may name the same device).

#include <array>
#include <functional>

namespace velm {

enum class TransmitPath { Cw, Voice, WinKey };

class TransmitPorts {
public:
    // How the path closes its port; an empty function for a path the program does not have (yet).
    void setCloser(TransmitPath path, std::function<void()> close) { m_closers[index(path)] = std::move(close); }

    // path is about to open its port.
    void opening(TransmitPath path)
    {
        for (std::size_t i = 0; i < m_closers.size(); ++i) {
            if (i != index(path) && m_closers[i])
                m_closers[i]();
        }
    }

private:
    static std::size_t index(TransmitPath path) { return std::size_t(path); }
    std::array<std::function<void()>, 3> m_closers;
};

} // namespace velm
