// The contest session without a window: the commit sequence and its refusals, band and mode selection, the
// lifecycle's copies before anything is erased, and what the change signal reports.

#include "log/ContestSession.h"
#include "log/SpcTable.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {

const QByteArray kPreferences = "\"K1ABC\"\r\n\"CT\"\r\n5\r\n\"CW\"\r\n3725\r\n\"USA\"\r\n72.5\r\n41.5\r\n"
                                "100\r\n16711680\r\n255\r\n\"20\"\r\n\"NA\"\r\n\"1234\"\r\n0\r\n"
                                "\"None\"\r\n0\r\n0\r\n";
const QByteArray kPrefixes = "\"DL\",\"Germany\",\"EU\",-10,51,14,28,230\r\n"
                             "\"K\",\"USA\",\"NA\",91.87,37.6,5,8,291\r\n";

QByteArray line(const char* call, const char* spc, const char* band, const char* points = "5")
{
    return QByteArray("\"") + call + "\",\"559\",\"1234\",\"559\",\"" + spc +
           "\",\"2011/03/05\",\"14:05:33\",\"CW\",\"" + band + "\"," + points + ",\"\"\r\n";
}

struct Session {
    explicit Session(const QByteArray& log = QByteArray())
    {
        write("qrppref.txt", kPreferences);
        write("arrlpre2.txt", kPrefixes);
        write("log.txt", log);
        folders.UserDataFolder = dir.filePath(QStringLiteral("user"));
        fakes.clock.localOffsetSeconds = -5 * 3600;
        session.emplace(fakes.services(), ProgramFolder(dir.path()), folders);
        QVERIFY(session->ReadPreferences().ok);
        QVERIFY(session->LoadPrefixTable().ok);
        QVERIFY(session->mnuOpen2().ok);
    }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray read(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray log() const { return read(dir.filePath(QStringLiteral("log.txt"))); }
    // Types the call into the lookup as the call field does, then commits the row.
    CommitOutcome enter(const QString& call, const QString& spc,
                        const QString& velmPwr = QStringLiteral("5W"))
    {
        for (qsizetype n = 1; n <= call.size(); ++n)
            session->lookupCall(call.left(n), QString());
        session->UpdateNewIndicator(spc);
        return session->commit(
            CommitRequest{{call, QStringLiteral("559"), spc, velmPwr, QStringLiteral("559")}, {}, {}});
    }

    QTemporaryDir dir;
    test::TestServices fakes;
    UserFolderPaths folders;
    std::optional<ContestSession> session;
};

} // namespace

class TestSession : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aCompleteContactIsLoggedScoredAndCounted()
    {
        Session s;
        QSignalSpy changes(&*s.session, &ContestSession::changed);
        s.session->BandFreqConversion(14.025f); // the rig's reading, on the band already selected
        const CommitOutcome first = s.enter(QStringLiteral("W1AW"), QStringLiteral("ny"));
        QCOMPARE(first.record, CommitOutcome::Record::Logged);
        QVERIFY(first.clockStarted);
        QVERIFY(first.clearRow);
        QCOMPARE(first.logged.Spc, QStringLiteral("NY"));
        QCOMPARE(first.logged.Points, 2.0); // same continent
        QCOMPARE(first.logged.Frequency, QStringLiteral("14.025"));
        QCOMPARE(s.session->LastRigFrequencyText(),
                 QString()); // the next contact has none until the rig reads
        QVERIFY(s.session->multipliers().worked(QStringLiteral("20"), findGridSpc(QStringLiteral("NY"))));
        QCOMPARE(
            s.log(),
            QByteArray("\"W1AW\",\"559\",\"5W\",\"559\",\"NY\",\"2011/03/05\",\"14:05:33\",\"CW\",\"20\",2,"
                       "\"14.025\"\r\n"));

        const CommitOutcome dx =
            s.enter(QStringLiteral("DL1ABC"), QStringLiteral("Germany"), QStringLiteral("1234"));
        QCOMPARE(dx.logged.Points, 5.0); // a member
        QCOMPARE(dx.dxCountry, MultiplierState::AddResult::Added);
        QCOMPARE(s.session->multipliers().totalMultipliers(), 2);
        QCOMPARE(s.session->store().PointsTotal(), 7);
        // Every commit told the views; the first also the operating clock. (The lookup labels changed as the
        // calls were typed.)
        QList<SessionChanges> told;
        for (const QList<QVariant>& change : changes) {
            if (change.at(0).value<SessionChanges>() != SessionChanges(SessionChange::Lookup))
                told << change.at(0).value<SessionChanges>();
        }
        QCOMPARE(told, QList<SessionChanges>(
                           {SessionChange::OperatingTime, SessionChange::Records, SessionChange::Records}));
    }

    void refusalsLeaveStoreAndFileAlone()
    {
        Session s(line("K1ABC", "CT", "20"));
        s.session->timeOn();
        const CommitOutcome empty = s.session->commit(CommitRequest{});
        QCOMPARE(empty.incomplete.size(), 5);
        QCOMPARE(empty.incomplete.last().message, QStringLiteral("Need Report Sent!"));
        QVERIFY(!empty.clearRow);

        const CommitOutcome section = s.enter(QStringLiteral("W1AW"), QStringLiteral("xx"));
        QVERIFY(section.sectionInvalid);
        QCOMPARE(section.record, CommitOutcome::Record::NotTried);
        QVERIFY(!section.clearRow);

        const CommitOutcome dupe = s.enter(QStringLiteral("k1abc"), QStringLiteral("CT"));
        QCOMPARE(dupe.duplicate.duplicateRecord, 1);
        QVERIFY(dupe.clearRow); // a refused duplicate empties the row
        QCOMPARE(s.session->store().QsoCount(), 1);
        QCOMPARE(s.log(), line("K1ABC", "CT", "20"));
    }

    void aFailedAppendKeepsStoreAndFileAgreeing()
    {
        Session s(line("K1ABC", "CT", "20"));
        // A folder where log.txt was: no one, root included, can append to it.
        QVERIFY(QFile::remove(s.dir.filePath(QStringLiteral("log.txt"))));
        QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("log.txt")));
        const CommitOutcome outcome = s.enter(QStringLiteral("W1AW"), QStringLiteral("NY"));
        QCOMPARE(outcome.record, CommitOutcome::Record::WriteFailed);
        QVERIFY(outcome.failure.startsWith(QStringLiteral("The contact with W1AW was not logged.")));
        QVERIFY(!outcome.clearRow);
        QCOMPARE(s.session->store().QsoCount(), 1);
        QVERIFY(!s.session->multipliers().worked(QStringLiteral("20"), findGridSpc(QStringLiteral("NY"))));
    }

    void bandAndModeAreSavedAndTheLogReloaded()
    {
        Session s(line("K1ABC", "CT", "20") + line("W1AW", "NY", "40"));
        QSignalSpy changes(&*s.session, &ContestSession::changed);
        const ContestSession::Selection selected = s.session->selectBand(QStringLiteral("40"));
        QVERIFY(selected.saved.ok && selected.reloaded.ok);
        QVERIFY(s.read(s.dir.filePath(QStringLiteral("qrppref.txt"))).contains("\"40\""));
        QCOMPARE(changes.first().at(0).value<SessionChanges>(), SessionChanges(SessionChange::BandMode));
        QCOMPARE(changes.last().at(0).value<SessionChanges>(), SessionChanges(SessionChange::Records));
        // The band decides the duplicate: K1ABC is new on 40 m, W1AW is not.
        QCOMPARE(s.session->DupCheck(QStringLiteral("K1ABC"), {}, {}).duplicateRecord, 0);
        QCOMPARE(s.session->DupCheck(QStringLiteral("W1AW"), {}, {}).duplicateRecord, 2);

        QCOMPARE(s.session->reportLength(), 3);
        s.session->selectMode(QStringLiteral("SSB")); // anything but CW is phone
        QCOMPARE(s.session->preferences().CurrentMode, QStringLiteral("PH"));
        QCOMPARE(s.session->reportLength(), 2);
    }

    void aBandChangeReadsTheFileOnlyWhenItChanged()
    {
        Session s(line("K1ABC", "CT", "20"));
        s.enter(QStringLiteral("W1AW"), QStringLiteral("NY"));
        QVERIFY(s.session->logFile().unchangedSinceLastUse()); // read, then appended to by the session
        s.session->selectBand(QStringLiteral("40"));
        QCOMPARE(s.session->store().QsoCount(), 2);

        // A hand edit of the same size, with the file's time put back, is still seen by its bytes.
        QByteArray edited = s.log();
        edited.replace("K1ABC", "K1ABD");
        const QString path = s.dir.filePath(QStringLiteral("log.txt"));
        const QDateTime modified = QFileInfo(path).lastModified();
        s.write("log.txt", edited);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(modified, QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(!s.session->logFile().unchangedSinceLastUse());
        s.session->selectBand(QStringLiteral("20"));
        QCOMPARE(s.session->store().record(1).Call, QStringLiteral("K1ABD"));
        QVERIFY(s.session->logFile().unchangedSinceLastUse());

        // Either way, the first band change that finds contacts sets the count a closing backup compares.
        Session fresh;
        fresh.enter(QStringLiteral("W1AW"), QStringLiteral("NY"));
        fresh.enter(QStringLiteral("K1ABC"), QStringLiteral("CT"));
        QVERIFY(fresh.session->logFile().unchangedSinceLastUse());
        QCOMPARE(fresh.session->backupReference(), 0);
        fresh.session->selectBand(QStringLiteral("40"));
        QCOMPARE(fresh.session->backupReference(), 2);
    }

    void theRigMovesBandAndModeAndGivesTheFrequency()
    {
        Session s(line("W1AW", "NY", "40"));
        s.session->BandFreqConversion(7.04f);
        QCOMPARE(s.session->preferences().CurrentBand, QStringLiteral("40"));
        QCOMPARE(s.session->DupCheck(QStringLiteral("W1AW"), {}, {}).duplicateRecord, 1); // reloaded for 40 m
        QCOMPARE(s.session->LastRigFrequencyText(), QStringLiteral("7.040"));
        s.session->BandFreqConversion(10.1f); // 30 m is no contest band: the band stays, the text follows
        QCOMPARE(s.session->preferences().CurrentBand, QStringLiteral("40"));
        QCOMPARE(s.session->LastRigFrequencyText(), QStringLiteral("10.100"));
        s.session->ModeSelection(QStringLiteral("AM"));
        QCOMPARE(s.session->preferences().CurrentMode, QStringLiteral("CW"));
        s.session->ModeSelection(QStringLiteral("ph"));
        QCOMPARE(s.session->preferences().CurrentMode, QStringLiteral("PH"));
    }

    void anUnreadableLogLoadsNothingAndSaysSo()
    {
        Session s(line("K1ABC", "CT", "20"));
        s.write("log.txt", "\"K1ABC\",\"559\r\n");
        QSignalSpy unreadable(&*s.session, &ContestSession::logUnreadable);
        QVERIFY(!s.session->mnuOpen2().ok);
        QCOMPARE(unreadable.size(), 1);
        QVERIFY(!s.session->logLoaded());
        const CommitOutcome outcome = s.enter(QStringLiteral("W1AW"), QStringLiteral("NY"));
        QCOMPARE(outcome.record, CommitOutcome::Record::NotLoaded);
        QCOMPARE(s.log(), QByteArray("\"K1ABC\",\"559\r\n")); // nothing was appended
    }

    void aNewLogOrARestoreKeepsACopyFirst()
    {
        Session s(line("K1ABC", "CT", "20"));
        s.fakes.prompts.inputAnswers = {QStringLiteral("yes")};
        s.session->StartNewLog();
        QCOMPARE(s.log(), QByteArray());
        QCOMPARE(s.session->store().QsoCount(), 0);
        const QStringList backups = QDir(s.session->backupFolder()).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(s.read(s.session->backupFolder() + QLatin1Char('/') + backups.first()),
                 line("K1ABC", "CT", "20"));

        // Restoring an archive over a log: the log goes to BACKUP first, then the archive becomes log.txt.
        s.enter(QStringLiteral("W1AW"), QStringLiteral("NY"));
        const QString archive = s.dir.filePath(QStringLiteral("old.log"));
        s.write("old.log", line("N0CALL", "CO", "40"));
        s.fakes.clock.advanceMs(60000); // another minute, another backup name
        s.fakes.prompts.yesNoAnswers = {true};
        s.fakes.prompts.fileAnswers = {archive};
        s.session->mnuRestore_Click();
        QCOMPARE(s.log(), line("N0CALL", "CO", "40"));
        QCOMPARE(s.session->store().record(1).Call, QStringLiteral("N0CALL"));
        QCOMPARE(QDir(s.session->backupFolder()).entryList(QDir::Files).size(), 2);
    }

    void aTypedCallRemembersItsContinentForThePoints()
    {
        Session s;
        s.session->timeOn();
        // The lookup shows EU for a German call; a country completion replaces it; Clear forgets it.
        s.session->lookupCall(QStringLiteral("DL1ABC"), QString());
        QCOMPARE(s.session->lookupLabels().continent, QStringLiteral("EU"));
        s.session->clearLookupLabels();
        QCOMPARE(s.session->lookupLabels(), LookupLabels());
        // No lookup at all: a valid two-letter section still gives NA, so the same continent scores 2.
        const CommitOutcome outcome =
            s.session->commit(CommitRequest{{"W1AW", "559", "NY", "5W", "559"}, {}, {}});
        QCOMPARE(outcome.logged.Points, 2.0);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
