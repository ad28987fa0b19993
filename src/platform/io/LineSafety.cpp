#include "platform/io/LineSafety.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <exception>

#ifdef Q_OS_LINUX
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace velm {

namespace {

enum SlotState : int { Free = 0, Filling = 1, Armed = 2 };
enum SlotKind : int { SerialSlot = 0, ParallelSlot = 1 };

struct Slot {
    std::atomic<int> state{Free};
    int fd = -1;
    int kind = SerialSlot;
    int lines = 0;
    unsigned char control = 0;
    unsigned char bytes[LineSafety::kMaxReleaseBytes] = {};
    std::atomic<int> byteCount{0};
};

constexpr int kSlots = 32;
Slot g_slots[kSlots];
std::atomic<bool> g_releasing{false};
std::atomic<bool> g_installed{false};

#ifdef Q_OS_LINUX
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGSEGV, SIGABRT, SIGBUS};
struct sigaction g_previous[sizeof(kSignals) / sizeof(kSignals[0])];
std::terminate_handler g_previousTerminate = nullptr;
alignas(16) char g_alternateStack[64 * 1024];

void releaseSlot(Slot& slot)
{
    if (slot.kind == ParallelSlot) {
        unsigned char control = slot.control;
        ::ioctl(slot.fd, PPWCONTROL, &control);
        return;
    }
    const int count = slot.byteCount.load();
    if (count > 0) {
        // Non-blocking descriptor: what the device will not take at once is lost, never a hang.
        [[maybe_unused]] const ssize_t written = ::write(slot.fd, slot.bytes, size_t(count));
    }
    int bits = 0;
    if (slot.lines & LineSafety::kRts)
        bits |= TIOCM_RTS;
    if (slot.lines & LineSafety::kDtr)
        bits |= TIOCM_DTR;
    if (bits)
        ::ioctl(slot.fd, TIOCMBIC, &bits);
}

int signalIndex(int signalNumber)
{
    for (size_t i = 0; i < sizeof(kSignals) / sizeof(kSignals[0]); ++i)
        if (kSignals[i] == signalNumber)
            return int(i);
    return -1;
}

void onFatalSignal(int signalNumber)
{
    const int saved = errno;
    g_releasing = true;
    LineSafety::releaseAll();
    errno = saved;
    // Hand the signal on to what was there before us (the default action, or a sanitizer's report).
    const int index = signalIndex(signalNumber);
    if (index >= 0)
        ::sigaction(signalNumber, &g_previous[index], nullptr);
    else
        ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

void onTerminate()
{
    g_releasing = true;
    LineSafety::releaseAll();
    if (g_previousTerminate)
        g_previousTerminate();
    std::abort();
}

void onExit()
{
    g_releasing = true;
    LineSafety::releaseAll();
}
#endif

// Fills a free slot and only then arms it, so a handler never reads a half-written one.
int armSlot(int fd, int kind, int lines, unsigned char control)
{
    for (int i = 0; i < kSlots; ++i) {
        int expected = Free;
        if (!g_slots[i].state.compare_exchange_strong(expected, Filling))
            continue;
        Slot& slot = g_slots[i];
        slot.fd = fd;
        slot.kind = kind;
        slot.lines = lines;
        slot.control = control;
        slot.byteCount = 0;
        slot.state = Armed;
        return i;
    }
    return -1;
}

} // namespace

void LineSafety::install()
{
#ifdef Q_OS_LINUX
    if (g_installed.exchange(true))
        return;
    stack_t alternate{};
    alternate.ss_sp = g_alternateStack;
    alternate.ss_size = sizeof(g_alternateStack);
    ::sigaltstack(&alternate, nullptr); // a stack overflow still gets its lines released

    for (size_t i = 0; i < sizeof(kSignals) / sizeof(kSignals[0]); ++i) {
        struct sigaction current {};
        ::sigaction(kSignals[i], nullptr, &current);
        g_previous[i] = current;
        if (current.sa_handler == SIG_IGN)
            continue;
        struct sigaction ours {};
        ours.sa_handler = onFatalSignal;
        sigemptyset(&ours.sa_mask);
        ours.sa_flags = SA_ONSTACK | SA_NODEFER | SA_RESETHAND;
        ::sigaction(kSignals[i], &ours, nullptr);
    }
    g_previousTerminate = std::set_terminate(onTerminate);
    std::atexit(onExit);
#endif
}

bool LineSafety::installed()
{
    return g_installed.load();
}

int LineSafety::registerSerial(int fd, int lines)
{
    return armSlot(fd, SerialSlot, lines, 0);
}

int LineSafety::registerParallel(int fd, unsigned char releaseControl)
{
    return armSlot(fd, ParallelSlot, 0, releaseControl);
}

void LineSafety::setReleaseBytes(int ticket, const QByteArray& bytes)
{
    if (ticket < 0 || ticket >= kSlots)
        return;
    Slot& slot = g_slots[ticket];
    const int count = int(qMin<qsizetype>(bytes.size(), kMaxReleaseBytes));
    // A handler reading midway sees no bytes or the complete new set, never a mixture.
    slot.byteCount = 0;
    std::memcpy(slot.bytes, bytes.constData(), size_t(count));
    slot.byteCount = count;
}

void LineSafety::unregister(int ticket)
{
    if (ticket < 0 || ticket >= kSlots)
        return;
    g_slots[ticket].byteCount = 0;
    g_slots[ticket].state = Free;
}

void LineSafety::releaseAll()
{
#ifdef Q_OS_LINUX
    for (Slot& slot : g_slots)
        if (slot.state.load() == Armed)
            releaseSlot(slot);
#endif
}

bool LineSafety::releasing()
{
    return g_releasing.load();
}

int LineSafety::registeredCount()
{
    int count = 0;
    for (const Slot& slot : g_slots)
        count += slot.state.load() == Armed ? 1 : 0;
    return count;
}

} // namespace velm
