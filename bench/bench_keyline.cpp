// Cost of one key-line edge on the real UART /dev/ttyS0: QtSerialLine::setLine (a bare ioctl) beside
// QSerialPort::setRequestToSend on the same port, and LineSafety::releaseAll as the signal handler runs it.
// Figures and how to run are in bench/README.md.

#include "platform/io/LineSafety.h"
#include "platform/io/QtSerialLine.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QtTest>

using namespace velm;

namespace {
const QString kUart = QStringLiteral("/dev/ttyS0");
}

class BenchKeyLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (!QFileInfo::exists(kUart))
            QSKIP("no /dev/ttyS0");
    }

    // The plain Qt way, for scale: each call also emits requestToSendChanged and checks the pinout.
    void qSerialPortSetRequestToSend()
    {
        QSerialPort port(kUart);
        if (!port.open(QIODevice::ReadWrite))
            QSKIP(qPrintable(port.errorString()));
        bool on = false;
        QBENCHMARK
        {
            on = !on;
            port.setRequestToSend(on);
        }
        port.setRequestToSend(false);
    }

    void serialLineSetLine()
    {
        QtSerialLine line;
        if (!line.open(kUart))
            QSKIP(qPrintable(line.errorString()));
        bool on = false;
        QBENCHMARK
        {
            on = !on;
            line.setLine(ModemLine::Rts, on);
        }
        line.setLine(ModemLine::Rts, false);
    }

    void releaseAllOneLine()
    {
        QtSerialLine line;
        if (!line.open(kUart))
            QSKIP(qPrintable(line.errorString()));
        QBENCHMARK
        {
            LineSafety::releaseAll();
        }
    }
};

QTEST_GUILESS_MAIN(BenchKeyLine)
#include "bench_keyline.moc"
