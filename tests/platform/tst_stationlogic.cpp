// The station services' logic: the serial settings text, port numbers to devices, parallel-port addresses,
// and key lines over a serial or parallel port.

#include "platform/KeyLine.h"
#include "platform/ParallelPort.h"
#include "platform/SerialLineSettings.h"
#include "platform/SerialPortTable.h"
#include "support/FakeParallelPort.h"
#include "support/FakeSerialLine.h"
#include "support/MemorySettingsStore.h"
#include "support/TestStationServices.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velm;

class TestStationLogic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("stopBits");
        QTest::newRow("tnc") << "9600,N,8,1" << true << 9600 << int(Parity::None) << 8 << 1;
        QTest::newRow("winkey") << "1200,N,8,2" << true << 1200 << int(Parity::None) << 8 << 2;
        QTest::newRow("padded baud as the rig file keeps it") << "1200 ,N,8,1" << true << 1200 << 0 << 8 << 1;
        QTest::newRow("lower-case even parity, 7 bits")
            << "4800,e,7,2" << true << 4800 << int(Parity::Even) << 7 << 2;
        QTest::newRow("odd") << "19200,O,8,1" << true << 19200 << int(Parity::Odd) << 8 << 1;
        QTest::newRow("56000 kept as asked") << "56000,N,8,1" << true << 56000 << 0 << 8 << 1;
        QTest::newRow("empty") << "" << false << 0 << 0 << 0 << 0;
        QTest::newRow("three parts") << "9600,N,8" << false << 0 << 0 << 0 << 0;
        QTest::newRow("five parts") << "9600,N,8,1,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("one and a half stop bits") << "9600,N,8,1.5" << false << 0 << 0 << 0 << 0;
        QTest::newRow("signed baud") << "+9600,N,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("decimal baud") << "9600.0,N,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("zero baud") << "0,N,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("unknown parity") << "9600,X,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("nine data bits") << "9600,N,9,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("three stop bits") << "9600,N,8,3" << false << 0 << 0 << 0 << 0;
        QTest::newRow("huge baud") << "99999999,N,8,1" << false << 0 << 0 << 0 << 0;
    }
    void settingsText()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const auto parsed = parseSerialSettings(text);
        QCOMPARE(parsed.has_value(), valid);
        if (!valid)
            return;
        QFETCH(int, baud);
        QFETCH(int, parity);
        QFETCH(int, dataBits);
        QFETCH(int, stopBits);
        QCOMPARE(parsed->baudRate, baud);
        QCOMPARE(int(parsed->parity), parity);
        QCOMPARE(parsed->dataBits, dataBits);
        QCOMPARE(parsed->stopBits, stopBits);
        // Written back in the canonical form, which reads back the same.
        QCOMPARE(parseSerialSettings(formatSerialSettings(*parsed)), parsed);
    }

    void settingsTextFormat()
    {
        QCOMPARE(formatSerialSettings({1200, Parity::None, 8, 2}), QStringLiteral("1200,N,8,2"));
        QCOMPARE(formatSerialSettings({4800, Parity::Even, 7, 1}), QStringLiteral("4800,E,7,1"));
    }

    void nonstandardRateOpensAtWhatA16550Gives()
    {
        QCOMPARE(wireBaudRate(56000), 57600);
        QCOMPARE(wireBaudRate(57600), 57600);
        QCOMPARE(wireBaudRate(14400), 14400);
        QCOMPARE(wireBaudRate(1200), 1200);
    }

    void portNumbersMapToDevices()
    {
        test::MemorySettingsStore settings;
        SerialPortTable table(settings);
        QCOMPARE(table.devicePath(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(table.devicePath(10), QStringLiteral("/dev/ttyS9"));
        QCOMPARE(table.devicePath(0), QString()); // 0 means no port
        QCOMPARE(table.devicePath(-3), QString());
        QVERIFY(!table.hasOwnChoice(3));

        QSignalSpy changed(&table, &SerialPortTable::changed);
        table.setDevicePath(3, QStringLiteral("  /dev/serial/by-id/usb-FTDI_FT232R-if00-port0 "));
        QCOMPARE(table.devicePath(3), QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
        QCOMPARE(settings.values.value(QStringLiteral("SerialPort3")),
                 QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
        QVERIFY(table.hasOwnChoice(3));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 3);

        table.setDevicePath(3, QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
        QCOMPARE(changed.count(), 1); // unchanged: no notice

        // The default or an empty path drops the choice.
        table.setDevicePath(3, QStringLiteral("/dev/ttyS2"));
        QVERIFY(!table.hasOwnChoice(3));
        QCOMPARE(table.devicePath(3), QStringLiteral("/dev/ttyS2"));
        table.setDevicePath(4, QStringLiteral("/tmp/ttyA"));
        table.setDevicePath(4, QStringLiteral("   "));
        QCOMPARE(table.devicePath(4), QStringLiteral("/dev/ttyS3"));
    }

    void anotherTableOnTheSameStoreSeesTheChoice()
    {
        test::MemorySettingsStore settings;
        SerialPortTable(settings).setDevicePath(2, QStringLiteral("/tmp/pty7"));
        QCOMPARE(SerialPortTable(settings).devicePath(2), QStringLiteral("/tmp/pty7"));
    }

    void ioAddressText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("address"); // -1: refused
        QTest::newRow("hex") << "&H378" << 0x378;
        QTest::newRow("hex lower case") << "&h278" << 0x278;
        QTest::newRow("hex digits lower case") << "&H3bc" << 0x3BC;
        QTest::newRow("decimal") << "888" << 888;
        QTest::newRow("blanks") << "  &H378 " << 0x378;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("prefix alone") << "&H" << -1;
        QTest::newRow("hex digits without prefix") << "378A" << -1;
        QTest::newRow("C prefix") << "0x378" << -1;
        QTest::newRow("zero") << "0" << -1;
        QTest::newRow("too large") << "&H10000" << -1;
        QTest::newRow("negative") << "-888" << -1;
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("８８８") << -1;
    }
    void ioAddressText()
    {
        QFETCH(QString, text);
        QFETCH(int, address);
        const auto parsed = parseIoAddress(text);
        QCOMPARE(parsed ? int(*parsed) : -1, address);
    }

    void parallelAddressesMapToDevices()
    {
        test::MemorySettingsStore settings;
        QCOMPARE(parallelDevicePath(0x378, settings), QStringLiteral("/dev/parport0"));
        QCOMPARE(parallelDevicePath(0x278, settings), QStringLiteral("/dev/parport1"));
        QCOMPARE(parallelDevicePath(0x3BC, settings), QString());
        QCOMPARE(parallelPortSettingKey(0x3BC), QStringLiteral("ParallelPort3BC"));
        settings.setValue(QStringLiteral("ParallelPort378"), QStringLiteral("/dev/parport2"));
        settings.setValue(QStringLiteral("ParallelPortD010"), QStringLiteral("/dev/parport3"));
        QCOMPARE(parallelDevicePath(0x378, settings), QStringLiteral("/dev/parport2"));
        QCOMPARE(parallelDevicePath(0xD010, settings), QStringLiteral("/dev/parport3"));
        QCOMPARE(parallelBaseOf(0x37A), quint16(0x378));
        QCOMPARE(parallelBaseOf(0x378), quint16(0x378));
    }

    void parallelKeyLineWritesTheControlRegister()
    {
        test::FakeParallelPort port;
        ParallelKeyLine line(port, 0x278);
        QVERIFY(line.setKeyed(true));
        QVERIFY(line.isKeyed());
        QVERIFY(line.setKeyed(false));
        const QList<test::FakeParallelPort::Write> expected{{634, 3}, {634, 2}};
        QCOMPARE(port.writes(), expected);
    }

    void serialKeyLineDrivesItsLineOnly()
    {
        test::FakeSerialLine port;
        QVERIFY(port.open(QStringLiteral("/dev/ttyS0")));
        SerialKeyLine key(port, ModemLine::Dtr);
        QVERIFY(key.setKeyed(true));
        QVERIFY(port.dtr);
        QVERIFY(!port.rts);
        QVERIFY(key.setKeyed(false));
        QVERIFY(!port.dtr);
    }

    void serialKeyLineReportsWhatTheLineCannotDo()
    {
        test::FakeSerialLine pty;
        pty.modemLines = false;
        QVERIFY(pty.open(QStringLiteral("/tmp/ttyA")));
        SerialKeyLine key(pty, ModemLine::Rts);
        QVERIFY(!key.setKeyed(true)); // a pseudo-terminal cannot key
        pty.close();
        // Releasing a closed port is no failure: the line dropped with the close.
        QVERIFY(key.setKeyed(false));
        QVERIFY(!key.isKeyed());
    }

    void openFailureTextNamesDeviceReasonAndCure()
    {
        const QString denied =
            serialOpenFailureText(QStringLiteral("/dev/ttyUSB0"), SerialError::PermissionDenied,
                                  QStringLiteral("Permission denied"));
        QVERIFY(denied.contains(QLatin1String("/dev/ttyUSB0")));
        QVERIFY(denied.contains(QLatin1String("Permission denied")));
        QVERIFY(denied.contains(QLatin1String("dialout")));
        QVERIFY(
            !serialOpenFailureText(QStringLiteral("/dev/ttyS0"), SerialError::Busy, QStringLiteral("busy"))
                 .contains(QLatin1String("dialout")));
    }

    void testServicesHandOutScriptableFakes()
    {
        test::TestStationServices station;
        const StationServices services = station.services();
        station.settings.setValue(QStringLiteral("SerialPort2"), QStringLiteral("/tmp/ttyA"));
        QCOMPARE(services.serialPorts.devicePath(2), QStringLiteral("/tmp/ttyA"));
        std::unique_ptr<SerialLine> rig = services.newSerialLine();
        std::unique_ptr<SerialLine> keyer = services.newSerialLine();
        QCOMPARE(station.serialLines.size(), 2);
        QCOMPARE(station.serialLines.at(1), keyer.get());
        QVERIFY(rig->open(services.serialPorts.devicePath(2)));
        QCOMPARE(station.serialLines.at(0)->path, QStringLiteral("/tmp/ttyA"));
        std::unique_ptr<TcpClient> cluster = services.newTcpClient();
        QCOMPARE(station.tcpClients.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestStationLogic)
#include "tst_stationlogic.moc"
