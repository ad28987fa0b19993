// The main window shell: reload through the window, its failure path, appends and the help window.

#include "log/ui/Form1.h"
#include "log/ui/Form5.h"
#include "support/TestServices.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
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
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("log.txt")), kTwoLines);
        test::TestServices fakes;
        Form1 form(fakes.services(), ProgramFolder(dir.path()), {});
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
        QTemporaryDir dir;
        const QByteArray damaged = "\"N0CALL\",\"559\",\"12\"34\",\"559\",\"CT\",\"2011/03/05\",\"14:05:33\",\"CW\",\"40\",5,\"\"\r\n";
        const QString logPath = dir.filePath(QStringLiteral("log.txt"));
        writeFile(logPath, damaged);
        test::TestServices fakes;
        Form1 form(fakes.services(), ProgramFolder(dir.path()), {});
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
        QTemporaryDir dir;
        test::TestServices fakes;
        Form1 form(fakes.services(), ProgramFolder(dir.path()), {});
        QVERIFY(!form.mnuOpen2());
        QCOMPARE(fakes.prompts.messages.first().title, QStringLiteral("File Error"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("log.txt"))));
    }

    void appendWritesTheLineAndUpdatesTheScore()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("Log.txt")), QByteArray());
        test::TestServices fakes;
        Form1 form(fakes.services(), ProgramFolder(dir.path()), {});
        QVERIFY(form.mnuOpen2());
        QVERIFY(form.AppendQso(sampleRecord()));
        QCOMPARE(form.lblTotCon->text(), QStringLiteral("1"));
        // The existing spelling is written to; no second log file appears.
        QCOMPARE(readFile(dir.filePath(QStringLiteral("Log.txt"))), kTwoLines.left(kTwoLines.indexOf('\n') + 1));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("log.txt"))));
    }

    void failedAppendIsReportedAndNotCounted()
    {
        QTemporaryDir dir;
        // A folder where the log file should be: every open for writing fails, even as root.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("log.txt")));
        test::TestServices fakes;
        Form1 form(fakes.services(), ProgramFolder(dir.path()), {});
        QVERIFY(!form.AppendQso(sampleRecord()));
        QCOMPARE(form.logStore().QsoCount(), 0);
        QCOMPARE(form.lblTotCon->text(), QStringLiteral("0"));
        QCOMPARE(fakes.prompts.messages.size(), 1);
        QVERIFY(fakes.prompts.messages.first().text.contains(QStringLiteral("N0CALL")));
        QVERIFY(fakes.prompts.messages.first().text.contains(QStringLiteral("log.txt")));
    }

    void laterWindowsAreInTheMenuButDisabled()
    {
        QTemporaryDir dir;
        test::TestServices fakes;
        Form1 form(fakes.services(), ProgramFolder(dir.path()), {});
        for (QAction* item : {form.mnuNew, form.mnuWriteSumm, form.mnuSetup, form.mnuBand20Ch, form.mnuSSB,
                              form.mnuSpotConfigure, form.mnuColors})
            QVERIFY2(item && !item->isEnabled(), qPrintable(item ? item->text() : QStringLiteral("missing")));
        QVERIFY(form.mnuHelp->isEnabled());
        QVERIFY(form.mnuExit->isEnabled());
        QVERIFY(form.findChild<QAction*>(QStringLiteral("mnuBand6Ch")));
    }

    void helpShowsTheWholeHelpFile()
    {
        QTemporaryDir dir;
        const QString text = QStringLiteral("QRP VELM LOG HELP\nline two\n\nlast line");
        writeFile(dir.filePath(QStringLiteral("READQRP.TXT")), text.toUtf8());
        test::TestServices fakes;
        Form1 form(fakes.services(), ProgramFolder(dir.path()), {});
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
