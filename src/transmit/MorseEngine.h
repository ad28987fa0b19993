#pragma once
// Responsibilities: keys one Morse character at a time on a key line from a worker thread, timing each unit
// by the chosen method ("Timer", "Sleep", "Loop") with the speed read afresh for every unit; hands the next
// character over just before the current one ends so characters follow each other on time; stops at once
// when told, always with the line up; measures the busy loop for the "Loop" method.
//
// The window thread owns the text to be sent (CwBuffer) and gives the engine one character at a time,
// waiting between them in an event loop, so that keys pressed meanwhile (Escape, another message) act
// between characters.

#include <QByteArray>
#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace velm {

class KeyLine;
class MorseClock;

enum class TimingMethod { Timer, Loop, Sleep };

struct MorseCharacter {
    QByteArray pattern; // "1" key down, "0" key up, one unit each (MorseTable)
    KeyLine* line = nullptr;
    TimingMethod method = TimingMethod::Timer;
    double loopOffset = 0; // "Loop": busy-loop iterations per 60 ms
};

enum class CharacterEnd {
    Sent,
    Stopped,       // stop() ended it early
    LineFailed,    // the key line refused a level
    SpeedBelowOne, // the speed fell below 1 WPM: nothing is keyed
};

class MorseEngine : public QObject {
    Q_OBJECT
public:
    // The next character is asked for this long before the current one ends, so that it starts exactly at
    // that end; a key pressed later than that acts after the next character instead.
    static constexpr qint64 kHandOverLeadNs = 2'000'000;
    // "Timer" sleeps through each unit but for its last stretch, which it times by spinning.
    static constexpr qint64 kSpinNs = 1'000'000;
    // Calibration counts for at least this long.
    static constexpr qint64 kCalibrationNs = 100'000'000;

    explicit MorseEngine(MorseClock& clock, QObject* parent = nullptr);
    ~MorseEngine() override;

    void setSpeed(int wordsPerMinute);
    int speed() const { return m_speed.load(); }

    // True when send() takes a character now: nothing is waiting and the character in progress (if any)
    // is in its last moment.
    bool acceptsNext() const;
    // Nothing in progress and nothing waiting.
    bool idle() const;
    // Hands a character over; it starts when the one in progress ends (at once when none is). False when
    // the engine does not accept one now.
    bool send(const MorseCharacter& character);
    // Forgets a character handed over and not yet started.
    void dropPending();
    // Ends the character in progress at once (line up) and forgets the waiting one; returns when the worker
    // is idle, within a few milliseconds.
    void stop();

    // Measures the busy loop of the "Loop" method on the worker thread: iterations per 60 ms, rounded to a
    // whole number (halves to even); calibrated() carries it. False when a character is in progress.
    bool startCalibration();

    // Whether the system granted the worker real-time scheduling.
    bool realtime() const { return m_realtime.load(); }

Q_SIGNALS:
    // Something the window thread waits for happened: the next character is wanted, or the engine is idle.
    void progressed();
    void characterEnded(velm::CharacterEnd end);
    void calibrated(double loopOffset);

private:
    struct Job {
        bool calibrate = false;
        MorseCharacter character;
    };

    void run();
    CharacterEnd key(const MorseCharacter& character);
    bool waitUntil(qint64 deadlineNs, TimingMethod method);
    void handOverNow();
    void post(std::function<void()> emitter);
    double calibrate();

    MorseClock& m_clock;
    std::atomic<int> m_speed{13};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_realtime{false};

    mutable std::mutex m_mutex;
    std::condition_variable m_wake; // a job or quit for the worker
    std::condition_variable m_idle; // the worker finished a job
    std::optional<Job> m_pending;
    bool m_busy = false;       // a job is in progress
    bool m_wantsNext = false;  // the job in progress is in its last moment
    bool m_quit = false;
    qint64 m_chainEndNs = 0;   // worker only: when the last character ended on schedule

    std::thread m_thread;
};

} // namespace velm
