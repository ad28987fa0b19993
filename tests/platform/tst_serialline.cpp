// The real serial line (QSerialPort) over a socat pseudo-terminal pair: bytes both ways, the output queue,
// a pseudo-terminal's missing modem lines, a device that vanishes, and opens that fail.

#include "platform/io/LineSafety.h"
#include "platform/io/QtSerialLine.h"
#include "platform/io/SystemStationServices.h"
#include "support/MemorySettingsStore.h"
#include "support/SocatPair.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QtTest>

using namespace velm;

class TestSerialLine : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::SocatPair> m_pair;

    static QByteArray readFor(SerialLine& line, qsizetype wanted)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < wanted && clock.elapsed() < 5000) {
            if (line.bytesAvailable() == 0)
                QSignalSpy(&line, &SerialLine::readyRead).wait(500);
            got += line.read();
        }
        return got;
    }

private Q_SLOTS:
    void init()
    {
        if (!test::SocatPair::available())
            QSKIP("socat is not installed (./velm test installs it)");
        m_pair = std::make_unique<test::SocatPair>();
        QVERIFY2(m_pair->start(), qPrintable(m_pair->errorString()));
    }
    void cleanup() { m_pair.reset(); }

    void bytesGoBothWays()
    {
        QtSerialLine rig;
        QtSerialLine radio;
        QVERIFY2(rig.open(m_pair->pathA(), {4800, Parity::None, 8, 2}), qPrintable(rig.errorString()));
        QVERIFY2(radio.open(m_pair->pathB()), qPrintable(radio.errorString()));
        QVERIFY(rig.isOpen());
        QCOMPARE(rig.devicePath(), m_pair->pathA());

        QCOMPARE(rig.write("FA;"), qint64(3));
        QCOMPARE(rig.bytesToWrite(), qint64(3)); // queued until the event loop runs
        QCOMPARE(readFor(radio, 3), QByteArray("FA;"));
        QCOMPARE(rig.bytesToWrite(), qint64(0));

        // Every byte value passes unchanged (raw line: CR, LF, XON, NUL, 0xFF).
        QByteArray binary;
        for (int i = 0; i < 256; ++i)
            binary.append(char(i));
        QCOMPARE(radio.write(binary), qint64(256));
        QCOMPARE(readFor(rig, 256), binary);
    }

    void readTakesAtMostWhatIsAsked()
    {
        QtSerialLine near;
        QtSerialLine far;
        QVERIFY(near.open(m_pair->pathA()));
        QVERIFY(far.open(m_pair->pathB()));
        far.write(QByteArray(100, 'x'));
        QVERIFY(far.drain(2000));
        QTRY_COMPARE(near.bytesAvailable(), qint64(100));
        QCOMPARE(near.read(40).size(), 40);
        QCOMPARE(near.read().size(), 60);
        QVERIFY(near.read().isEmpty());
    }

    void drainEmptiesTheQueue()
    {
        QtSerialLine near;
        QtSerialLine far;
        QVERIFY(near.open(m_pair->pathA()));
        QVERIFY(far.open(m_pair->pathB()));
        near.write(QByteArray(4000, 'k'));
        QVERIFY(near.drain(2000));
        QCOMPARE(near.bytesToWrite(), qint64(0));
        QCOMPARE(readFor(far, 4000).size(), 4000);
    }

    void pseudoTerminalHasNoModemLines()
    {
        QtSerialLine line;
        QSignalSpy failed(&line, &SerialLine::failed);
        QVERIFY(line.open(m_pair->pathA()));
        QVERIFY(!line.hasModemLines());
        QVERIFY(!line.setRts(true));
        QVERIFY(!line.setDtr(false));
        QVERIFY(line.isOpen()); // no failure, no error notice
        QCOMPARE(failed.count(), 0);
        QCOMPARE(line.error(), SerialError::None);
    }

    void vanishingDeviceClosesThePortOnce()
    {
        QtSerialLine line;
        QSignalSpy failed(&line, &SerialLine::failed);
        QVERIFY(line.open(m_pair->pathA()));
        m_pair->kill();
        QVERIFY(failed.wait(3000));
        QVERIFY(!line.isOpen());
        QCOMPARE(line.error(), SerialError::Lost);
        QVERIFY(!line.errorString().isEmpty());
        // QSerialPort goes on reporting the error as long as the descriptor is open: nothing more reaches us.
        QTest::qWait(200);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).value<SerialError>(), SerialError::Lost);
        QCOMPARE(line.write("x"), qint64(-1));
        QVERIFY(line.read().isEmpty());

        // The same object opens again once there is a device.
        test::SocatPair again;
        QVERIFY(again.start());
        QVERIFY(line.open(again.pathA()));
        QCOMPARE(line.error(), SerialError::None);
        QTest::qWait(50);
        QCOMPARE(failed.count(), 1);
    }

    void everyOpenPortIsRegisteredForRelease()
    {
        const int before = LineSafety::registeredCount();
        {
            QtSerialLine line;
            QVERIFY(line.open(m_pair->pathA()));
            QCOMPARE(LineSafety::registeredCount(), before + 1);
            line.close();
            QCOMPARE(LineSafety::registeredCount(), before);
            QVERIFY(line.open(m_pair->pathA()));
        }
        QCOMPARE(LineSafety::registeredCount(), before); // the destructor closes
    }

    void stationServicesMakeRealLinesForNumberedPorts()
    {
        test::MemorySettingsStore settings;
        SystemStationServices system(settings);
        const StationServices station = system.services();
        station.serialPorts.setDevicePath(4, m_pair->pathA());
        std::unique_ptr<SerialLine> line = station.newSerialLine();
        QVERIFY(line->open(station.serialPorts.devicePath(4)));
        QtSerialLine far;
        QVERIFY(far.open(m_pair->pathB()));
        line->write("QRZ?");
        QCOMPARE(readFor(far, 4), QByteArray("QRZ?"));
    }

    void portHeldElsewhereIsBusy()
    {
        QtSerialLine rig;
        QVERIFY(rig.open(m_pair->pathA()));
        QtSerialLine second;
        QVERIFY(!second.open(m_pair->pathA()));
        QCOMPARE(second.error(), SerialError::Busy);
        QVERIFY(rig.isOpen());
        rig.close();
        QVERIFY(second.open(m_pair->pathA()));
    }

    void failedOpens()
    {
        QtSerialLine line;
        QVERIFY(!line.open(QStringLiteral("/dev/velm-no-such-port")));
        QCOMPARE(line.error(), SerialError::NotFound);
        QVERIFY(!line.isOpen());
        QVERIFY(!line.open(QString()));
        QCOMPARE(line.error(), SerialError::NotFound);

        QTemporaryFile plain;
        QVERIFY(plain.open());
        QVERIFY(!line.open(plain.fileName()));
        QVERIFY(line.error() != SerialError::None);
        QVERIFY(!line.isOpen());
        QCOMPARE(line.write("x"), qint64(-1));
        QVERIFY(!line.setRts(true));
    }
};

QTEST_GUILESS_MAIN(TestSerialLine)
#include "tst_serialline.moc"
