#pragma once
// Responsibilities: a main window built from fakes in a temporary program folder, with the folder's files
// written by the test and modal windows driven synchronously.

#include "log/SharedPreferences.h"
#include "log/VoicePrompts.h"
#include "log/ui/Form1.h"
#include "support/FakeKeyers.h"
#include "support/FakeRigPort.h"
#include "support/TestServices.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

namespace velm::test {

// Remembers the prompts asked for; never plays anything.
class RecordingVoicePrompts final : public VoicePrompts {
public:
    void BlindKeyPhone(const QString& prompt) override { prompts << prompt; }
    bool promptPlaying() const override { return false; }
    void waitForPrompt() override { ++promptWaits; }
    QStringList prompts;
    int promptWaits = 0;
};

// The two example lines of log.txt.
inline const QByteArray kTwoLogLines =
    "\"N0CALL\",\"559\",\"1234\",\"559\",\"CT\",\"2011/03/05\",\"14:05:33\",\"CW\",\"40\",5,\"7.025\"\r\n"
    "\"N0CALL\",\"55\",\"5W\",\"55\",\"Germany\",\"2011/03/05\",\"23:59:01\",\"PH\",\"20\",4,\"\"\r\n";

// A complete preferences file: call K1ABC in CT, UTC offset 5, CW on 20 m, 3725 s operated.
inline const QByteArray kPreferences =
    "\"K1ABC\"\r\n\"CT\"\r\n5\r\n\"CW\"\r\n3725\r\n\"USA\"\r\n72.5\r\n41.5\r\n"
    "100\r\n16711680\r\n255\r\n\"20\"\r\n\"NA\"\r\n\"1234\"\r\n0\r\n"
    "\"None\"\r\n0\r\n0\r\n";

struct Form1Harness {
    Form1Harness()
    {
        shared.OpenSharedPreferences(dir.filePath(QStringLiteral("SharedUserPreferences.xml")));
        // The per-user folders live beside the program folder's files, inside the same throw-away folder.
        folders.DocumentsBase = dir.path();
        folders.SharedFolder = dir.filePath(QStringLiteral("Orvane Software/Shared"));
        folders.UserDataFolder = dir.filePath(QStringLiteral("Orvane Software/QRP VELM"));
        // Local time 4 hours behind UTC unless a test says otherwise.
        fakes.clock.localOffsetSeconds = -4 * 3600;
    }

    Form1& window()
    {
        if (!form) {
            session = std::make_unique<ContestSession>(fakes.services(), ProgramFolder(dir.path()), folders);
            form = std::make_unique<Form1>(
                Form1Context{fakes.services(), *session, shared,
                             StationPorts{keyers, keyers, keyers, rig, voice, stations}});
            form->setModalRunner([this](QDialog& dialog) {
                ++modalsRun;
                return onModal ? onModal(dialog) : int(QDialog::Rejected);
            });
        }
        return *form;
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }

    QByteArray read(const QString& name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    UserFolderPaths folders;
    TestServices fakes;
    SharedPreferences shared;
    FakeKeyers keyers;
    FakeRigPort rig;
    RecordingVoicePrompts voice;
    std::function<int(QDialog&)> onModal;
    int modalsRun = 0;
    StationLifecycles stations;
    std::unique_ptr<ContestSession> session;
    std::unique_ptr<Form1> form;
};

// Four prefixes for a station K1ABC in CT at 41.5 N 72.5 W.
inline const QByteArray kTestPrefixes = "\"DL\",\"Germany\",\"EU\",-10,51,14,28,230\r\n"
                                        "\"K\",\"USA\",\"NA\",91.87,37.6,5,8,291\r\n"
                                        "\"KH6\",\"Hawaii\",\"OC\",157.8,21.3,31,61,110\r\n"
                                        "\"VE\",\"Canada\",\"NA\",80,44.35,5,9,1\r\n";

// The window shown and active with the given log, CW on 20 m, logged on (unless told otherwise) and typing
// in the call field.
struct Running : Form1Harness {
    explicit Running(const QByteArray& log, bool logOn = true)
    {
        write(QStringLiteral("qrppref.txt"), kPreferences);
        write(QStringLiteral("arrlpre2.txt"), kTestPrefixes);
        write(QStringLiteral("log.txt"), log);
        Form1& main = window();
        QVERIFY(main.ReadPreferences());
        QVERIFY(main.LoadPrefixTable());
        QVERIFY(main.mnuOpen2());
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        if (logOn)
            main.cmdLogOn_Click();
        main.txtCall->setFocus();
    }
};

} // namespace velm::test
