#pragma once
// Responsibilities: the station subsystems as the log reaches them, one port each; main wires the real ones,
// tests fakes, and a port not built yet stays its null implementation.

#include "log/CwSender.h"
#include "log/RigPort.h"
#include "log/StationLifecycle.h"
#include "log/VoiceKeyer.h"
#include "log/VoicePrompts.h"
#include "log/WinKeyState.h"

namespace velm {

struct StationPorts {
    CwSender& cw;
    VoiceKeyer& voiceKeyer;
    WinKeyState& winKey;
    RigPort& rig;
    VoicePrompts& voice;
    StationLifecycle& lifecycle;
};

} // namespace velm
