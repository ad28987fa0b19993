// Edge timing of the Morse engine: how far the time from each key-line edge to the next is from its whole
// units, for the "Timer", "Sleep" and "Loop" methods at 13, 30 and 60 WPM, idle and with a spinning
// thread competing for the other core, beside a plain loop that sleeps to absolute deadlines in the same run;
// and the process CPU time per second of sending. Prints a table; figures and how to run are in
// bench/README.md.

#include "support/RecordingKeyLine.h"
#include "transmit/MorseClock.h"
#include "transmit/MorseEngine.h"
#include "transmit/MorseTable.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

using namespace velm;
using Clock = std::chrono::steady_clock;

namespace {

const QString kText = QStringLiteral("PARIS CQ TEST ");

struct Figures {
    double p50Us = 0, p99Us = 0, maxUs = 0, cpuPerSecond = 0;
};

Figures figuresOf(std::vector<double> errorsUs, double cpuSeconds, double wallSeconds)
{
    Figures f;
    if (errorsUs.empty())
        return f;
    std::sort(errorsUs.begin(), errorsUs.end());
    auto at = [&](double q) {
        return errorsUs[std::min(errorsUs.size() - 1, size_t(q * double(errorsUs.size())))];
    };
    f.p50Us = at(0.5);
    f.p99Us = at(0.99);
    f.maxUs = errorsUs.back();
    f.cpuPerSecond = wallSeconds > 0 ? cpuSeconds / wallSeconds : 0;
    return f;
}

// The ideal edge times of the patterns keyed back to back, in units from the first key-down.
std::vector<std::pair<bool, int>> idealEdges(const std::vector<QByteArray>& patterns)
{
    std::vector<std::pair<bool, int>> edges;
    bool level = false;
    int unit = 0;
    for (const QByteArray& p : patterns) {
        for (char bit : p) {
            const bool down = bit == '1';
            if (down != level)
                edges.emplace_back(level = down, unit);
            ++unit;
        }
    }
    return edges;
}

// Each edge's error against the edge before it: how far the time between them is from the whole units
// it should be. A late start of one character then counts once, not for every edge after it.
std::vector<double> errorsOf(const std::vector<test::RecordingKeyLine::Edge>& edges,
                             const std::vector<std::pair<bool, int>>& ideal, qint64 unitNs)
{
    std::vector<double> errors;
    for (size_t i = 1; i < edges.size() && i < ideal.size(); ++i) {
        const qint64 actual =
            std::chrono::duration_cast<std::chrono::nanoseconds>(edges[i].at - edges[i - 1].at).count();
        const qint64 wanted = qint64(ideal[i].second - ideal[i - 1].second) * unitNs;
        errors.push_back(double(std::llabs(actual - wanted)) / 1000.0);
    }
    return errors;
}

double cpuNow()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

std::vector<QByteArray> patternsOf(const QString& text)
{
    std::vector<QByteArray> patterns;
    for (QChar c : text)
        patterns.push_back(keyedPattern(c, 0));
    return patterns;
}

// The engine as the send loop drives it: one character handed over whenever it takes one.
Figures engineRun(MorseEngine& engine, TimingMethod method, double loopOffset, int wpm)
{
    test::RecordingKeyLine line;
    const std::vector<QByteArray> patterns = patternsOf(kText);
    engine.setSpeed(wpm);
    const double cpu0 = cpuNow();
    const Clock::time_point wall0 = Clock::now();
    QEventLoop loop;
    QObject::connect(&engine, &MorseEngine::progressed, &loop, &QEventLoop::quit);
    for (const QByteArray& p : patterns) {
        while (!engine.acceptsNext())
            loop.exec();
        engine.send(MorseCharacter{p, &line, method, loopOffset});
    }
    while (!engine.idle())
        loop.exec();
    const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
    return figuresOf(errorsOf(line.edges(), idealEdges(patterns), 1'200'000'000 / wpm), cpuNow() - cpu0,
                     wall);
}

// The plain way, for scale: sleep to each edge's absolute deadline and set the line.
Figures plainRun(int wpm)
{
    test::RecordingKeyLine line;
    const std::vector<QByteArray> patterns = patternsOf(kText);
    const std::vector<std::pair<bool, int>> ideal = idealEdges(patterns);
    const auto unit = std::chrono::nanoseconds(1'200'000'000 / wpm);
    const double cpu0 = cpuNow();
    const Clock::time_point wall0 = Clock::now();
    std::thread keyer([&] {
        const Clock::time_point t0 = Clock::now();
        for (const auto& [down, at] : ideal) {
            std::this_thread::sleep_until(t0 + at * unit);
            line.setKeyed(down);
        }
    });
    keyer.join();
    const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
    return figuresOf(errorsOf(line.edges(), ideal, unit.count()), cpuNow() - cpu0, wall);
}

void print(const char* load, int wpm, const char* method, const Figures& f, bool showCpu)
{
    std::printf("| %-6s | %2d | %-6s | %8.1f | %8.1f | %8.1f | %s |\n", load, wpm, method, f.p50Us, f.p99Us,
                f.maxUs, showCpu ? qPrintable(QString::asprintf("%.3f", f.cpuPerSecond)) : "-");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    SteadyMorseClock clock;
    MorseEngine engine(clock);
    double loopOffset = 0;
    {
        QEventLoop loop;
        QObject::connect(&engine, &MorseEngine::calibrated, &loop, [&](double offset) {
            loopOffset = offset;
            loop.quit();
        });
        engine.startCalibration();
        loop.exec();
    }
    std::printf("real-time worker: %s; loop offset %.0f per 60 ms; text \"%s\"\n",
                engine.realtime() ? "yes" : "no", loopOffset, qPrintable(kText));
    std::printf(
        "| load   | WPM | method | p50 µs | p99 µs | max µs | CPU s/s |\n|---|---|---|---|---|---|---|\n");
    for (const bool loaded : {false, true}) {
        std::atomic<bool> quit{false};
        std::thread spinner;
        if (loaded)
            spinner = std::thread([&] {
                volatile unsigned long n = 0;
                while (!quit.load(std::memory_order_relaxed))
                    n = n + 1;
            });
        const char* load = loaded ? "loaded" : "idle";
        for (const int wpm : {13, 30, 60}) {
            // CPU per second is the process's: with the spinner running it would count the spinner.
            print(load, wpm, "plain", plainRun(wpm), !loaded);
            print(load, wpm, "Timer", engineRun(engine, TimingMethod::Timer, loopOffset, wpm), !loaded);
            print(load, wpm, "Sleep", engineRun(engine, TimingMethod::Sleep, loopOffset, wpm), !loaded);
            print(load, wpm, "Loop", engineRun(engine, TimingMethod::Loop, loopOffset, wpm), !loaded);
        }
        quit = true;
        if (spinner.joinable())
            spinner.join();
    }
    return 0;
}
