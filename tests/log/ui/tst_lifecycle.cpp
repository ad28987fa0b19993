// Start-up, new log, automatic backups, archive, restore and closing of the main window.

#include "log/LogLifecycle.h"
#include "log/ui/Form1Harness.h"
#include "log/ui/frmLogo.h"

#include <QCloseEvent>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace velm;

namespace {

QByteArray logLines(int count, const char* band = "20")
{
    QByteArray lines;
    for (int n = 1; n <= count; ++n)
        lines += "\"W" + QByteArray::number(n) + "AW\",\"559\",\"1234\",\"559\",\"CT\",\"2011/03/05\",\"14:05:33\","
                 "\"CW\",\"" + band + "\",5,\"\"\r\n";
    return lines;
}

QsoRecord contact(const QString& call)
{
    return QsoRecord{call, QStringLiteral("559"), QStringLiteral("1234"), QStringLiteral("559"), QStringLiteral("CT"),
                     QStringLiteral("2011/03/05"), QStringLiteral("14:05:33"), QStringLiteral("CW"),
                     QStringLiteral("20"), 5, QString()};
}

struct Opened : test::Form1Harness {
    explicit Opened(const QByteArray& log)
    {
        write(QStringLiteral("qrppref.txt"), test::kPreferences);
        write(QStringLiteral("log.txt"), log);
        QVERIFY(window().ReadPreferences());
        QVERIFY(window().mnuOpen2());
    }
    QStringList backups() const
    {
        return QDir(folders.UserDataFolder + QStringLiteral("/BACKUP")).entryList(QDir::Files, QDir::Name);
    }
    bool close()
    {
        QCloseEvent event;
        QApplication::sendEvent(form.get(), &event);
        return event.isAccepted();
    }
};

} // namespace

class TestLifecycle : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileNames()
    {
        const QDateTime at(QDate(2011, 3, 5), QTime(14, 7, 59));
        QCOMPARE(backupFileName(at), QStringLiteral("201103051407.log"));
        QCOMPARE(archiveFileName(QStringLiteral("K1ABC/4"), at.date()), QStringLiteral("K1ABC2011-03-05.log"));
        QCOMPARE(archiveFileName(QString(), at.date()), QStringLiteral("YourCall2011-03-05.log"));
    }

    void logoUsesTheSharedSplashAndClosesOnAClick()
    {
        QTemporaryDir shared;
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(shared.filePath(QStringLiteral("Splash.JPG")), "JPG"));
        frmLogo withSplash(shared.path());
        QVERIFY(withSplash.showsSplashPicture());
        frmLogo builtIn{QString()};
        QVERIFY(!builtIn.showsSplashPicture());
        builtIn.show();
        QTest::mouseClick(&builtIn, Qt::LeftButton);
        QVERIFY(!builtIn.isVisible());
    }

    void startUpNoThenYesErasesAfterABackup_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("erased");
        QTest::newRow("yes in any case") << "yes" << true;
        QTest::newRow("anything else") << "no" << false;
    }
    void startUpNoThenYesErasesAfterABackup()
    {
        QFETCH(QString, typed);
        QFETCH(bool, erased);
        test::Form1Harness h;
        h.write(QStringLiteral("qrppref.txt"), test::kPreferences);
        h.write(QStringLiteral("log.txt"), logLines(3));
        h.fakes.prompts.inputAnswers = {QStringLiteral("4"), typed}; // UTC offset, then the erase question
        h.fakes.prompts.yesNoAnswers = {false};                     // do not continue the existing contest
        Form1& form = h.window();
        QVERIFY(form.startUp());
        QCOMPARE(h.fakes.prompts.questions.first().title, QStringLiteral("Open existing log?"));
        QCOMPARE(h.fakes.prompts.inputs.at(1).title, QStringLiteral("WARNING - Your existing log file will be ERASED!"));
        QCOMPARE(form.logStore().QsoCount(), erased ? 0 : 3);
        QCOMPARE(h.read(QStringLiteral("log.txt")).size() == 0, erased);
        QCOMPARE(form.lblttrack->text(), erased ? QStringLiteral("00:00:00") : QStringLiteral("01:02:05"));
        const QStringList backups =
            QDir(h.folders.UserDataFolder + QStringLiteral("/BACKUP")).entryList(QDir::Files);
        QCOMPARE(backups.size(), erased ? 1 : 0);
        if (erased)
            QCOMPARE(h.read(QStringLiteral("Orvane Software/QRP VELM/BACKUP/") + backups.first()), logLines(3));
    }

    void closingBacksUpOnlyAChangedLog()
    {
        Opened unchanged(logLines(50));
        QVERIFY(unchanged.close());
        QCOMPARE(unchanged.backups().size(), 0);

        Opened changed(logLines(50));
        QVERIFY(changed.form->AppendQso(contact(QStringLiteral("K1ABC"))));
        QVERIFY(changed.close());
        QCOMPARE(changed.backups(), QStringList({backupFileName(changed.fakes.clock.localNow())}));
        QCOMPARE(changed.read(QStringLiteral("Orvane Software/QRP VELM/BACKUP/") + changed.backups().first()),
                 changed.read(QStringLiteral("log.txt")));
    }

    void backupReferenceIsSetByTheFirstReloadWithContacts()
    {
        Opened empty{QByteArray()};
        for (int n = 0; n < 5; ++n)
            QVERIFY(empty.form->AppendQso(contact(QStringLiteral("K%1ABC").arg(n))));
        QVERIFY(empty.close());
        QCOMPARE(empty.backups().size(), 1); // reference 0

        Opened banded{QByteArray()};
        for (int n = 0; n < 5; ++n)
            QVERIFY(banded.form->AppendQso(contact(QStringLiteral("K%1ABC").arg(n))));
        banded.form->selectBand(QStringLiteral("40")); // the reload sets the reference to 5
        QCOMPARE(banded.form->backupReference(), 5);
        QVERIFY(banded.close());
        QCOMPARE(banded.backups().size(), 0);
        QVERIFY(banded.form->AppendQso(contact(QStringLiteral("W9XYZ"))));
        QVERIFY(banded.close());
        QCOMPARE(banded.backups().size(), 1);
    }

    void archiveProposesTheCallAndDate()
    {
        Opened o(logLines(2));
        const QString target = o.path(QStringLiteral("mine.log"));
        o.fakes.prompts.fileAnswers.push_back(target);
        o.form->mnuArchive->trigger();
        QCOMPARE(o.fakes.prompts.messages.first().title, QStringLiteral("Archive Information"));
        QCOMPARE(o.fakes.prompts.fileDialogs.first().text,
                 o.folders.UserDataFolder + QStringLiteral("/BACKUP/K1ABC2011-03-05.log"));
        QCOMPARE(o.read(QStringLiteral("mine.log")), logLines(2));
    }

    void restoreAsksOnlyWhenTheLogHasContacts()
    {
        Opened empty{QByteArray()};
        empty.write(QStringLiteral("old.log"), logLines(4));
        empty.fakes.prompts.fileAnswers.push_back(empty.path(QStringLiteral("old.log")));
        empty.form->mnuRestore->trigger();
        QCOMPARE(empty.fakes.prompts.questions.size(), 0);
        QCOMPARE(empty.form->logStore().QsoCount(), 4);

        Opened full(logLines(2));
        full.write(QStringLiteral("old.log"), logLines(4, "40"));
        full.fakes.prompts.yesNoAnswers.push_back(true);
        full.fakes.prompts.fileAnswers.push_back(full.path(QStringLiteral("old.log")));
        full.form->mnuRestore->trigger();
        QCOMPARE(full.fakes.prompts.questions.first().title, QStringLiteral("Are your sure?"));
        QCOMPARE(full.form->logStore().QsoCount(), 4);
        QCOMPARE(full.backups().size(), 1); // the replaced log was kept
    }

    void failedRestoreLeavesTheLogAndSaysWhy()
    {
        Opened o(logLines(2));
        o.fakes.prompts.yesNoAnswers.push_back(true);
        o.fakes.prompts.fileAnswers.push_back(o.path(QStringLiteral("missing.log")));
        o.form->mnuRestore->trigger();
        QCOMPARE(o.fakes.prompts.messages.last().title, QStringLiteral("Error Restoring Log"));
        QVERIFY(o.fakes.prompts.messages.last().text.contains(QStringLiteral("missing.log")));
        QCOMPARE(o.read(QStringLiteral("log.txt")), logLines(2));
        QCOMPARE(o.form->logStore().QsoCount(), 2);
    }

    void closingWhileSendingIsRefusedAndExitEndsAtOnce()
    {
        Opened o(logLines(1));
        QVERIFY(o.form->AppendQso(contact(QStringLiteral("K1ABC"))));
        o.keyers.sending = true;
        o.keyers.cwBuffer = QStringLiteral("TU 5NN");
        QVERIFY(!o.close());
        QCOMPARE(o.keyers.cwBuffer, QString()); // the rest of the message is dropped
        QCOMPARE(o.backups().size(), 0);

        QSignalSpy ended(o.form.get(), &Form1::programMustEnd);
        QTest::mouseClick(o.form->cmdLogOn, Qt::LeftButton); // logged on: Exit keeps the operating time
        o.fakes.clock.advanceMs(60000);
        o.form->mnuExit->trigger();
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.first().first().toInt(), 0);
        QCOMPARE(o.backups().size(), 0); // Exit makes no backup
        ProgramPreferences saved;
        QVERIFY(PreferencesFile(o.dir.path()).ReadPreferences(saved).ok);
        QCOMPARE(saved.OperatingSeconds, 3725.0f + 60.0f);
    }
};

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
