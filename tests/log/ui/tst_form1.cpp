// The main window shell: reload through the window, its failure path, appends and the help window.

#include "log/ui/Form5.h"
#include "log/ui/frmStationID.h"
#include "log/ui/Form1Harness.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QsoRecord sampleRecord()
{
    QsoRecord record;
    record.Call = QStringLiteral("N0CALL");
    record.RstRcvd = QStringLiteral("559");
    record.VelmPwr = QStringLiteral("1234");
    record.RstSnt = QStringLiteral("559");
    record.Spc = QStringLiteral("CT");
    record.QsoDate = QStringLiteral("2011/03/05");
    record.QsoTime = QStringLiteral("14:05:33");
    record.Mode = QStringLiteral("CW");
    record.Band = QStringLiteral("40");
    record.Points = 5;
    record.Frequency = QStringLiteral("7.025");
    return record;
}

const QByteArray kTwoLines = "\"N0CALL\",\"559\",\"1234\",\"559\",\"CT\",\"2011/03/05\",\"14:05:33\",\"CW\",\"40\",5,\"7.025\"\r\n"
                             "\"N0CALL\",\"55\",\"5W\",\"55\",\"Germany\",\"2011/03/05\",\"23:59:01\",\"PH\",\"20\",4,\"\"\r\n";

QString accessibleName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reloadShowsTheLogOnTheScoreBlock()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("log.txt"), kTwoLines);
        Form1& form = h.window();
        auto& fakes = h.fakes;
        QCOMPARE(form.windowTitle(), QStringLiteral("Orvane's QRP VELM Log 2.4"));

        QVERIFY(form.mnuOpen2());
        QCOMPARE(form.logStore().QsoCount(), 2);
        QCOMPARE(form.lblTotCon->text(), QStringLiteral("2"));
        QCOMPARE(form.lblTotSec->text(), QStringLiteral("9"));
        QCOMPARE(accessibleName(form.lblTotSec), QStringLiteral("Total QSO Points: 9"));
        QVERIFY(fakes.prompts.messages.isEmpty());
    }

    void failedReloadTellsTheOperatorAndEndsWithoutWriting()
    {
        test::Form1Harness h;
        auto& fakes = h.fakes;
        const QByteArray damaged = "\"N0CALL\",\"559\",\"12\"34\",\"559\",\"CT\",\"2011/03/05\",\"14:05:33\",\"CW\",\"40\",5,\"\"\r\n";
        const QString logPath = h.path(QStringLiteral("log.txt"));
        writeFile(logPath, damaged);
        Form1& form = h.window();
        QSignalSpy ended(&form, &Form1::programMustEnd);

        QVERIFY(!form.mnuOpen2());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(fakes.prompts.messages.size(), 1);
        QCOMPARE(fakes.prompts.messages.first().title, QStringLiteral("File Error"));
        QVERIFY(fakes.prompts.messages.first().text.startsWith(
            QStringLiteral("Error opening file.  This error is annoying but probably correctable.")));
        QCOMPARE(form.logStore().QsoCount(), 0);
        QCOMPARE(readFile(logPath), damaged);
        QVERIFY(!form.isEnabled());
    }

    void missingLogIsAFileError()
    {
        test::Form1Harness h;
        QVERIFY(!h.window().mnuOpen2());
        QCOMPARE(h.fakes.prompts.messages.first().title, QStringLiteral("File Error"));
        QVERIFY(!QFile::exists(h.path(QStringLiteral("log.txt"))));
    }

    void appendWritesTheLineAndUpdatesTheScore()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("Log.txt"), QByteArray());
        Form1& form = h.window();
        QVERIFY(form.mnuOpen2());
        QVERIFY(form.AppendQso(sampleRecord()));
        QCOMPARE(form.lblTotCon->text(), QStringLiteral("1"));
        // The existing spelling is written to; no second log file appears.
        QCOMPARE(h.read(QStringLiteral("Log.txt")), kTwoLines.left(kTwoLines.indexOf('\n') + 1));
        QVERIFY(!QFile::exists(h.path(QStringLiteral("log.txt"))));
    }

    void failedAppendIsReportedAndNotCounted()
    {
        test::Form1Harness h;
        auto& fakes = h.fakes;
        h.write(QStringLiteral("log.txt"), QByteArray());
        Form1& form = h.window();
        QVERIFY(form.mnuOpen2());
        // A folder where the log file should be: every open for writing fails, even as root.
        QVERIFY(QFile::remove(h.path(QStringLiteral("log.txt"))));
        QVERIFY(QDir(h.dir.path()).mkdir(QStringLiteral("log.txt")));
        QVERIFY(!form.AppendQso(sampleRecord()));
        QCOMPARE(form.logStore().QsoCount(), 0);
        QCOMPARE(form.lblTotCon->text(), QStringLiteral("0"));
        QCOMPARE(fakes.prompts.messages.size(), 1);
        QVERIFY(fakes.prompts.messages.first().text.contains(QStringLiteral("N0CALL")));
        QVERIFY(fakes.prompts.messages.first().text.contains(QStringLiteral("log.txt")));
    }

    void startUpReadsPreferencesAsksOffsetShowsStationAndReloads()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("QRPpref.txt"), test::kPreferences);
        h.write(QStringLiteral("log.txt"), kTwoLines);
        h.fakes.prompts.inputAnswers.push_back(QStringLiteral("4"));
        h.fakes.prompts.yesNoAnswers.push_back(true); // continue the existing contest
        h.onModal = [](QDialog& dialog) {
            auto& station = static_cast<frmStationID&>(dialog);
            // What the operator sees is the stored station, the offset already corrected.
            if (station.Text1->text() != QLatin1String("K1ABC") || station.Text6->text() != QLatin1String("4"))
                return int(QDialog::Rejected);
            station.Text8->setText(QStringLiteral("5W"));
            station.Command1->click();
            return station.result();
        };
        Form1& form = h.window();
        QVERIFY(form.startUp());

        QCOMPARE(h.fakes.prompts.inputs.size(), 1);
        QCOMPARE(h.fakes.prompts.inputDefaults.first(), QStringLiteral("4"));
        QCOMPARE(h.modalsRun, 1);
        QCOMPARE(form.Label2->text(), QStringLiteral("K1ABC"));
        QCOMPARE(form.Label4->text(), QStringLiteral("5W"));
        QCOMPARE(form.Label24->text(), QStringLiteral("20"));
        QVERIFY(form.mnuBand20Ch->isChecked());
        QVERIFY(form.mnu160->isChecked());
        QCOMPARE(form.logStore().QsoCount(), 2);
        QCOMPARE(form.lblttrack->text(), QStringLiteral("01:02:05"));
        QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.txtCall));

        // Saved under the spelling found, offset and station included, and nothing beside it.
        ProgramPreferences saved;
        QVERIFY(PreferencesFile(h.dir.path()).ReadPreferences(saved).ok);
        QCOMPARE(saved.UtcOffset, 4.0f);
        QCOMPARE(saved.OwnVelmPwr, QStringLiteral("5W"));
        QCOMPARE(QDir(h.dir.path()).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name),
                 QStringList({QStringLiteral("QRPpref.txt"), QStringLiteral("log.txt")}));
        QVERIFY(h.read(QStringLiteral("SharedUserPreferences.xml")).contains("<OWN_VELM>5W</OWN_VELM>"));
    }

    void missingPreferencesStopTheStartUp()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("log.txt"), kTwoLines);
        Form1& form = h.window();
        QVERIFY(form.startUp());
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        QCOMPARE(h.fakes.prompts.messages.first().text, QStringLiteral("Error opening file"));
        QCOMPARE(h.fakes.prompts.messages.first().title, QStringLiteral("Error opeining file"));
        QCOMPARE(h.modalsRun, 0);
        QCOMPARE(form.logStore().QsoCount(), 0);
        QVERIFY(!QFile::exists(h.path(QStringLiteral("QRPpref.txt"))));
    }

    void stationWindowClosedWithoutDoneChangesNothing()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("qrppref.txt"), test::kPreferences);
        Form1& form = h.window();
        QVERIFY(form.ReadPreferences());
        h.onModal = [](QDialog& dialog) {
            static_cast<frmStationID&>(dialog).Text1->setText(QStringLiteral("W1XYZ"));
            return int(QDialog::Rejected);
        };
        form.mnuSetup->trigger();
        QCOMPARE(form.preferences().OwnCall, QStringLiteral("K1ABC"));
        QCOMPARE(h.read(QStringLiteral("qrppref.txt")), test::kPreferences);
    }

    void bandAndModeChangesSaveAndReload()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("qrppref.txt"), test::kPreferences);
        h.write(QStringLiteral("log.txt"), kTwoLines);
        Form1& form = h.window();
        QVERIFY(form.ReadPreferences());
        QVERIFY(form.mnuOpen2());
        // A change on disk shows after the next band change: the log is reloaded.
        h.write(QStringLiteral("log.txt"), kTwoLines + kTwoLines.left(kTwoLines.indexOf('\n') + 1));

        form.mnuBand6Ch->trigger();
        QCOMPARE(form.Label24->text(), QStringLiteral("6"));
        QCOMPARE(form.logStore().QsoCount(), 3);
        QTest::mouseClick(form.Label24, Qt::LeftButton);
        QCOMPARE(form.Label24->text(), QStringLiteral("160"));
        QVERIFY(form.mnuBand160Ch->isChecked());
        QVERIFY(!form.mnuBand6Ch->isChecked());

        QTest::mouseClick(form.Label30, Qt::LeftButton);
        QCOMPARE(form.Label30->text(), QStringLiteral("PH"));
        QVERIFY(form.mnuSSB->isChecked());
        ProgramPreferences saved;
        QVERIFY(PreferencesFile(h.dir.path()).ReadPreferences(saved).ok);
        QCOMPARE(saved.CurrentBand, QStringLiteral("160"));
        QCOMPARE(saved.CurrentMode, QStringLiteral("PH"));
    }

    void phoneKeepsATypedReportButLimitsNewOnes()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("log.txt"), QByteArray());
        Form1& form = h.window();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.txtRSTR->setFocus();
        QTest::keyClicks(form.txtRSTR, QStringLiteral("5999"));
        QCOMPARE(form.txtRSTR->text(), QStringLiteral("599")); // three at start-up, whatever the mode
        form.mnuSSB->trigger();
        QCOMPARE(form.txtRSTR->text(), QStringLiteral("599"));
        form.txtRSTS->setFocus();
        QTest::keyClicks(form.txtRSTS, QStringLiteral("599"));
        QCOMPARE(form.txtRSTS->text(), QStringLiteral("59"));
        form.mnu160->trigger();
        QTest::keyClicks(form.txtRSTS, QStringLiteral("9"));
        QCOMPARE(form.txtRSTS->text(), QStringLiteral("599"));
    }

    void operatingClockRunsWhileLoggedOn()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("qrppref.txt"), test::kPreferences);
        Form1& form = h.window();
        QVERIFY(form.ReadPreferences());
        h.fakes.clock.utc = QDateTime(QDate(2024, 1, 6), QTime(14, 0, 0), Qt::UTC); // 10:00:00 local
        QTest::mouseClick(form.cmdLogOn, Qt::LeftButton);
        QCOMPARE(form.cmdLogOn->text(), QStringLiteral("&Log \"Time Off\""));
        h.fakes.clock.advanceMs(10000);
        form.Timer2_Timer();
        QCOMPARE(form.lblttrack->text(), QStringLiteral("01:02:15"));
        QCOMPARE(form.lblCurTime->text(), QStringLiteral("10:00:10"));
        QCOMPARE(form.Label16->text(), QStringLiteral("AM"));
        QCOMPARE(form.lblutctime->text(), QStringLiteral("15:00:10")); // the stored offset, 5
        QCOMPARE(QAccessible::queryAccessibleInterface(form.lblttrack)->text(QAccessible::Name),
                 QStringLiteral("Operating Time: 01:02:15"));

        QTest::mouseClick(form.cmdLogOn, Qt::LeftButton);
        QVERIFY(form.lblDialog->text().startsWith(QStringLiteral("Logged Off at ")));
        QVERIFY(form.lblDialog->text().endsWith(QStringLiteral(" 15:00:10")));
        ProgramPreferences saved;
        QVERIFY(PreferencesFile(h.dir.path()).ReadPreferences(saved).ok);
        QCOMPARE(saved.OperatingSeconds, 3735.0f);
        // Off for an hour: not counted.
        h.fakes.clock.advanceMs(3600 * 1000);
        form.Timer2_Timer();
        QCOMPARE(form.lblttrack->text(), QStringLiteral("01:02:15"));
    }

    void keysReachTheKeyersFromAnyField()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("log.txt"), QByteArray());
        Form1& form = h.window();
        QSignalSpy windows(&form, &Form1::windowRequested);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.txtCall->setFocus();

        QTest::keyClick(form.txtCall, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(windows.count(), 1);
        QCOMPARE(windows.first().first().value<WindowShortcut>(), WindowShortcut::CwKeyer);
        QCOMPARE(form.txtCall->text(), QString()); // no "s" typed

        QTest::keyClick(form.txtCall, Qt::Key_F10);
        QTest::keyClick(form.txtCall, Qt::Key_F1);
        QTest::keyClick(form.txtCall, Qt::Key_Up);
        QCOMPARE(h.keyers.calls, QStringList({QStringLiteral("FKeyCW 124"), QStringLiteral("FKeyCW 112"),
                                              QStringLiteral("UpDown1_UpClick")}));
        QCOMPARE(form.lblDialog->text(), QStringLiteral("21 WPM"));

        QTest::keyClick(form.txtCall, Qt::Key_F12);
        QCOMPARE(form.lblDialog->text(),
                 QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode."));
        QCOMPARE(form.lblDialog->palette().color(QPalette::Window), QColor(255, 255, 192));
        QTest::keyClicks(form.txtCall, QStringLiteral("cq"));
        QCOMPARE(form.txtCall->text(), QString()); // typed text goes to the keyer, not the field
        QCOMPARE(h.keyers.cwBuffer, QStringLiteral("CQ"));
        QTest::keyClick(form.txtCall, Qt::Key_F12);
        QCOMPARE(form.lblDialog->text(), QString());
        QCOMPARE(form.lblDialog->palette().color(QPalette::Window), QColor(0, 192, 192));

        // In phone F10 and F12 do nothing; F1 plays a voice message.
        form.mnuSSB->trigger();
        h.keyers.calls.clear();
        QTest::keyClick(form.txtCall, Qt::Key_F10);
        QTest::keyClick(form.txtCall, Qt::Key_F12);
        QTest::keyClick(form.txtCall, Qt::Key_F1);
        QCOMPARE(h.keyers.calls, QStringList({QStringLiteral("FKeyPhone 112")}));
        QVERIFY(!h.keyers.keyboardCwMode);
        QTest::keyClicks(form.txtCall, QStringLiteral("k1abc"));
        QVERIFY(form.txtCall->text().compare(QStringLiteral("k1abc"), Qt::CaseInsensitive) == 0);
    }

    void laterWindowsAreInTheMenuButDisabled()
    {
        test::Form1Harness h;
        Form1& form = h.window();
        for (QAction* item : {form.mnuWriteSumm, form.mnuADIF, form.mnuPrivileges, form.mnuSpotConfigure,
                              form.mnuGraph})
            QVERIFY2(item && !item->isEnabled(), qPrintable(item ? item->text() : QStringLiteral("missing")));
        for (QAction* item : {form.mnuHelp, form.mnuSetup, form.mnuBand20Ch, form.mnuSSB, form.mnu160,
                              form.mnuColors, form.mnuListPrevious, form.mnuNew, form.mnuRestore})
            QVERIFY(item->isEnabled());
        QVERIFY(form.mnuExit->isEnabled());
        QVERIFY(form.findChild<QAction*>(QStringLiteral("mnuBand6Ch")));
    }

    void aNoticeFromOutsideTheRowShowsOnWhiteAndIsReadable()
    {
        test::Form1Harness h;
        Form1& form = h.window();
        const QString message = QStringLiteral("You have been spotted on the DX cluster!");
        const QString spot = QStringLiteral("DX de W1AW:     14025.0  K1ABC        QRP  1405Z");
        form.showWhiteNotice(message, spot);
        form.showWhiteNotice(message, spot); // twice: still announced, still the same text
        for (QLabel* label : {form.lblDialog, form.lblDupe}) {
            QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        }
        QCOMPARE(form.lblDialog->text().trimmed(), message);
        QCOMPARE(form.lblDupe->text().trimmed(), spot);
        // A screen reader reads the notice from the labels' names, not only from their pixels.
        QVERIFY2(form.lblDialog->accessibleName().contains(message), qPrintable(form.lblDialog->accessibleName()));
        QVERIFY2(form.lblDupe->accessibleName().contains(spot), qPrintable(form.lblDupe->accessibleName()));
    }

    void helpShowsTheWholeHelpFile()
    {
        test::Form1Harness h;
        const QString text = QStringLiteral("QRP VELM LOG HELP\nline two\n\nlast line");
        h.write(QStringLiteral("READQRP.TXT"), text.toUtf8());
        Form1& form = h.window();
        form.mnuHelp->trigger();
        auto* help = form.findChild<Form5*>();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->windowTitle(), QStringLiteral("Help Page"));
        QCOMPARE(help->txtHelp->toPlainText(), text);
        QVERIFY(help->txtHelp->isReadOnly());
        QTest::mouseClick(help->cmdClose, Qt::LeftButton);
        QVERIFY(!help->isVisible());
        // Hidden, not destroyed: the same window comes back.
        form.mnuHelp->trigger();
        QCOMPARE(form.findChildren<Form5*>().size(), 1);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
