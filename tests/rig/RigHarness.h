#pragma once
// Responsibilities: a contest session in a temporary program folder with a Rig on fake station services,
// the preferences and RigCntrl.txt written by the test, and the fake serial line or TCP client the rig made;
// for the changes also a band plan and fake waits.

#include "log/ContestSession.h"
#include "rig/Rig.h"
#include "rig/RigSettings.h"
#include "support/TestServices.h"
#include "support/FakeRigWaits.h"
#include "support/TestStationServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace velm::test {

// qrppref.txt with CW on 20 m and the given rig type.
inline QByteArray preferencesWithRig(const QByteArray& rigType)
{
    return "\"K1ABC\"\r\n\"CT\"\r\n5\r\n\"CW\"\r\n3725\r\n\"USA\"\r\n72.5\r\n41."
           "5\r\n100\r\n16711680\r\n255\r\n"
           "\"20\"\r\n\"NA\"\r\n\"1234\"\r\n0\r\n\"" +
           rigType + "\"\r\n0\r\n0\r\n";
}

// RigCntrl.txt for a type with its preset, on port 1 at the given poll rate.
inline QByteArray rigFileFor(const RigSettings& base)
{
    return rigSettingsBytes(base);
}

struct RigHarness {
    explicit RigHarness(const QByteArray& prefsRigType = "None")
    {
        write("qrppref.txt", preferencesWithRig(prefsRigType));
        write("log.txt", QByteArray());
        folders.UserDataFolder = dir.filePath(QStringLiteral("user"));
        session.emplace(fakes.services(), ProgramFolder(dir.path()), folders);
        QVERIFY(session->ReadPreferences().ok);
        QVERIFY(session->mnuOpen2().ok);
    }

    Rig& rig()
    {
        if (!m_rig)
            m_rig.emplace(*session, fakes.services(), station.services());
        return *m_rig;
    }

    // The rig's serial line, once it made one.
    FakeSerialLine* line() const { return station.serialLines.value(0); }
    FakeTcpClient* tcp() const { return station.tcpClients.value(0); }

    // A rig set up as the preset of rigType gives it, RigCntrl.txt as "&Done" would leave it.
    void writeRigFile(const QString& rigType, const QString& pollRate = QStringLiteral("M"),
                      const QString& powerLine = QStringLiteral("N"))
    {
        RigSettings settings;
        RigChoices choices = designDefaultChoices();
        applyRigPreset(settings, choices, rigType);
        takeChoices(settings, choices);
        settings.PollRate = pollRate;
        settings.PowerLine = powerLine;
        takeCheckBoxes(settings, choices);
        write("RigCntrl.txt", rigSettingsBytes(settings));
    }

    // A full cycle: the send tick, the fake's replies delivered, the read tick.
    void cycle()
    {
        rig().PollTick();
        QCoreApplication::processEvents();
        rig().PollTick();
    }

    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    }
    QByteArray read(const char* name) const
    {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool exists(const char* name) const { return QFile::exists(dir.filePath(QString::fromLatin1(name))); }

    QTemporaryDir dir;
    TestServices fakes;
    TestStationServices station;
    UserFolderPaths folders;
    std::optional<ContestSession> session;

private:
    std::optional<Rig> m_rig;
};

// A rig of the given type with its preset, a band plan in the program folder, and fake waits.
struct ChangeHarness : RigHarness {
    ChangeHarness(const QString& type, const QByteArray& plan)
        : RigHarness(type.toLatin1())
    {
        writeRigFile(type);
        write("BandPlan.txt", plan);
        rig().setWaits(waits);
        rig().LoadRigSettings();
    }
    // Polling with the first request sent and taken off the record.
    void startPolling()
    {
        rig().StartTest();
        QVERIFY(rig().polling());
        if (line())
            line()->clearWrites();
    }
    QByteArrayList writes() const
    {
        QByteArrayList list;
        for (const FakeSerialLine::Write& write : line()->writes)
            list << write.bytes;
        return list;
    }
    FakeRigWaits waits{&fakes.clock};
};

} // namespace velm::test
