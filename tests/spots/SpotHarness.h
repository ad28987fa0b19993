#pragma once
// Responsibilities: the spotting window's logic over a contest session in a temporary program folder (own
// call K1ABC), with fake serial lines, TCP clients and AGW engine, or the real ones for the peer tests.

#include "log/ContestSession.h"
#include "platform/io/SystemStationServices.h"
#include "spots/SpotConnection.h"
#include "spots/SpotStore.h"
#include "support/FakeAgwEngine.h"
#include "support/TestServices.h"
#include "support/TestStationServices.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

namespace velm::test {

inline const QByteArray kSpotPreferences =
    "\"K1ABC\"\r\n\"CT\"\r\n5\r\n\"CW\"\r\n3725\r\n\"USA\"\r\n72.5\r\n41.5\r\n"
    "100\r\n16711680\r\n255\r\n\"20\"\r\n\"NA\"\r\n\"1234\"\r\n0\r\n"
    "\"None\"\r\n0\r\n0\r\n";
inline const QByteArray kSpotLog =
    "\"W1AW\",\"599\",\"1234\",\"599\",\"CT\",\"2011/03/05\",\"14:05:33\",\"CW\",\"20\",5,\"\"\r\n"
    "\"DL1ABC\",\"599\",\"5W\",\"599\",\"Germany\",\"2011/03/05\",\"14:07:01\",\"CW\",\"20\",4,\"\"\r\n";

inline QByteArray spotSettingsFile(const char* source, const char* baud = "9600", int handshake = 3,
                                   const char* power = "N", int dxOnly = 0, const char* host = "127.0.0.1",
                                   const QByteArray& port = "7300")
{
    return QByteArray("\"") + baud + "\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n2\r\n\"" + power + "\"\r\n\"" +
           source + "\"\r\n0\r\n" + QByteArray::number(handshake) + "\r\n" + QByteArray::number(dxOnly) +
           "\r\n#FALSE#\r\n\"03\"\r\n\"" + port + "\"\r\n\"" + host + "\"\r\n";
}

struct SpotHarness {
    // realLinks: QtSerialLine and QtTcpClient instead of the fakes.
    explicit SpotHarness(const QByteArray& packSpot = {}, AgwEngine* engine = nullptr, bool realLinks = false,
                         const QByteArray& preferences = kSpotPreferences)
    {
        write("qrppref.txt", preferences);
        write("log.txt", kSpotLog);
        if (!packSpot.isEmpty())
            write("PackSpot.txt", packSpot);
        folders.UserDataFolder = dir.filePath(QStringLiteral("user"));
        session.emplace(fakes.services(), ProgramFolder(dir.path()), folders);
        QVERIFY(session->ReadPreferences().ok);
        QVERIFY(session->mnuOpen2().ok);
        store.emplace(fakes.clock);
        if (realLinks)
            system.emplace(station.settings);
        spots.emplace(fakes.services(), realLinks ? system->services() : station.services(),
                      engine ? *engine : fakeAgw, *session, *store);
    }
    ~SpotHarness() { spots.reset(); }

    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray read(const char* name) const
    {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    FakeSerialLine& serial() { return *station.serialLines.at(0); }
    FakeTcpClient& tcp() { return *station.tcpClients.at(0); }
    const QString& traffic() const { return spots->traffic().text(); }
    SpotConnection& operator*() { return *spots; }
    SpotConnection* operator->() { return &*spots; }

    QTemporaryDir dir;
    UserFolderPaths folders;
    TestServices fakes;
    TestStationServices station;
    std::optional<SystemStationServices> system;
    FakeAgwEngine fakeAgw;
    std::optional<ContestSession> session;
    std::optional<SpotStore> store;
    std::optional<SpotConnection> spots;
};

} // namespace velm::test
