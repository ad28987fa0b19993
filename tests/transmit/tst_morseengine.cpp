// The Morse table and the keying engine: patterns, word spaces, unit lengths per timing method, a speed
// change inside a character, a line failing after key-down, speed 0, a clock past 2^32 ms, stopping, the
// loop calibration. Time is virtual unless a test needs the real clock.

#include "TransmitTestHelpers.h"
#include "support/RecordingKeyLine.h"
#include "support/VirtualMorseClock.h"
#include "transmit/MorseClock.h"
#include "transmit/MorseTable.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {
constexpr qint64 kMs = 1'000'000;

struct VirtualRig {
    VirtualMorseClock clock;
    RecordingKeyLine line;
    MorseEngine engine{clock};
    explicit VirtualRig(int wpm, qint64 startNs = 1'000'000'000) : clock(startNs)
    {
        line.clock = [this] { return clock.timePoint(); };
        engine.setSpeed(wpm);
    }
    MorseCharacter character(QChar c, TimingMethod method = TimingMethod::Timer, int wordSpace = 0)
    {
        return MorseCharacter{keyedPattern(c, wordSpace), &line, method, 0};
    }
    bool key(const QString& text, TimingMethod method = TimingMethod::Timer, int wordSpace = 0)
    {
        QList<MorseCharacter> list;
        for (QChar c : text) {
            if (!keyedPattern(c, wordSpace).isEmpty())
                list << character(c, method, wordSpace);
        }
        return keyPatterns(engine, list);
    }
};

// A key line that runs a hook on its n-th call, from the keying thread.
class HookedLine final : public KeyLine {
public:
    explicit HookedLine(RecordingKeyLine& inner) : m_inner(inner) {}
    bool setKeyed(bool down) override
    {
        if (++calls == hookAt && hook)
            hook();
        return m_inner.setKeyed(down);
    }
    bool isKeyed() const override { return m_inner.isKeyed(); }
    std::function<void()> hook;
    int hookAt = 0;
    std::atomic<int> calls{0};

private:
    RecordingKeyLine& m_inner;
};
} // namespace

class TestMorseEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void patterns_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QByteArray>("pattern");
        QTest::newRow("A") << "A" << QByteArray("10111000");
        QTest::newRow("a as A") << "a" << QByteArray("10111000");
        QTest::newRow("0") << "0" << QByteArray("1110111011101110111000");
        QTest::newRow("space") << " " << QByteArray("00000000");
        QTest::newRow("- is BT") << "-" << QByteArray("1110101010111000");
        QTest::newRow("= is BT") << "=" << QByteArray("1110101010111000");
        QTest::newRow("[ is AR") << "[" << QByteArray("1011101011101000");
        QTest::newRow("] is SK") << "]" << QByteArray("101010111010111000");
        QTest::newRow("; is KN") << ";" << QByteArray("111010111011101000");
        QTest::newRow("\\ is CL") << "\\" << QByteArray("111010111010101110101000");
        QTest::newRow("? ") << "?" << QByteArray("101011101110101000");
        QTest::newRow("! logs, sends nothing") << "!" << QByteArray();
        QTest::newRow("% not in the table") << "%" << QByteArray();
        QTest::newRow("e acute not in the table") << QString(QChar(0xE9)) << QByteArray();
    }
    void patterns()
    {
        QFETCH(QString, character);
        QFETCH(QByteArray, pattern);
        QCOMPARE(MorseTable(character.at(0)), pattern);
    }

    void wordSpace_data()
    {
        QTest::addColumn<int>("adjustment");
        QTest::addColumn<int>("units"); // key-up units of the word space itself
        QTest::newRow("0") << 0 << 8;
        QTest::newRow("+3") << 3 << 11;
        QTest::newRow("-4") << -4 << 4;
        QTest::newRow("-8") << -8 << 0;
        QTest::newRow("-12") << -12 << 0;
    }
    void wordSpace()
    {
        QFETCH(int, adjustment);
        QFETCH(int, units);
        QCOMPARE(keyedPattern(QLatin1Char(' '), adjustment), QByteArray(units, '0'));
        QCOMPARE(keyedPattern(QLatin1Char('E'), adjustment), QByteArray("1000")); // letters keep theirs
    }

    // "E" at 12 WPM: down 100 ms, then up 300 ms; with a word space the gap before the next letter is the
    // character's 3 units plus the space's.
    void unitLengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("wpm");
        QTest::addColumn<int>("wordSpace");
        QTest::addColumn<QList<double>>("marks");
        QTest::addColumn<QList<double>>("spaces");
        QTest::addColumn<QString>("heard");
        QTest::newRow("E at 12") << "E" << 12 << 0 << QList<double>{1} << QList<double>{} << "E";
        QTest::newRow("word space 0") << "E E" << 20 << 0 << QList<double>{1, 1} << QList<double>{11} << "E E";
        QTest::newRow("word space -4") << "E E" << 20 << -4 << QList<double>{1, 1} << QList<double>{7} << "E E";
        QTest::newRow("word space -8") << "E E" << 20 << -8 << QList<double>{1, 1} << QList<double>{3} << "EE";
        QTest::newRow("word space +3") << "E E" << 20 << 3 << QList<double>{1, 1} << QList<double>{14} << "E E";
        QTest::newRow("A") << "A" << 30 << 0 << QList<double>{1, 3} << QList<double>{1} << "A";
    }
    void unitLengths()
    {
        QFETCH(QString, text);
        QFETCH(int, wpm);
        QFETCH(int, wordSpace);
        QFETCH(QList<double>, marks);
        QFETCH(QList<double>, spaces);
        QFETCH(QString, heard);
        VirtualRig rig(wpm);
        const qint64 start = rig.clock.nowNs();
        QVERIFY(rig.key(text, TimingMethod::Timer, wordSpace));
        const qint64 unit = 1200 * kMs / wpm;
        const DecodedMorse decoded = decodeMorse(rig.line.edgesNs(), unit);
        QVERIFY(decoded.wellFormed);
        QCOMPARE(decoded.marks, marks);
        QCOMPARE(decoded.spaces, spaces);
        QCOMPARE(decoded.text, heard);
        // The first edge comes at once; the send ends with the last character's three key-up units.
        QCOMPARE(rig.line.edgesNs().front().second, start);
        QCOMPARE(rig.clock.nowNs() - rig.line.edgesNs().back().second, 3 * unit);
        if (text == QLatin1String("E"))
            QCOMPARE(rig.clock.nowNs() - start, 400 * kMs);
    }

    void decodesAMessage()
    {
        VirtualRig rig(25);
        QVERIFY(rig.key(QStringLiteral("CQ DE K1ABC/3 [ ] ; \\ = 5NN?")));
        QCOMPARE(decodeMorse(rig.line.edgesNs(), 1200 * kMs / 25).text, QStringLiteral("CQ DE K1ABC/3 [ ] ; \\ = 5NN?"));
    }

    // "Timer" sleeps through a unit and spins only its last millisecond.
    void timerSpinsOnlyTheLastMillisecond()
    {
        VirtualRig rig(13);
        QVERIFY(rig.key(QStringLiteral("TEST")));
        const qint64 units = 3 + 1 + 3 + 1 + 1 + 1 + 1 + 1 + 3 + 3 + 3 + 3 + 3; // T E S T with gaps, roughly
        QVERIFY(rig.clock.spunNs.load() <= (units + 20) * MorseEngine::kSpinNs);
        QVERIFY(rig.clock.spunNs.load() > 0);
    }

    // "Sleep" waits whole milliseconds: 1200/13 = 92.3 ms becomes 92 ms.
    void sleepRoundsToWholeMilliseconds()
    {
        VirtualRig rig(13);
        QVERIFY(rig.key(QStringLiteral("E"), TimingMethod::Sleep));
        const auto edges = rig.line.edgesNs();
        QCOMPARE(edges.size(), std::size_t(2));
        QCOMPARE(edges[1].second - edges[0].second, 92 * kMs);
        QCOMPARE(rig.clock.spunNs.load(), qint64(0));
    }

    // "Loop" counts offset / speed x 20 iterations per unit: at 10 ns an iteration an offset of 6,000,000
    // per 60 ms gives 60 ms units at 20 WPM.
    void loopCountsIterations()
    {
        VirtualRig rig(20);
        rig.clock.nsPerIteration = 10;
        MorseCharacter e = rig.character(QLatin1Char('E'), TimingMethod::Loop);
        e.loopOffset = 6'000'000;
        QVERIFY(keyPatterns(rig.engine, {e}));
        const auto edges = rig.line.edgesNs();
        QCOMPARE(edges.size(), std::size_t(2));
        QCOMPARE(edges[1].second - edges[0].second, 60 * kMs);
        QCOMPARE(rig.clock.loopIterations.load(), qint64(4) * 6'000'000);
    }

    void calibrationMeasuresIterationsPer60ms()
    {
        VirtualRig rig(20);
        rig.clock.nsPerIteration = 10;
        QSignalSpy calibrated(&rig.engine, &MorseEngine::calibrated);
        const qint64 start = rig.clock.nowNs();
        QVERIFY(rig.engine.startCalibration());
        QVERIFY(calibrated.wait(5000));
        QCOMPARE(calibrated.first().first().toDouble(), 6'000'000.0);
        QVERIFY(rig.clock.nowNs() - start >= MorseEngine::kCalibrationNs);
    }

    // The speed is read for every unit: from the third element on, "0" goes at the new speed.
    void speedChangeInsideACharacter()
    {
        VirtualRig rig(10);
        HookedLine hooked(rig.line);
        hooked.hookAt = 3; // before the second dash's key-down
        hooked.hook = [&] { rig.engine.setSpeed(20); };
        QVERIFY(keyPatterns(rig.engine, {MorseCharacter{MorseTable(QLatin1Char('0')), &hooked, TimingMethod::Timer, 0}}));
        const auto edges = rig.line.edgesNs();
        QCOMPARE(edges.size(), std::size_t(10));
        QCOMPARE(edges[1].second - edges[0].second, 3 * 120 * kMs); // first dash at 10 WPM
        QCOMPARE(edges[3].second - edges[2].second, 3 * 60 * kMs);  // second at 20 WPM
    }

    // The line refuses after the key-down: the character ends there and the engine still asks for key-up.
    void lineFailingAfterKeyDown()
    {
        VirtualRig rig(20);
        rig.line.setRefuseAfter(1);
        QSignalSpy ended(&rig.engine, &MorseEngine::characterEnded);
        QVERIFY(rig.key(QStringLiteral("T")));
        QVERIFY(ended.wait(1000) || ended.count() == 1);
        QCOMPARE(ended.first().first().value<CharacterEnd>(), CharacterEnd::LineFailed);
        const auto calls = rig.line.calls();
        QCOMPARE(calls.front().down, true);
        QCOMPARE(calls.back().down, false);
    }

    void speedZeroKeysNothing()
    {
        VirtualRig rig(0);
        QSignalSpy ended(&rig.engine, &MorseEngine::characterEnded);
        const qint64 start = rig.clock.nowNs();
        QVERIFY(rig.key(QStringLiteral("E")));
        QVERIFY(ended.wait(1000) || ended.count() == 1);
        QCOMPARE(ended.first().first().value<CharacterEnd>(), CharacterEnd::SpeedBelowOne);
        QVERIFY(rig.line.edgesNs().empty());
        QCOMPARE(rig.clock.nowNs(), start);
    }

    // A 64-bit count has no wrap to avoid: 50 days of uptime key like any other time.
    void clockPast32BitMilliseconds()
    {
        VirtualRig rig(12, (qint64(1) << 32) * kMs + 5 * kMs);
        QVERIFY(rig.key(QStringLiteral("EE")));
        QCOMPARE(decodeMorse(rig.line.edgesNs(), 100 * kMs).text, QStringLiteral("EE"));
    }

    // Stop ends the character at once with the line up, on the real clock.
    void stopEndsAtOnceWithTheLineUp()
    {
        SteadyMorseClock clock;
        RecordingKeyLine line;
        MorseEngine engine(clock);
        engine.setSpeed(5); // a dash of 720 ms
        QVERIFY(engine.send(MorseCharacter{MorseTable(QLatin1Char('T')), &line, TimingMethod::Timer, 0}));
        QVERIFY(waitUntil([&] { return line.isKeyed(); }, 2000));
        QElapsedTimer took;
        took.start();
        engine.stop();
        QVERIFY2(took.elapsed() < 50, qPrintable(QString::number(took.elapsed())));
        QVERIFY(engine.idle());
        QVERIFY(!line.isKeyed());
        QCOMPARE(line.calls().back().down, false);
    }
};

QTEST_MAIN(TestMorseEngine)
#include "tst_morseengine.moc"
