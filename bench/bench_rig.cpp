// The rig link's read tick: each decoder on its preset reply, beside QByteArray::indexOf over the same bytes
// as the plain scale, and a whole read tick (decode, then the session's band and mode) with the band and mode
// unchanged. Figures and how to run are in bench/README.md.

#include "log/ContestSession.h"
#include "rig/RigPoller.h"
#include "rig/RigTypes.h"
#include "support/TestServices.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {

struct Reply {
    const char* rigType;
    QByteArray bytes;
    QByteArray frequencyQuery;
    QByteArray modeQuery;
};

QList<Reply> replies()
{
    return {
        {"Kenwood", "FA00014025000;MD3;", "FA;", "MD;"},
        {"Kenwood 2", "IF00014025000     +00000000003000000;", "IF;", ""},
        {"Icom", QByteArray::fromHex("FEFE64E003FD") + QByteArray::fromHex("FEFEE064030050021400FD"), "",
         ""},
        {"Yaesu", QByteArray::fromHex("0140250002"), "00 00 00 00 03", ""},
        {"Yaesu 990", (QByteArray::fromHex("001566C4000000020000000000000000")).repeated(2), "00 00 00 00 10",
         ""},
        {"Yaesu FTdx9000", "FA014025000;MD03;", "FA;", "MD0;"},
        {"Ten Tec Orion", "@AF14025000\r@RMM2\r", "?AF", "?RMM"},
    };
}

RigSettings settingsFor(const Reply& reply)
{
    RigSettings settings;
    settings.RigType = QString::fromLatin1(reply.rigType);
    settings.FrequencyQuery = QString::fromLatin1(reply.frequencyQuery);
    settings.ModeQuery = QString::fromLatin1(reply.modeQuery);
    return settings;
}

const QByteArray kPreferences = "\"K1ABC\"\r\n\"CT\"\r\n5\r\n\"CW\"\r\n3725\r\n\"USA\"\r\n72.5\r\n41.5\r\n"
                                "100\r\n16711680\r\n255\r\n\"20\"\r\n\"NA\"\r\n\"1234\"\r\n0\r\n"
                                "\"Kenwood\"\r\n0\r\n0\r\n";

} // namespace

class BenchRig : public QObject {
    Q_OBJECT

private slots:
    void plainIndexOf_data() { decode_data(); }
    void plainIndexOf()
    {
        QFETCH(QByteArray, bytes);
        qsizetype found = 0;
        QBENCHMARK
        {
            found += bytes.indexOf(';') + bytes.indexOf('\xFD') + bytes.indexOf('\r');
        }
        QVERIFY(found != 12345);
    }

    void decode_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("bytes");
        const QList<Reply> all = replies();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(all[i].rigType) << i << all[i].bytes;
    }
    void decode()
    {
        QFETCH(int, index);
        const Reply reply = replies().at(index);
        const RigSettings settings = settingsFor(reply);
        RigPoller poller;
        poller.ReplyBuffer = reply.bytes;
        poller.NextRequest = 1; // the CI-V and front-panel types: the frequency was asked
        QBENCHMARK
        {
            poller.decode(settings, QString());
        }
        QVERIFY(poller.RigFrequency > 14.0f && poller.RigFrequency < 14.1f);
    }

    // Decode a Kenwood reply, then hand the session the unchanged band and mode, as every read tick does
    // while the radio stays put.
    void readTickUnchanged()
    {
        QTemporaryDir dir;
        for (const auto& [name, bytes] :
             {std::pair{"qrppref.txt", kPreferences}, std::pair{"log.txt", QByteArray()}}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        test::TestServices fakes;
        UserFolderPaths folders;
        folders.UserDataFolder = dir.filePath(QStringLiteral("user"));
        ContestSession session(fakes.services(), ProgramFolder(dir.path()), folders);
        QVERIFY(session.ReadPreferences().ok);
        session.mnuOpen2();
        const Reply reply = replies().at(0);
        const RigSettings settings = settingsFor(reply);
        RigPoller poller;
        poller.ReplyBuffer = reply.bytes;
        poller.decode(settings, QString());
        session.BandFreqConversion(poller.RigFrequency);
        session.ModeSelection(poller.RigMode);
        QBENCHMARK
        {
            poller.decode(settings, QString());
            session.BandFreqConversion(poller.RigFrequency);
            session.ModeSelection(poller.RigMode);
        }
        QCOMPARE(session.preferences().CurrentBand, QStringLiteral("20"));
    }
};

QTEST_GUILESS_MAIN(BenchRig)
#include "bench_rig.moc"
