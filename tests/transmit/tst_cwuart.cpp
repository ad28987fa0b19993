// CW on the real UART: the transmit controller keys RTS or DTR of the 16550 at /dev/ttyS0 (serial port 1)
// through the real station services, while a second descriptor samples the lines; the edges are decoded
// back into text and the element lengths checked, and every way a send ends leaves both lines up.

#include "TransmitTestHelpers.h"
#include "log/ContestSession.h"
#include "log/EntryRowPort.h"
#include "platform/ThreadPriority.h"
#include "platform/io/LineSafety.h"
#include "platform/io/ModemLineMonitor.h"
#include "platform/io/SystemStationServices.h"
#include "support/FakeWinKeyLink.h"
#include "support/TestServices.h"
#include "support/TestUart.h"
#include "transmit/MorseClock.h"
#include "transmit/TransmitController.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

using namespace velm;
using namespace velm::test;

namespace {

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Reads the lines of the UART from its own thread, as fast as the device answers, and keeps every change.
class LineSampler {
public:
    explicit LineSampler(const ModemLineMonitor& monitor) : m_monitor(monitor)
    {
        m_thread = std::thread([this] { run(); });
    }
    ~LineSampler() { stop(); }
    void stop()
    {
        m_quit = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    KeyEdges edges(ModemLine which) const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return which == ModemLine::Rts ? m_rts : m_dtr;
    }

private:
    void run()
    {
        requestRealtimePriority();
        bool rts = false, dtr = false;
        while (!m_quit) {
            const std::optional<ModemLines> now = m_monitor.lines();
            const qint64 at = steadyNs();
            if (now) {
                const std::lock_guard<std::mutex> lock(m_mutex);
                if (now->rts != rts)
                    m_rts.emplace_back(rts = now->rts, at);
                if (now->dtr != dtr)
                    m_dtr.emplace_back(dtr = now->dtr, at);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    }

    const ModemLineMonitor& m_monitor;
    std::atomic<bool> m_quit{false};
    mutable std::mutex m_mutex;
    KeyEdges m_rts, m_dtr;
    std::thread m_thread;
};

class NoEntryRow final : public EntryRowPort {
public:
    void enterCall(const QString&, bool) override {}
    void commitEntryRow() override {}
};

// The controller on the real serial ports: port 1 is /dev/ttyS0 when the table names no device for it.
struct UartRig {
    UartRig()
    {
        UserFolderPaths folders;
        folders.UserDataFolder = dir.filePath(QStringLiteral("QRP VELM"));
        QDir().mkpath(folders.UserDataFolder);
        session = std::make_unique<ContestSession>(fakes.services(), ProgramFolder(dir.path()), folders);
        cw = std::make_unique<TransmitController>(
            TransmitContext{fakes.services(), system.services(), *session, clock, winKey});
        cw->setEntryRow(&entryRow);
    }
    void keying(KeyingMethod method, int wpm, const QString& f1)
    {
        cw->setKeyingMethod(method);
        cw->setSpeedText(QString::number(wpm));
        cw->setMessage(0, f1);
        cw->leavePortField(QStringLiteral("1"));
    }

    QTemporaryDir dir;
    TestServices fakes;
    SystemStationServices system{fakes.settings};
    std::unique_ptr<ContestSession> session;
    SteadyMorseClock clock;
    FakeWinKeyLink winKey;
    NoEntryRow entryRow;
    std::unique_ptr<TransmitController> cw;
};

} // namespace

class TestCwUart : public QObject {
    Q_OBJECT
private:
    ModemLineMonitor m_monitor;

    bool linesUp() const
    {
        const std::optional<ModemLines> now = m_monitor.lines();
        return now && !now->rts && !now->dtr;
    }

private Q_SLOTS:
    void cleanup()
    {
        m_monitor.releaseLines();
        m_monitor.close();
    }

    // The message as the decoder hears it on the wire, element lengths near whole units, and only the
    // chosen line moves.
    void keysTheLine_data()
    {
        QTest::addColumn<int>("method");
        QTest::newRow("RTS") << int(KeyingMethod::Rts);
        QTest::newRow("DTR") << int(KeyingMethod::Dtr);
    }
    void keysTheLine()
    {
        QFETCH(int, method);
        VELM_NEED_TEST_UART(m_monitor);
        UartRig rig;
        const int wpm = 25;
        rig.keying(KeyingMethod(method), wpm, QStringLiteral("TEST K1"));
        QVERIFY2(rig.fakes.prompts.messages.isEmpty(), "the port opened without a message");
        QVERIFY(linesUp()); // the open's own raise of both lines was taken back at once
        LineSampler sampler(m_monitor);
        rig.cw->FKeyCW(kF1Code);
        sampler.stop();
        QVERIFY(linesUp());

        const bool rts = KeyingMethod(method) == KeyingMethod::Rts;
        const KeyEdges keyed = sampler.edges(rts ? ModemLine::Rts : ModemLine::Dtr);
        QVERIFY(sampler.edges(rts ? ModemLine::Dtr : ModemLine::Rts).empty());
        const DecodedMorse heard = decodeMorse(keyed, 1'200'000'000 / wpm);
        QVERIFY(heard.wellFormed);
        QCOMPARE(heard.text, QStringLiteral("TEST K1"));
        // Each mark is one or three units long; a stretched or clipped element shows here long before it
        // reads as the wrong letter.
        for (double mark : heard.marks) {
            const double nearest = mark < 2 ? 1 : 3;
            QVERIFY2(qAbs(mark - nearest) < 0.3 * nearest, qPrintable(QString::number(mark)));
        }
        QVERIFY(rig.fakes.prompts.messages.isEmpty());
    }

    // However the send is cut short, both lines are up the moment the controller returns, and closing
    // gives the port back to nobody: the line safety no longer holds it.
    void everyEndLeavesTheLinesUp_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("shutdown mid-send") << "shutdown";
        QTest::newRow("Escape mid-send") << "escape";
        QTest::newRow("another message mid-send") << "message";
    }
    void everyEndLeavesTheLinesUp()
    {
        QFETCH(QString, end);
        VELM_NEED_TEST_UART(m_monitor);
        UartRig rig;
        rig.keying(KeyingMethod::Rts, 20, QStringLiteral("TTTTTTTTTTTTTTTTTTTT"));
        rig.cw->setMessage(1, QStringLiteral("E"));
        const int registeredOpen = LineSafety::registeredCount();
        bool keyedWhenCut = false;
        QTimer::singleShot(150, rig.cw.get(), [&] {
            keyedWhenCut = rig.cw->CwSending();
            if (end == QLatin1String("shutdown"))
                rig.cw->shutdown();
            else if (end == QLatin1String("escape"))
                rig.cw->CwBuffer().clear();
            else
                rig.cw->FKeyCW(kF1Code + 1);
        });
        const qint64 started = steadyNs();
        rig.cw->FKeyCW(kF1Code);
        const qint64 tookMs = (steadyNs() - started) / 1'000'000;
        QVERIFY(keyedWhenCut);
        QVERIFY(linesUp());
        QVERIFY(rig.cw->CwBuffer().isEmpty());
        QVERIFY2(tookMs < 2000, qPrintable(QString::number(tookMs))); // twenty Ts take 3.2 s
        if (end == QLatin1String("shutdown"))
            QCOMPARE(LineSafety::registeredCount(), registeredOpen - 1);
        else
            QCOMPARE(LineSafety::registeredCount(), registeredOpen);
    }

    // The controller going away without a shutdown (main's objects unwinding) closes the port too.
    void destroyedControllerLetsGo()
    {
        VELM_NEED_TEST_UART(m_monitor);
        const int registered = LineSafety::registeredCount();
        {
            UartRig rig;
            rig.keying(KeyingMethod::Dtr, 40, QStringLiteral("E"));
            QCOMPARE(LineSafety::registeredCount(), registered + 1);
            rig.cw->FKeyCW(kF1Code);
        }
        QVERIFY(linesUp());
        QCOMPARE(LineSafety::registeredCount(), registered);
    }
};

QTEST_MAIN(TestCwUart)
#include "tst_cwuart.moc"
