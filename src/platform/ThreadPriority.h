#pragma once
// Responsibilities: asks the system to run the calling thread ahead of ordinary work (real-time scheduling),
// for the thread that times Morse units; nothing else in the program raises its priority.

namespace velm {

// SCHED_FIFO at a low real-time priority on Linux and other POSIX systems, time-critical priority on Windows.
// False when the system refuses (no privilege, no real-time limit): the thread then keeps running as before.
bool requestRealtimePriority();

} // namespace velm
