// A process that keys a serial port and then dies as told, for the line-safety test.
// Usage: linesafety_child <device> <safety|bare> [winkey]
// Opens the device, keys RTS and DTR (where the device has them), with "winkey" registers the keyer's close
// bytes 0A 00 03, with "safety" installs the handlers, prints "ready", then obeys one line on standard input:
// segv, null, bus, abort, terminate, hup, int (raise that), exit (std::exit), quit (return from main).

#include "platform/io/LineSafety.h"
#include "platform/io/QtSerialLine.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

namespace {
// A store through a null pointer the compiler cannot see, so it really faults; kept from the undefined-
// behaviour sanitizer, which would end the process by itself before any signal.
__attribute__((noinline, no_sanitize("undefined"))) void storeThroughNull(const char* zero)
{
    auto* nowhere = reinterpret_cast<volatile int*>(std::strtoul(zero, nullptr, 10));
    *nowhere = 1;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    if (std::string(argv[2]) == "safety")
        velm::LineSafety::install();
    velm::QtSerialLine line;
    if (argc > 3 && std::string(argv[3]) == "winkey")
        line.setEmergencyBytes(QByteArray("\x0A\x00\x03", 3));
    if (!line.open(QString::fromLocal8Bit(argv[1]))) {
        std::printf("open failed: %s\n", qPrintable(line.errorString()));
        return 3;
    }
    line.setRts(true);
    line.setDtr(true);
    std::printf("ready\n");
    std::fflush(stdout);

    std::string command;
    std::getline(std::cin, command);
    if (command == "segv")
        std::raise(SIGSEGV);
    else if (command == "null")
        storeThroughNull("0");
    else if (command == "bus")
        std::raise(SIGBUS);
    else if (command == "abort")
        std::abort();
    else if (command == "terminate")
        std::terminate();
    else if (command == "hup")
        std::raise(SIGHUP);
    else if (command == "int")
        std::raise(SIGINT);
    else if (command == "exit")
        std::exit(0);
    return 0;
}
