// Transmitter safety when the program dies: a child process keys RTS and DTR of /dev/ttyS0 and is killed
// or crashes; the lines read back through a second descriptor must be released. On a pseudo-terminal pair
// the keyer's close bytes must come out of the dying process.

#include "platform/io/ModemLineMonitor.h"
#include "platform/io/QtSerialLine.h"
#include "support/SocatPair.h"
#include "support/TestUart.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>

using namespace velm;

namespace {
const QString kUart = test::testUartPath();
}

class TestLineSafety : public QObject {
    Q_OBJECT
private:
    ModemLineMonitor m_monitor;

    static bool startChild(QProcess& child, const QStringList& arguments)
    {
        child.start(QStringLiteral(VELM_LINESAFETY_CHILD), arguments);
        if (!child.waitForStarted(5000))
            return false;
        QByteArray said;
        while (!said.contains("ready")) {
            if (!child.waitForReadyRead(5000))
                return false;
            said += child.readAllStandardOutput();
        }
        return true;
    }

    // Opened before the child's port: the child's open raises the lines, then releases them itself.
private Q_SLOTS:
    void cleanup()
    {
        m_monitor.releaseLines();
        m_monitor.close();
    }

    void deathReleasesTheLines_data()
    {
        QTest::addColumn<QString>("command"); // "" : the test sends SIGTERM
        QTest::newRow("SIGTERM") << "";
        QTest::newRow("SIGINT") << "int";
        QTest::newRow("SIGHUP") << "hup";
        QTest::newRow("SIGSEGV") << "segv";
        QTest::newRow("null pointer") << "null";
        QTest::newRow("SIGBUS") << "bus";
        QTest::newRow("abort") << "abort";
        QTest::newRow("std::terminate") << "terminate";
        QTest::newRow("std::exit") << "exit";
    }
    void deathReleasesTheLines()
    {
        QFETCH(QString, command);
        VELM_NEED_TEST_UART(m_monitor);
        QProcess child;
        QVERIFY(startChild(child, {kUart, QStringLiteral("safety")}));
        QVERIFY(m_monitor.lines()->rts);
        QVERIFY(m_monitor.lines()->dtr);
        if (command.isEmpty())
            child.terminate();
        else
            child.write(command.toLatin1() + '\n');
        QVERIFY(child.waitForFinished(10000));
        if (command != QLatin1String("exit"))
            QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
        QVERIFY(!m_monitor.lines()->rts);
        QVERIFY(!m_monitor.lines()->dtr);
    }

    // Without the handlers a killed process leaves the lines keyed while another descriptor holds the port:
    // what the test above sees released is the handler's doing.
    void withoutHandlersTheLinesStayKeyed()
    {
        VELM_NEED_TEST_UART(m_monitor);
        QProcess child;
        QVERIFY(startChild(child, {kUart, QStringLiteral("bare")}));
        child.terminate();
        QVERIFY(child.waitForFinished(10000));
        QVERIFY(m_monitor.lines()->rts);
        QVERIFY(m_monitor.lines()->dtr);
    }

    void dyingProcessSendsTheKeyerCloseBytes_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("SIGSEGV") << "segv";
        QTest::newRow("SIGTERM") << "";
    }
    void dyingProcessSendsTheKeyerCloseBytes()
    {
        QFETCH(QString, command);
        if (!test::SocatPair::available())
            QSKIP("socat is not installed (./velm test installs it)");
        test::SocatPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorString()));
        QtSerialLine keyer;
        QVERIFY(keyer.open(pair.pathB()));
        QProcess child;
        QVERIFY(startChild(child, {pair.pathA(), QStringLiteral("safety"), QStringLiteral("winkey")}));
        if (command.isEmpty())
            child.terminate();
        else
            child.write(command.toLatin1() + '\n');
        QVERIFY(child.waitForFinished(10000));
        QByteArray got;
        QTRY_VERIFY_WITH_TIMEOUT((got += keyer.read()).size() >= 3, 3000);
        QCOMPARE(got, QByteArray("\x0A\x00\x03", 3));
    }
};

QTEST_GUILESS_MAIN(TestLineSafety)
#include "tst_linesafety.moc"
