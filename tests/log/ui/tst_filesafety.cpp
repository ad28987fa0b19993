// The main window and its files under damage: a settings file that failed to read is never written over.

#include "log/ui/Form1Harness.h"
#include "log/ui/frmEditCon.h"
#include "log/ui/frmStationID.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

using namespace velm;

namespace {

// The harness's preferences with line 16 (the rig type) cut short, as a crash or a careless edit leaves it.
QByteArray damagedPreferences()
{
    QList<QByteArray> lines = test::kPreferences.split('\n');
    lines[15] = "\"No\r";
    return lines.join('\n');
}

const QByteArray kOneContact =
    "\"N0CALL\",\"559\",\"1234\",\"559\",\"CT\",\"2011/03/05\",\"14:05:33\",\"CW\",\"40\",5,\"7.025\"\r\n";

// The messages that told the operator the preferences were not saved.
QList<test::ShownMessage> refusals(const test::FakePrompts& prompts)
{
    QList<test::ShownMessage> found;
    for (const test::ShownMessage& shown : prompts.messages) {
        if (shown.title == QLatin1String("Preferences Not Saved"))
            found << shown;
    }
    return found;
}

// A window whose start-up stopped at the damaged preferences, with a log and prefix table that read.
struct DamagedStart : test::Form1Harness {
    DamagedStart()
    {
        write(QStringLiteral("qrppref.txt"), damagedPreferences());
        write(QStringLiteral("arrlpre2.txt"), test::kTestPrefixes);
        write(QStringLiteral("log.txt"), kOneContact);
        started = window().startUp();
    }
    QList<test::ShownMessage> refusals() const { return ::refusals(fakes.prompts); }
    bool started = false;
};

enum class SavePath {
    Band,
    BandLabel,
    Mode,
    TimeOff,
    Station,
    UtcOffset,
    Colours,
    ListPrevious,
    NewLog,
    Close,
    Exit
};

// Runs one of the paths that save the preferences.
void drive(DamagedStart& h, SavePath path)
{
    Form1& form = *h.form;
    switch (path) {
    case SavePath::Band:
        form.mnuBand40Ch->trigger();
        break;
    case SavePath::BandLabel:
        QTest::mouseClick(form.Label24, Qt::LeftButton);
        break;
    case SavePath::Mode:
        form.mnuSSB->trigger();
        break;
    case SavePath::TimeOff:
        form.cmdLogOn_Click();
        h.fakes.clock.advanceMs(5000);
        form.cmdLogOn_Click();
        break;
    case SavePath::Station:
        h.onModal = [](QDialog& dialog) {
            auto& station = static_cast<frmStationID&>(dialog);
            station.Text1->setText(QStringLiteral("W1NEW"));
            station.Command1->click();
            return station.result();
        };
        form.mnuSetup->trigger();
        h.onModal = nullptr;
        break;
    case SavePath::UtcOffset:
        h.fakes.prompts.inputAnswers.push_back(QStringLiteral("4"));
        form.CheckUtcOffset();
        break;
    case SavePath::Colours:
        form.mnuColors->trigger();
        break;
    case SavePath::ListPrevious:
        form.mnuListPrevious->trigger();
        break;
    case SavePath::NewLog:
        h.fakes.prompts.inputAnswers.push_back(QStringLiteral("YES"));
        form.mnuNew->trigger();
        break;
    case SavePath::Close: {
        form.cmdLogOn_Click();
        QCloseEvent event;
        QApplication::sendEvent(&form, &event);
        break;
    }
    case SavePath::Exit:
        form.cmdLogOn_Click();
        form.mnuExit->trigger();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(SavePath)

class TestFileSafety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void damagedPreferencesStopTheStartUpNamingTheLine()
    {
        DamagedStart h;
        QVERIFY(h.started);
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        const test::ShownMessage& shown = h.fakes.prompts.messages.first();
        QCOMPARE(shown.text, QStringLiteral("Error opening file"));
        QCOMPARE(shown.title, QStringLiteral("Error opeining file"));
        QCOMPARE(shown.details, QDir::toNativeSeparators(h.path(QStringLiteral("qrppref.txt"))) +
                                    QStringLiteral(": line 16: value 1 has no closing quote"));
        QCOMPARE(h.modalsRun, 0); // the station window is a later step
        QCOMPARE(h.read(QStringLiteral("qrppref.txt")), damagedPreferences());
    }

    void unreadablePrefixTableNamesTheFile()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("qrppref.txt"), test::kPreferences);
        h.write(QStringLiteral("arrlpre2.txt"), "\"DL\",\"Germany\"\r\n");
        h.fakes.prompts.inputAnswers.push_back(std::nullopt); // keep the UTC offset
        QVERIFY(h.window().startUp());
        const test::ShownMessage& shown = h.fakes.prompts.messages.last();
        QCOMPARE(shown.text, QStringLiteral("Error opening file"));
        QCOMPARE(shown.title, QStringLiteral("Error opeining file"));
        QVERIFY2(shown.details.startsWith(QDir::toNativeSeparators(h.path(QStringLiteral("arrlpre2.txt"))) +
                                          QStringLiteral(": line 1")),
                 qPrintable(shown.details));
    }

    void noSaveWritesOverDamagedPreferences_data()
    {
        QTest::addColumn<SavePath>("path");
        QTest::newRow("band menu") << SavePath::Band;
        QTest::newRow("band label") << SavePath::BandLabel;
        QTest::newRow("mode") << SavePath::Mode;
        QTest::newRow("Time On, Time Off") << SavePath::TimeOff;
        QTest::newRow("station window") << SavePath::Station;
        QTest::newRow("UTC offset") << SavePath::UtcOffset;
        QTest::newRow("colours") << SavePath::Colours;
        QTest::newRow("List Previous Contacts") << SavePath::ListPrevious;
        QTest::newRow("new log") << SavePath::NewLog;
        QTest::newRow("closing while logged on") << SavePath::Close;
        QTest::newRow("Exit while logged on") << SavePath::Exit;
    }
    void noSaveWritesOverDamagedPreferences()
    {
        QFETCH(SavePath, path);
        DamagedStart h;
        drive(h, path);
        QCOMPARE(h.read(QStringLiteral("qrppref.txt")), damagedPreferences());
        QCOMPARE(QDir(h.dir.path()).entryList({QStringLiteral("*pref.txt")}, QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("qrppref.txt")});
        const QList<test::ShownMessage> refusals = h.refusals();
        QCOMPARE(refusals.size(), 1);
        QVERIFY(refusals.first().text.startsWith(
            QStringLiteral("qrppref.txt could not be read when the program started, so nothing is saved")));
        QVERIFY2(refusals.first().details.contains(QStringLiteral("line 16: value 1 has no closing quote")),
                 qPrintable(refusals.first().details));
    }

    void everySaveInOneRunRefusedAndToldOnce()
    {
        DamagedStart h;
        const SavePath paths[] = {SavePath::Band,    SavePath::Mode,    SavePath::TimeOff,
                                  SavePath::Station, SavePath::Colours, SavePath::Exit};
        // Each refused save after the first goes to the window's log category only.
        for (std::size_t n = 0; n < std::size(paths); ++n)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^preferences not saved:")));
        for (const SavePath path : paths)
            drive(h, path);
        QCOMPARE(h.refusals().size(), 1);
        QCOMPARE(h.read(QStringLiteral("qrppref.txt")), damagedPreferences());
        // The values changed in memory: the window goes on with them, only the file is kept.
        QCOMPARE(h.form->preferences().CurrentBand, QStringLiteral("40"));
        QCOMPARE(h.form->preferences().OwnCall, QStringLiteral("W1NEW"));
    }

    void editKeepsAnOlderProgramsLineByteForByte()
    {
        const QByteArray latin1 = "\"F5\xc9T\xc9\",\"599\",\"1234\",\"599\",\"R\xe9union\",\"2011/03/05\","
                                  "\"14:05:33\",\"CW\",\"40\",4,\"\"\r\n";
        test::Running r(latin1 + kOneContact);
        Form1& form = *r.form;
        QCOMPARE(form.logStore().record(1).Call, QString::fromUtf8("F5\u00c9T\u00c9"));
        const QList<QTreeWidgetItem*> rows =
            form.ListView1->findItems(QStringLiteral("2"), Qt::MatchExactly, 0);
        QCOMPARE(rows.size(), 1);
        rows.first()->setSelected(true);
        r.onModal = [](QDialog& dialog) {
            auto& edit = static_cast<frmEditCon&>(dialog);
            edit.txtEditCall->setText(QStringLiteral("W1AW"));
            edit.cmdDone->click();
            return edit.result();
        };
        form.cmdEdit_Click();
        QCOMPARE(r.modalsRun, 1);
        QByteArray edited = kOneContact;
        edited.replace("\"N0CALL\"", "\"W1AW\"");
        QCOMPARE(r.read(QStringLiteral("log.txt")), latin1 + edited);
        QCOMPARE(form.logStore().record(2).Call, QStringLiteral("W1AW"));
    }

    void crashRemainsAreSetAsideAtStartUp()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("qrppref.txt"), test::kPreferences);
        h.write(QStringLiteral("arrlpre2.txt"), test::kTestPrefixes);
        // A power cut during an append, and a kill during an earlier rewrite.
        const QByteArray torn = "\"W1AW\",\"599\",\"12";
        h.write(QStringLiteral("log.txt"), kOneContact + torn);
        h.write(QStringLiteral("log.txt.Ab12Cd"), kOneContact);
        QFile leftover(h.path(QStringLiteral("log.txt.Ab12Cd")));
        QVERIFY(leftover.open(QIODevice::ReadWrite));
        QVERIFY(leftover.setFileTime(QDateTime(QDate(2011, 3, 4), QTime(20, 0), Qt::UTC),
                                     QFileDevice::FileModificationTime));
        leftover.close();
        h.fakes.prompts.yesNoAnswers = {true}; // continue the contest

        Form1& form = h.window();
        QVERIFY(form.startUp());
        QCOMPARE(form.logStore().QsoCount(), 1);
        QCOMPARE(h.read(QStringLiteral("log.txt")), kOneContact);
        const QString backup = h.folders.UserDataFolder + QStringLiteral("/BACKUP");
        const QStringList kept = QDir(backup).entryList(QDir::Files, QDir::Name);
        QCOMPARE(kept, (QStringList{QStringLiteral("log.txt-incomplete-line-20110305-100533.txt"),
                                    QStringLiteral("log.txt.Ab12Cd")}));
        QCOMPARE(h.read(QStringLiteral("Orvane Software/QRP VELM/BACKUP/") + kept.first()), torn);
        QVERIFY(!QFile::exists(h.path(QStringLiteral("log.txt.Ab12Cd"))));

        const test::ShownMessage& told = h.fakes.prompts.messages.last();
        QCOMPARE(told.title, QStringLiteral("Incomplete Contact Set Aside"));
        QVERIFY2(told.text.contains(QString::fromLatin1(torn)), qPrintable(told.text));
        QVERIFY2(told.text.contains(QDir::toNativeSeparators(backup + QLatin1Char('/') + kept.first())),
                 qPrintable(told.text));
        QVERIFY(form.isEnabled());
    }

    void missingPreferencesAreCreatedByASave()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("log.txt"), kOneContact);
        Form1& form = h.window();
        QVERIFY(form.startUp()); // stops: no preferences
        form.mnuBand40Ch->trigger();
        ProgramPreferences saved;
        QVERIFY(PreferencesFile(h.dir.path()).ReadPreferences(saved).ok);
        QCOMPARE(saved.CurrentBand, QStringLiteral("40"));
        QVERIFY(refusals(h.fakes.prompts).isEmpty());
    }
};

QTEST_MAIN(TestFileSafety)
#include "tst_filesafety.moc"
