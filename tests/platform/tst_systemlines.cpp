// Key lines on real devices: RTS and DTR of the 16550 at /dev/ttyS0 read back through a second descriptor
// (off right after open, each line alone, released on close and from another thread), and ppdev parallel
// ports that cannot be used, each with its device, reason and cure.

#include "platform/io/LineSafety.h"
#include "platform/io/ModemLineMonitor.h"
#include "platform/io/PpdevParallelPort.h"
#include "platform/io/QtSerialLine.h"
#include "support/MemorySettingsStore.h"
#include "support/TestUart.h"

#include <QTemporaryFile>
#include <QtTest>
#include <thread>

using namespace velm;

namespace {
const QString kUart = test::testUartPath();
}

class TestSystemLines : public QObject {
    Q_OBJECT
private:
    ModemLineMonitor m_monitor;

private Q_SLOTS:
    void cleanup()
    {
        m_monitor.releaseLines();
        m_monitor.close();
    }

    void openReleasesBothLines()
    {
        VELM_NEED_TEST_UART(m_monitor);
        // The monitor's own open raised them, as every open does.
        QVERIFY(m_monitor.lines()->rts);
        QVERIFY(m_monitor.lines()->dtr);
        QtSerialLine line;
        QVERIFY2(line.open(kUart, {1200, Parity::None, 8, 2}), qPrintable(line.errorString()));
        QVERIFY(line.hasModemLines());
        QVERIFY(!m_monitor.lines()->rts);
        QVERIFY(!m_monitor.lines()->dtr);
    }

    void eachLineAlone_data()
    {
        QTest::addColumn<bool>("rts");
        QTest::newRow("RTS") << true;
        QTest::newRow("DTR") << false;
    }
    void eachLineAlone()
    {
        QFETCH(bool, rts);
        VELM_NEED_TEST_UART(m_monitor);
        QtSerialLine line;
        QVERIFY(line.open(kUart));
        const ModemLine which = rts ? ModemLine::Rts : ModemLine::Dtr;
        QVERIFY(line.setLine(which, true));
        QCOMPARE(m_monitor.lines()->rts, rts);
        QCOMPARE(m_monitor.lines()->dtr, !rts);
        QVERIFY(line.setLine(which, false));
        QVERIFY(!m_monitor.lines()->rts);
        QVERIFY(!m_monitor.lines()->dtr);
    }

    void closeReleases()
    {
        VELM_NEED_TEST_UART(m_monitor);
        QtSerialLine line;
        QVERIFY(line.open(kUart));
        QVERIFY(line.setRts(true));
        QVERIFY(line.setDtr(true));
        line.close();
        // The monitor still holds the device, so this is the close's own release, not the kernel's hang-up.
        QVERIFY(!m_monitor.lines()->rts);
        QVERIFY(!m_monitor.lines()->dtr);
    }

    void keyingThreadDrivesTheLine()
    {
        VELM_NEED_TEST_UART(m_monitor);
        QtSerialLine line;
        QVERIFY(line.open(kUart));
        bool keyed = false;
        std::thread keyer([&] { keyed = line.setRts(true); });
        keyer.join();
        QVERIFY(keyed);
        QVERIFY(m_monitor.lines()->rts);
        QVERIFY(line.setRts(false));
        QVERIFY(!m_monitor.lines()->rts);
    }

    void parallelPortThatCannotBeUsed_data()
    {
        QTest::addColumn<QString>("device"); // "" keeps the default for &H378; "plain" is a plain file
        QTest::addColumn<QString>("cure");
        QTest::newRow("no such device") << "/dev/velm-no-parport"
                                        << "modprobe ppdev";
        QTest::newRow("plain file") << "plain"
                                    << "not a parallel port device";
    }
    void parallelPortThatCannotBeUsed()
    {
        QFETCH(QString, device);
        QFETCH(QString, cure);
        QTemporaryFile plain;
        QVERIFY(plain.open());
        if (device == QLatin1String("plain"))
            device = plain.fileName();
        test::MemorySettingsStore settings;
        settings.setValue(QStringLiteral("ParallelPort378"), device);
        const int registered = LineSafety::registeredCount();
        PpdevParallelPort port(settings);
        QVERIFY(!port.open(0x378));
        QVERIFY2(port.errorString().contains(device), qPrintable(port.errorString()));
        QVERIFY2(port.errorString().contains(cure), qPrintable(port.errorString()));
        QVERIFY(!port.write(0x37A, kParallelKeyDown));
        QCOMPARE(LineSafety::registeredCount(), registered);
    }

    void parallelAddressWithoutDevice()
    {
        test::MemorySettingsStore settings;
        PpdevParallelPort port(settings);
        QVERIFY(!port.open(0x3BC));
        QVERIFY(port.errorString().contains(QLatin1String("ParallelPort3BC")));
        QVERIFY(!port.write(0x379, 1)); // the status register is never written
    }
};

QTEST_GUILESS_MAIN(TestSystemLines)
#include "tst_systemlines.moc"
