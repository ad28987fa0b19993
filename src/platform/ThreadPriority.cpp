#include "platform/ThreadPriority.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <pthread.h>
#include <sched.h>
#endif

namespace velm {

bool requestRealtimePriority()
{
#ifdef Q_OS_WIN
    return SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL) != 0;
#else
    // A low real-time priority is enough to come before every ordinary process; higher ones would compete
    // with the kernel's own threads for nothing.
    sched_param parameters{};
    parameters.sched_priority = sched_get_priority_min(SCHED_FIFO) + 1;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &parameters) == 0;
#endif
}

} // namespace velm
