#include "transmit/MorseEngine.h"

#include "platform/KeyLine.h"
#include "platform/ThreadPriority.h"
#include "transmit/MorseClock.h"

#include <QMetaObject>

#include <algorithm>
#include <cmath>

namespace velm {

namespace {

// One unit is 60 / (speed x 50) s: 1200 ms / speed.
constexpr qint64 kUnitNsAtOneWpm = 1'200'000'000;
constexpr qint64 kNsPerMs = 1'000'000;
// "Loop" counts loopOffset iterations per 60 ms; a unit at speed s is 60 ms x 20 / s.
constexpr double kLoopUnitsFactor = 20.0;
constexpr qint64 kCalibrationChunk = 1 << 20;

qint64 unitNs(int wordsPerMinute, TimingMethod method)
{
    const qint64 unit = (kUnitNsAtOneWpm + wordsPerMinute / 2) / wordsPerMinute;
    if (method != TimingMethod::Sleep)
        return unit;
    // "Sleep" waits whole milliseconds.
    return std::max<qint64>(1, (unit + kNsPerMs / 2) / kNsPerMs) * kNsPerMs;
}

} // namespace

MorseEngine::MorseEngine(MorseClock& clock, QObject* parent) : QObject(parent), m_clock(clock)
{
    m_thread = std::thread([this] { run(); });
}

MorseEngine::~MorseEngine()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
        m_pending.reset();
    }
    m_stop = true;
    m_wake.notify_all();
    m_thread.join();
}

void MorseEngine::setSpeed(int wordsPerMinute)
{
    m_speed = wordsPerMinute;
}

bool MorseEngine::acceptsNext() const
{
    const std::lock_guard lock(m_mutex);
    return !m_pending && (!m_busy || m_wantsNext);
}

bool MorseEngine::idle() const
{
    const std::lock_guard lock(m_mutex);
    return !m_busy && !m_pending;
}

bool MorseEngine::send(const MorseCharacter& character)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_pending || (m_busy && !m_wantsNext) || m_quit)
            return false;
        m_pending = Job{false, character};
    }
    m_wake.notify_all();
    return true;
}

bool MorseEngine::startCalibration()
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_pending || m_busy || m_quit)
            return false;
        m_pending = Job{true, {}};
    }
    m_wake.notify_all();
    return true;
}

void MorseEngine::dropPending()
{
    const std::lock_guard lock(m_mutex);
    m_pending.reset();
}

void MorseEngine::stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_pending.reset();
    }
    m_stop = true;
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return !m_busy; });
    }
    m_stop = false;
}

void MorseEngine::post(std::function<void()> emitter)
{
    QMetaObject::invokeMethod(this, std::move(emitter), Qt::QueuedConnection);
}

void MorseEngine::handOverNow()
{
    {
        const std::lock_guard lock(m_mutex);
        m_wantsNext = true;
    }
    post([this] { Q_EMIT progressed(); });
}

void MorseEngine::run()
{
    m_realtime = requestRealtimePriority();
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || m_pending; });
            if (m_quit)
                return;
            job = std::move(*m_pending);
            m_pending.reset();
            m_busy = true;
            m_wantsNext = false;
        }
        if (job.calibrate) {
            const double offset = calibrate();
            post([this, offset] { Q_EMIT calibrated(offset); });
        } else {
            const CharacterEnd end = key(job.character);
            post([this, end] { Q_EMIT characterEnded(end); });
        }
        {
            const std::lock_guard lock(m_mutex);
            m_busy = false;
            m_wantsNext = false;
        }
        m_idle.notify_all();
        post([this] { Q_EMIT progressed(); });
    }
}

bool MorseEngine::waitUntil(qint64 deadlineNs, TimingMethod method)
{
    if (method == TimingMethod::Sleep)
        return m_clock.sleepUntil(deadlineNs, m_stop);
    if (deadlineNs - m_clock.nowNs() > kSpinNs && !m_clock.sleepUntil(deadlineNs - kSpinNs, m_stop))
        return false;
    return m_clock.spinUntil(deadlineNs, m_stop);
}

CharacterEnd MorseEngine::key(const MorseCharacter& character)
{
    KeyLine& line = *character.line;
    // A character handed over early starts where the previous one ended; one that came late starts now.
    // Every unit's deadline then follows from the one before, so the time a line change takes never
    // stretches a unit.
    const qint64 now = m_clock.nowNs();
    qint64 deadline = character.method == TimingMethod::Loop ? now : std::max(now, m_chainEndNs);
    CharacterEnd end = CharacterEnd::Sent;
    if (deadline > now && !waitUntil(deadline, character.method))
        end = CharacterEnd::Stopped;

    const qsizetype units = character.pattern.size();
    for (qsizetype i = 0; i < units && end == CharacterEnd::Sent; ++i) {
        if (m_stop.load()) {
            end = CharacterEnd::Stopped;
            break;
        }
        const int wpm = m_speed.load();
        if (wpm < 1) {
            end = CharacterEnd::SpeedBelowOne;
            break;
        }
        if (!line.setKeyed(character.pattern.at(i) == '1')) {
            end = CharacterEnd::LineFailed;
            break;
        }
        const bool last = i + 1 == units;
        if (character.method == TimingMethod::Loop) {
            if (last)
                handOverNow();
            const auto iterations = qint64(std::llround(character.loopOffset / wpm * kLoopUnitsFactor));
            if (!m_clock.busyLoop(iterations, m_stop))
                end = CharacterEnd::Stopped;
            continue;
        }
        const qint64 unit = unitNs(wpm, character.method);
        deadline += unit;
        if (last) {
            if (!waitUntil(deadline - std::min(kHandOverLeadNs, unit / 2), character.method)) {
                end = CharacterEnd::Stopped;
                break;
            }
            handOverNow();
        }
        if (!waitUntil(deadline, character.method))
            end = CharacterEnd::Stopped;
    }
    // Every early end leaves the line up, whatever level its last unit asked for.
    if (end != CharacterEnd::Sent)
        line.setKeyed(false);
    m_chainEndNs = end == CharacterEnd::Sent && character.method != TimingMethod::Loop ? deadline : m_clock.nowNs();
    return end;
}

double MorseEngine::calibrate()
{
    const qint64 start = m_clock.nowNs();
    qint64 counted = 0;
    qint64 elapsed = 0;
    while ((elapsed = m_clock.nowNs() - start) < kCalibrationNs) {
        if (!m_clock.busyLoop(kCalibrationChunk, m_stop))
            return 0;
        counted += kCalibrationChunk;
    }
    return std::nearbyint(double(counted) / double(elapsed) * 60.0 * double(kNsPerMs));
}

} // namespace velm
