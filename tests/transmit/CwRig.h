#pragma once
// Responsibilities: a transmit controller built from fakes for the CW tests: a session in a temporary
// program folder, fake station services (its CW port is the first fake serial line), a virtual or real
// Morse clock, a fake WinKey link and an entry row that counts commits.

#include "TransmitTestHelpers.h"
#include "log/ContestSession.h"
#include "log/EntryRowPort.h"
#include "support/FakeWinKeyLink.h"
#include "support/TestServices.h"
#include "support/TestStationServices.h"
#include "support/VirtualMorseClock.h"
#include "transmit/MorseClock.h"
#include "transmit/TransmitController.h"

#include <QTemporaryDir>
#include <memory>

namespace velm::test {

class CountingEntryRow final : public EntryRowPort {
public:
    void enterCall(const QString& call, bool) override { calls << call; }
    void commitEntryRow() override { ++commits; }
    QStringList calls;
    int commits = 0;
};

struct CwRig {
    explicit CwRig(bool realClock = false)
    {
        UserFolderPaths folders;
        folders.UserDataFolder = dir.filePath(QStringLiteral("QRP VELM"));
        QDir().mkpath(folders.UserDataFolder);
        session = std::make_unique<ContestSession>(fakes.services(), ProgramFolder(dir.path()), folders);
        MorseClock& clock = realClock ? static_cast<MorseClock&>(steady) : static_cast<MorseClock&>(virtualClock);
        cw = std::make_unique<TransmitController>(
            TransmitContext{fakes.services(), station.services(), *session, clock, winKey});
        cw->setEntryRow(&entryRow);
        if (!realClock)
            port().clock = [this] { return virtualClock.nowNs(); };
    }

    FakeSerialLine& port() { return *station.serialLines.front(); }

    // RTS keying on port 1 at wpm, with F1 holding message.
    void rts(int wpm, const QString& f1 = QString())
    {
        cw->setKeyingMethod(KeyingMethod::Rts);
        cw->leavePortField(QStringLiteral("1"));
        cw->setSpeedText(QString::number(wpm));
        cw->setMessage(0, f1);
    }
    QString heard(int wpm) const
    {
        return decodeMorse(lineEdges(*station.serialLines.front(), ModemLine::Rts), 1'200'000'000 / wpm).text;
    }
    QStringList messageTitles() const
    {
        QStringList titles;
        for (const ShownMessage& m : fakes.prompts.messages)
            titles << m.title;
        return titles;
    }

    QTemporaryDir dir;
    TestServices fakes;
    TestStationServices station;
    std::unique_ptr<ContestSession> session;
    VirtualMorseClock virtualClock;
    SteadyMorseClock steady;
    FakeWinKeyLink winKey;
    CountingEntryRow entryRow;
    std::unique_ptr<TransmitController> cw;
};

} // namespace velm::test
