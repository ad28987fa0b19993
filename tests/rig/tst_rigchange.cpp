// The rig link's frequency and mode changes on a fake serial line and a fake rigctld, with fake waits: what
// is sent in which order after which delays, the band plan's mode, the boxes, and changes that end quietly
// because the operator ended the test or the port went while they waited.

#include "RigHarness.h"

#include "rig/PegasusFiles.h"
#include "rig/RigCommands.h"
#include "rig/RigctldReplies.h"

#include <QDir>

using namespace velm;
using namespace velm::test;

namespace {

// A plan with 40 m phone or CW at 7.040 for class E, 160 m, 80 m and 60 m.
QByteArray testPlan(const char* mode40)
{
    return QByteArray("\"2026\"\r\n\"160\",\"O\",\"PH\",1.8,2\r\n\"160\",\"E\",\"PH\",1.8,2\r\n"
                      "\"40\",\"O\",\"PH\",7,7.3\r\n\"40\",\"G\",\"CW\",7,7.3\r\n\"40\",\"E\",\"") +
           mode40 +
           "\",7,7.3\r\n\"80\",\"E\",\"PH\",3.6,4\r\n\"60\",\"E\",\"PH\",5.3515,5.3665\r\n"
           "\"20\",\"E\",\"CW\",14,14.15\r\n";
}

struct Harness : ChangeHarness {
    explicit Harness(const QString& type, const QByteArray& plan = testPlan("CW")) : ChangeHarness(type, plan) {}
};

} // namespace

class TestRigChange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theBandPlanModeComesFirst_data()
    {
        QTest::addColumn<QByteArray>("mode40");
        QTest::addColumn<float>("mhz");
        QTest::addColumn<QByteArrayList>("sent");
        QTest::addColumn<QList<int>>("delays");
        QTest::newRow("7.040 phone") << QByteArray("PH") << 7.04f
                                     << QByteArrayList{"MD1;", "FA00007040000;"} << QList<int>{99, 205};
        QTest::newRow("7.040 CW") << QByteArray("CW") << 7.04f << QByteArrayList{"MD3;", "FA00007040000;"}
                                  << QList<int>{99, 205};
        // 160 m leaves the radio's mode alone.
        QTest::newRow("1.830") << QByteArray("CW") << 1.83f << QByteArrayList{"FA00001830000;"} << QList<int>{205};
        // 60 m phone is upper sideband only.
        QTest::newRow("60 m") << QByteArray("CW") << 5.3585f << QByteArrayList{"MD2;", "FA00005358500;"}
                              << QList<int>{99, 205};
        // Off the plan: no mode command.
        QTest::newRow("off the plan") << QByteArray("CW") << 10.12f << QByteArrayList{"FA00010120000;"}
                                      << QList<int>{205};
    }
    void theBandPlanModeComesFirst()
    {
        QFETCH(QByteArray, mode40);
        QFETCH(float, mhz);
        QFETCH(QByteArrayList, sent);
        QFETCH(QList<int>, delays);
        Harness h(QStringLiteral("Kenwood"), testPlan(mode40));
        h.startPolling();
        const float asked = mhz;
        h.rig().ChangeFrequency(mhz);
        QCOMPARE(h.writes(), sent);
        QCOMPARE(h.waits.delays(), delays);
        QCOMPARE(mhz, asked);
        QVERIFY(h.rig().polling()); // resumed
    }

    void delaysOfTheFamilies_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QList<int>>("delays");
        QTest::newRow("Elecraft") << QStringLiteral("Elecraft") << QList<int>{99, 205, 1000};
        QTest::newRow("Omni VI") << rigtype::OmniVI << QList<int>{99, 140, 220};
        QTest::newRow("Icom 735") << rigtype::Icom735 << QList<int>{99, 140}; // no mode command, still the wait
        QTest::newRow("Yaesu 1000") << rigtype::Yaesu1000 << QList<int>{99, 10};
        QTest::newRow("Other") << rigtype::Other << QList<int>{99};
    }
    void delaysOfTheFamilies()
    {
        QFETCH(QString, type);
        QFETCH(QList<int>, delays);
        Harness h(type);
        h.startPolling();
        h.rig().ChangeFrequency(14.025f);
        QCOMPARE(h.waits.delays(), delays);
        QVERIFY(h.rig().polling());
        // Every output-drain wait is at most two seconds and found the queue empty.
        for (const FakeRigWaits::Wait& wait : h.waits.waits) {
            if (wait.kind == FakeRigWaits::Kind::Until)
                QVERIFY(wait.held && wait.ms == 2000);
        }
    }

    void vfoBAndTheOutputQueue()
    {
        Harness h(QStringLiteral("Kenwood 2"));
        h.startPolling();
        h.line()->feed("IF00007040000     +000000000031000000;");
        h.rig().PollTick();
        QCOMPARE(int(h.rig().poller().RigVfo), 1);
        h.line()->clearWrites();
        // A queue that never drains costs each wait its two seconds, and the change still goes out.
        h.line()->outputQueue = 10;
        h.rig().ChangeFrequency(7.01f);
        QCOMPARE(h.writes(), QByteArrayList({"MD3;", "FB00007010000;"}));
        QCOMPARE(h.waits.elapsedMs, 4 * 2000 + 99 + 205);
    }

    void nothingWhileNotPolling_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("Kenwood") << QStringLiteral("Kenwood");
        QTest::newRow("Pegasus") << rigtype::Pegasus;
    }
    void nothingWhileNotPolling()
    {
        QFETCH(QString, type);
        Harness h(type);
        h.fakes.settings.setValue(pegasus::FolderKey, h.dir.filePath(QStringLiteral("peg")));
        h.rig().ChangeFrequency(14.025f);
        QVERIFY(h.waits.waits.isEmpty());
        QVERIFY(!QFile::exists(h.dir.filePath(QStringLiteral("peg/PEGASUS.IN"))));
        QVERIFY(!h.line() || h.line()->writes.isEmpty());
    }

    void pegasusFile()
    {
        Harness h(rigtype::Pegasus);
        const QString folder = h.dir.filePath(QStringLiteral("peg"));
        h.fakes.settings.setValue(pegasus::FolderKey, folder);
        QVERIFY(QDir().mkpath(folder));
        QFile out(folder + QStringLiteral("/PEGASUS.OUT"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("7.02,\"CW\"\r\n");
        out.close();
        h.startPolling();
        h.rig().PollTick(); // reads the file: mode CW
        h.rig().ChangeFrequency(14.025f);
        QFile in(folder + QStringLiteral("/PEGASUS.IN"));
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(in.readAll(), QByteArray("14.025\r\nCW\r\n"));
        QVERIFY(h.rig().polling());
        // A folder that cannot be written: the box, and polling stays stopped.
        in.close();
        h.fakes.settings.setValue(pegasus::FolderKey, h.dir.filePath(QStringLiteral("log.txt/x")));
        h.rig().ChangeFrequency(14.03f);
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        QCOMPARE(h.fakes.prompts.messages[0].title, Rig::ChangeFrequencyTitle);
        QVERIFY(!h.rig().polling());
    }

    void failuresShowTheirBoxes()
    {
        Harness h(QStringLiteral("Kenwood"));
        h.startPolling();
        // The mode command fails but the change goes on; the frequency command fails: polling stays off.
        h.line()->failWrites = true;
        h.rig().ChangeFrequency(14.025f);
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        QCOMPARE(h.fakes.prompts.messages[0].title, Rig::ChangeModeTitle);
        QVERIFY(h.fakes.prompts.messages[0].text.endsWith(QLatin1String(" CW")));
        QVERIFY(!h.rig().polling());
        // "Test" starts it again.
        h.line()->failWrites = false;
        h.rig().StartTest();
        QVERIFY(h.rig().polling());
    }

    void frequencyFailureBox()
    {
        Harness h(QStringLiteral("Kenwood"));
        h.startPolling();
        // The mode command went; the frequency command is refused.
        h.waits.duringWait = [&h](int) {
            if (h.line()->writes.size() == 1)
                h.line()->failWrites = true;
        };
        h.rig().ChangeFrequency(14.025f);
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        QCOMPARE(h.fakes.prompts.messages[0].title, Rig::ChangeFrequencyTitle);
        QVERIFY(!h.rig().polling());
        QVERIFY(!h.rig().changing());
    }

    void endTestDuringAWaitEndsQuietly_data()
    {
        QTest::addColumn<int>("atWait");
        QTest::addColumn<int>("writes");
        QTest::newRow("before the mode command") << 1 << 0;
        QTest::newRow("in the drain before the frequency") << 4 << 1;
        QTest::newRow("in the frequency delay") << 5 << 1;
        QTest::newRow("in the last drain") << 6 << 2;
    }
    void endTestDuringAWaitEndsQuietly()
    {
        QFETCH(int, atWait);
        QFETCH(int, writes);
        Harness h(QStringLiteral("Kenwood"));
        h.startPolling();
        FakeSerialLine* line = h.line();
        int seen = 0;
        h.waits.duringWait = [&](int index) {
            if (index == atWait) {
                seen = int(line->writes.size());
                h.rig().EndTest();
            }
        };
        h.rig().ChangeFrequency(14.025f);
        QCOMPARE(seen, writes);
        QCOMPARE(int(line->writes.size()), writes); // nothing written after the end
        QVERIFY(!h.rig().polling());
        QVERIFY(h.fakes.prompts.messages.isEmpty());
    }

    void restartDuringAWaitIsNotOverruled()
    {
        Harness h(QStringLiteral("Kenwood"));
        h.startPolling();
        // "End Test", another type, "Test": the change must not send to the new link or restart its timer.
        h.waits.duringWait = [&h](int index) {
            if (index == 2) {
                h.rig().ApplyRigPreset(QStringLiteral("Elecraft"));
                h.rig().StartTest();
            }
        };
        h.rig().ChangeFrequency(14.025f);
        QVERIFY(h.rig().polling());
        QCOMPARE(h.rig().settings().RigType, QStringLiteral("Elecraft"));
        for (const FakeSerialLine::Write& write : h.line()->writes)
            QVERIFY2(!write.bytes.startsWith("FA000"), write.bytes.constData());
    }

    void secondChangeDuringAWaitReturnsAtOnce()
    {
        Harness h(QStringLiteral("Kenwood"));
        h.startPolling();
        bool nested = false;
        h.waits.duringWait = [&](int index) {
            if (index == 0 && !nested) {
                nested = true;
                h.rig().ChangeFrequency(21.0f);
            }
        };
        h.rig().ChangeFrequency(14.025f);
        QCOMPARE(h.writes(), QByteArrayList({"MD3;", "FA00014025000;"}));
    }

    void modeButtons()
    {
        Harness none(rigtype::None);
        none.rig().ChangeMode(0, QStringLiteral("CW"));
        QVERIFY(none.waits.waits.isEmpty());
        QVERIFY(!none.line());

        Harness h(QStringLiteral("Kenwood"));
        h.startPolling();
        h.rig().ChangeMode(0, QStringLiteral("USB"));
        QCOMPARE(h.writes(), QByteArrayList({"MD2;"}));
        QVERIFY(h.rig().polling()); // the mode goes while polling goes on
        h.rig().ChangeMode(0, QStringLiteral("DIG")); // no command for this family: nothing, no box
        QCOMPARE(h.writes().size(), 1);
        QVERIFY(h.fakes.prompts.messages.isEmpty());
        // With the port closed the mode command fails.
        h.rig().EndTest();
        h.rig().ChangeMode(0, QStringLiteral("LSB"));
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        QCOMPARE(h.fakes.prompts.messages[0].title, Rig::ChangeModeTitle);
        QVERIFY(h.fakes.prompts.messages[0].text.endsWith(QLatin1String(" LSB")));
    }

    void theShippedPlan()
    {
        RigHarness h;
        QFile shipped(QStringLiteral(VELM_DATA_DIR "/BandPlan.txt"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        h.write("BandPlan.txt", shipped.readAll());
        h.rig().LoadRigSettings();
        const struct {
            float mhz;
            const char* mode;
        } cases[] = {{1.83f, ""},      {3.55f, "CW"},   {3.85f, "LSB"},   {5.332f, "USB"},  {5.3585f, "USB"},
                     {7.04f, "CW"},    {7.2f, "LSB"},   {10.12f, "CW"},   {14.025f, "CW"},  {14.2f, "USB"},
                     {28.4f, "USB"},   {50.05f, "CW"},  {146.52f, "USB"}, {446.0f, "USB"},  {1296.0f, "USB"},
                     {2.0f, ""},       {5.34f, ""},     {30.0f, ""}};
        for (const auto& c : cases)
            QVERIFY2(h.rig().BandPlanMode(c.mhz) == QLatin1String(c.mode), qPrintable(QString::number(c.mhz)));
        QCOMPARE(h.rig().bandPlanTable().size(), 29); // the Extra rows
    }

    void rigctld()
    {
        Harness h(rigtype::Rigctld);
        h.rig().StartTest();
        FakeTcpClient* tcp = h.tcp();
        tcp->accept();
        h.rig().PollTick();
        h.rig().PollTick(); // the poll request goes out
        QCOMPARE(tcp->sends.size(), 1);
        // The poll's answers arrive during the change, then each set command's own.
        h.waits.duringWait = [&](int) {
            const QByteArray last = tcp->sends.last();
            if (tcp->sends.size() == 1 && !tcp->bytesAvailable() && h.rig().poller().rigctldReplies.pending() > 0)
                tcp->feed("get_freq:\nFrequency: 7000000\nRPRT 0\nget_mode:\nMode: CW\nPassband: 500\nRPRT 0\n");
            else if (last.startsWith("+\\set_mode") && h.rig().poller().rigctldReplies.pending() > 0)
                tcp->feed("set_mode: CW 0\nRPRT 0\n");
            else if (last.startsWith("+\\set_freq") && h.rig().poller().rigctldReplies.pending() > 0)
                tcp->feed("set_freq: 14025000\nRPRT -9\n");
        };
        h.rig().ChangeFrequency(14.025f);
        QCOMPARE(tcp->sends.mid(1), QByteArrayList({"+\\set_mode CW 0\n", "+\\set_freq 14025000\n"}));
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        QCOMPARE(h.fakes.prompts.messages[0].title, Rig::ChangeFrequencyTitle);
        QVERIFY(h.fakes.prompts.messages[0].text.contains(QLatin1String("RPRT -9")));
        QVERIFY(!h.rig().polling());
    }
};

QTEST_MAIN(TestRigChange)
#include "tst_rigchange.moc"
