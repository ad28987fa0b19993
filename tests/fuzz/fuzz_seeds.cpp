// Writes the fuzzers' starting inputs into a folder: the reference cluster lines through each spot path
// (whole, and read a few bytes at a time), a prompt without a line end, and AGW engine frames as the
// engine sends them (version, registration, a monitored spot, connected data, a disconnect).

#include "platform/AgwFrame.h"
#include "support/ReferenceSpots.h"

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace velm;
using namespace velm::test;

namespace {

bool write(const QDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!root.mkpath(QStringLiteral("spotline")) || !root.mkpath(QStringLiteral("agwframe")))
        return 1;
    const QDir spotline(root.filePath(QStringLiteral("spotline")));
    const QDir agwframe(root.filePath(QStringLiteral("agwframe")));

    QByteArray cluster = "login: ";
    for (const ReferenceSpot& spot : kReferenceSpots)
        cluster += QByteArray(spot.line) + "\r\n" + QByteArray(2, '\0');
    for (const QByteArray& line : kClusterOtherLines)
        cluster += "\a\x1B[33m" + line + "\r\n";
    bool ok = true;
    for (char path = 0; path < 3; ++path) {
        for (const char readSize : {char(255), char(7)}) {
            const QByteArray head{path, readSize};
            ok &= write(spotline, QStringLiteral("cluster_%1_%2").arg(int(path)).arg(int(quint8(readSize))),
                        head + cluster);
            ok &= write(spotline, QStringLiteral("spot_%1_%2").arg(int(path)).arg(int(quint8(readSize))),
                        head + QByteArray(kReferenceSpots.first().line) + "\r");
        }
    }
    ok &= write(spotline, QStringLiteral("telnet_iac"),
                QByteArray("\x01\xFF\xFF\xFB\x01\xFF\xFA\x18\x01\xFF\xF0", 11) + kReferenceSpots.last().line +
                    "\n");

    QByteArray engine =
        encodeAgwFrame({0, 'R', 0, {}, {}, QByteArray("\x06\x00\x00\x00\x7F\x00\x00\x00", 8)});
    engine += encodeAgwFrame({0, 'X', 0, "K1ABC", {}, QByteArray(1, '\x01')});
    engine += encodeAgwFrame({0, 'G', 0, {}, {}, "1;Port1 1200 baud on UDP;"});
    QByteArray monitored;
    for (const ReferenceSpot& spot : kReferenceSpots)
        monitored += encodeAgwFrame({0, 'U', 0, "W3LPL", "DX",
                                     " 1:Fm W3LPL To DX <UI pid=F0 Len=75 PF=0 >[04:28:03]\r" +
                                         QByteArray(spot.line) + QByteArray("\r\0", 2)});
    engine += monitored;
    engine += encodeAgwFrame({0, 'C', 0xF0, "GB7DXC", "K1ABC", "*** CONNECTED With Station GB7DXC\r"});
    engine +=
        encodeAgwFrame({0, 'D', 0xF0, "GB7DXC", "K1ABC", QByteArray(kReferenceSpots.first().line) + "\r"});
    engine += encodeAgwFrame({0, 'd', 0, "GB7DXC", "K1ABC", "*** DISCONNECTED From Station GB7DXC\r"});
    ok &= write(agwframe, QStringLiteral("session"), engine);
    ok &= write(agwframe, QStringLiteral("monitored"), monitored);
    return ok ? 0 : 1;
}
