// The contest session at full capacity, without a window and through the real main window under the
// offscreen platform: a commit, a reload and a band change at 11,000 records, and a keystroke in the call
// field. Figures and how to run are in bench/README.md.

#include "log/ContestSession.h"
#include "log/SharedPreferences.h"
#include "log/ui/Form1.h"
#include "support/FakeKeyers.h"
#include "support/FakeRigPort.h"
#include "support/TestServices.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace velm;

namespace {

const QByteArray kPreferences = "\"K1ABC\"\r\n\"CT\"\r\n5\r\n\"CW\"\r\n3725\r\n\"USA\"\r\n72.5\r\n41.5\r\n"
                                "100\r\n16711680\r\n255\r\n\"20\"\r\n\"NA\"\r\n\"1234\"\r\n0\r\n"
                                "\"None\"\r\n0\r\n0\r\n";

// 10,900 contest-like records, ~3,000 stations over the seven bands: room for the timed commits and no more.
QByteArray fullLog()
{
    static const char* const kBands[] = {"80", "40", "40", "20", "20", "15", "10", "160"};
    static const char* const kSpc[] = {"CT", "NY", "TX", "ON", "Germany", "CA", "OH", "Japan"};
    quint32 seed = 12345;
    const auto next = [&seed](quint32 range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    QByteArray bytes;
    for (int n = 0; n < LogStore::Capacity - 100; ++n) {
        const QByteArray call = "K" + QByteArray::number(next(10)) + char('A' + next(26)) + char('A' + next(26)) +
                                char('A' + next(26));
        bytes += "\"" + call + "\",\"599\",\"" + QByteArray::number(1000 + next(3000)) + "\",\"599\",\"" +
                 kSpc[next(std::size(kSpc))] + "\",\"2011/03/05\",\"14:05:33\",\"CW\",\"" +
                 kBands[next(std::size(kBands))] + "\",5,\"\"\r\n";
    }
    return bytes;
}

struct Folder {
    Folder()
    {
        write("qrppref.txt", kPreferences);
        QFile prefixes(QStringLiteral(VELM_DATA_DIR "/arrlpre2.txt"));
        if (prefixes.open(QIODevice::ReadOnly))
            write("arrlpre2.txt", prefixes.readAll());
        write("log.txt", fullLog());
        folders.UserDataFolder = dir.filePath(QStringLiteral("user"));
    }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }
    QTemporaryDir dir;
    test::TestServices fakes;
    UserFolderPaths folders;
};

// Median and 99th percentile of a set of timings in ms, as a line QTest prints.
void report(const char* what, QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const double median = ms.at(ms.size() / 2);
    const double p99 = ms.at(std::min<qsizetype>(ms.size() - 1, ms.size() * 99 / 100));
    qInfo("%s: median %.3f ms, p99 %.3f ms, max %.3f ms over %lld", what, median, p99, ms.last(),
          qlonglong(ms.size()));
}

} // namespace

class BenchSession : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plainRead()
    {
        Folder folder;
        QBENCHMARK {
            QFile file(folder.dir.filePath(QStringLiteral("log.txt")));
            file.open(QIODevice::ReadOnly);
            file.readAll();
        }
    }

    void sessionReload()
    {
        Folder folder;
        ContestSession session(folder.fakes.services(), ProgramFolder(folder.dir.path()), folder.folders);
        session.ReadPreferences();
        QBENCHMARK {
            session.mnuOpen2();
        }
    }

    void sessionBandChange()
    {
        Folder folder;
        ContestSession session(folder.fakes.services(), ProgramFolder(folder.dir.path()), folder.folders);
        session.ReadPreferences();
        session.mnuOpen2();
        bool forty = false;
        QBENCHMARK {
            session.selectBand((forty = !forty) ? QStringLiteral("40") : QStringLiteral("20"));
        }
    }

    void sessionCommit()
    {
        Folder folder;
        ContestSession session(folder.fakes.services(), ProgramFolder(folder.dir.path()), folder.folders);
        session.ReadPreferences();
        session.mnuOpen2();
        session.timeOn();
        QList<double> ms;
        for (int run = 0; run < 50; ++run) {
            const CommitRequest request{{QStringLiteral("W%1AW").arg(run), "599", "NY", "5W", "599"}, {}, {}};
            QElapsedTimer timer;
            timer.start();
            const CommitOutcome outcome = session.commit(request);
            ms << timer.nsecsElapsed() / 1e6;
            QVERIFY(outcome.record == CommitOutcome::Record::Logged);
        }
        report("session commit (synced append included)", ms);
    }

    void windowKeyCommitBand()
    {
        Folder folder;
        ContestSession session(folder.fakes.services(), ProgramFolder(folder.dir.path()), folder.folders);
        SharedPreferences shared;
        test::FakeKeyers keyers;
        test::FakeRigPort rig;
        NullVoicePrompts voice;
        StationLifecycles stations;
        Form1 form(Form1Context{folder.fakes.services(), session, shared,
                                StationPorts{keyers, keyers, keyers, rig, voice, stations}});
        form.setModalRunner([](QDialog&) { return int(QDialog::Rejected); });
        form.ReadPreferences();
        form.LoadPrefixTable();
        form.mnuOpen2();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.cmdLogOn_Click();

        // A key in the call field until the labels show its lookup; the call is cleared between calls.
        QList<double> keys;
        for (int run = 0; run < 200; ++run) {
            form.txtCall->clear();
            QTest::keyClicks(form.txtCall, QStringLiteral("K1A"));
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(form.txtCall, Qt::Key_B);
            keys << timer.nsecsElapsed() / 1e6;
        }
        report("window key", keys);

        QList<double> commits;
        for (int run = 0; run < 40; ++run) {
            form.txtCall->setText(QStringLiteral("W9Z%1").arg(QChar(u'A' + run % 26)) + QString::number(run / 26));
            form.txtRSTR->setText(QStringLiteral("599"));
            form.txtCntry->setText(QStringLiteral("IL"));
            form.txtSec->setText(QStringLiteral("5W"));
            form.txtRSTS->setText(QStringLiteral("599"));
            form.txtRSTS->setFocus();
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(form.txtRSTS, Qt::Key_Return);
            commits << timer.nsecsElapsed() / 1e6;
        }
        report("window commit (synced append included)", commits);

        QList<double> bands;
        for (int run = 0; run < 40; ++run) {
            QElapsedTimer timer;
            timer.start();
            form.selectBand(run % 2 ? QStringLiteral("20") : QStringLiteral("40"));
            bands << timer.nsecsElapsed() / 1e6;
        }
        report("window band change", bands);
    }
};

QTEST_MAIN(BenchSession)
#include "bench_session.moc"
