// The ADIF export, the general-logger export and the clipboard copy run against a real main window with a
// log on disk: prompts, dialogs, the files written, the messages, and failed writes.

#include "log/ui/Form1Harness.h"
#include "output/ui/ExportActions.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QTreeWidget>

using namespace velm;

namespace {

const QByteArray kCountries = "\"USA\",291\r\n\"Germany\",230\r\n";

} // namespace

class TestExportActions : public QObject {
    Q_OBJECT
private slots:
    void adifExportWritesTheLog();
    void adifLengthsCountTheBytesWritten();
    void kestroneExport();
    void failedWritesNameTheFile();
    void clipboardHoldsTheListLastRowFirst();
};

void TestExportActions::adifExportWritesTheLog()
{
    test::Running run(test::kTwoLogLines);
    test::FakePrompts& prompts = run.fakes.prompts;
    // The shared folder's table wins over the program folder's.
    run.write(QStringLiteral("ADIFCnt.txt"), "\"USA\",1\r\n");
    QVERIFY(QDir().mkpath(run.folders.SharedFolder));
    QVERIFY(QDir().mkpath(run.folders.UserDataFolder));
    run.write(QStringLiteral("Orvane Software/Shared/ADIFCnt.txt"), kCountries);
    prompts.inputAnswers = {QStringLiteral("5W"), std::nullopt};
    const QString target = run.path(QStringLiteral("Orvane Software/QRP VELM/contest.adi"));
    prompts.fileAnswers = {target};

    ExportAdif(run.window().session(), Form1::Title, run.fakes.services());

    QCOMPARE(prompts.inputs.size(), 2);
    QCOMPARE(prompts.inputs[0].title, QStringLiteral("Please enter the power value."));
    QCOMPARE(prompts.inputs[1].title, QStringLiteral("Please enter a comment."));
    QCOMPARE(prompts.inputDefaults, (QList<QString>{QString(), QStringLiteral("Qrp VELM Contest")}));
    QCOMPARE(prompts.fileDialogs.size(), 1);
    QCOMPARE(prompts.fileDialogs[0].text,
             QDir(run.folders.UserDataFolder).filePath(QStringLiteral("QrpVELM.adi")));
    QVERIFY(prompts.fileFilters[0].contains(QStringLiteral("*.adi")));

    const QByteArray written = run.read(QStringLiteral("Orvane Software/QRP VELM/contest.adi"));
    QVERIFY(written.startsWith("ADIF Export from Orvane's QRP VELM Log 2.4\r\n"));
    const qsizetype records = written.indexOf("<EOH>\r\n\r\n") + 9;
    // The comment prompt was cancelled: no Comment field, "<eor>" ends the second line.
    QCOMPARE(
        written.mid(records),
        QByteArray("<Call:6>N0CALL <Qso_Date:8:d>20110305 <Band:3>40M <Mode:2>CW\r\n"
                   "<Tx_Pwr:2>5W <Time_On:4>1405 <DXCC:3>291 <State:2>CT <Freq:5>7.025 <RST_Rcvd:3>559 "
                   "<RST_Sent:3>559 <eor>\r\n\r\n"
                   "<Call:6>N0CALL <Qso_Date:8:d>20110305 <Band:3>20M <Mode:3>SSB\r\n"
                   "<Tx_Pwr:2>5W <Time_On:4>2359 <DXCC:3>230 <RST_Rcvd:2>55 <RST_Sent:2>55 <eor>\r\n\r\n"));

    QCOMPARE(prompts.beeps, 0);
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].title, QStringLiteral("File Written Successfully."));
    QCOMPARE(prompts.messages[0].text, "The file QrpVELM.adi was successfully written to the directory:\n\n" +
                                           QDir::toNativeSeparators(target) + ".");
}

void TestExportActions::adifLengthsCountTheBytesWritten()
{
    // One contact from an older program's line (Windows-1252), one typed in UTF-8, both with a non-ASCII call
    // and country; a non-ASCII comment too.
    test::Running run("\"F5\xc9T\xc9\",\"599\",\"1234\",\"599\",\"R\xe9union\",\"2011/03/05\",\"14:05:33\","
                      "\"CW\",\"40\",4,\"\"\r\n"
                      "\"OE1\xc3\204BC\",\"599\",\"5W\",\"599\",\"\xc3\x96sterreich\",\"2011/03/05\","
                      "\"14:06:00\",\"CW\",\"40\",4,\"14.060\"\r\n");
    test::FakePrompts& prompts = run.fakes.prompts;
    run.write(QStringLiteral("ADIFCnt.txt"), "\"R\xc3\xa9union\",453\r\n\"\xc3\x96sterreich\",206\r\n");
    prompts.inputAnswers = {QStringLiteral("5W"), QString::fromUtf8("Caf\u00e9 \u263a")};
    const QString target = run.path(QStringLiteral("contest.adi"));
    prompts.fileAnswers = {target};
    ExportAdif(run.window().session(), Form1::Title, run.fakes.services());
    const QByteArray written = run.read(QStringLiteral("contest.adi"));
    QVERIFY(written.contains("<Call:7>OE1\xc3\204BC "));
    QVERIFY(written.contains("<Call:7>F5\xc3\x89T\xc3\x89 "));
    QVERIFY(written.contains("<Comment:9>Caf\xc3\xa9 \xe2\x98\xba\r\n"));
    QVERIFY(written.contains("<DXCC:3>453 ") && written.contains("<DXCC:3>206 "));
    QVERIFY(QString::fromUtf8(written).toUtf8() == written); // the whole file is UTF-8

    // Every field's length, read the way a byte-counting reader reads it, ends exactly where the data ends.
    const QRegularExpression tag(QStringLiteral("<([A-Za-z_]+):(\\d+)(:[A-Za-z])?>"));
    int fields = 0;
    for (qsizetype at = written.indexOf('<'); at >= 0; at = written.indexOf('<', at + 1)) {
        const QRegularExpressionMatch match =
            tag.match(QString::fromLatin1(written.mid(at, 40)), 0, QRegularExpression::NormalMatch,
                      QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch())
            continue; // <EOH>, <eor>
        const qsizetype dataStart = at + match.capturedLength();
        const qsizetype dataEnd = dataStart + match.captured(2).toInt();
        QVERIFY2(dataEnd < written.size() && (written[dataEnd] == ' ' || written[dataEnd] == '\r'),
                 qPrintable(match.captured(1)));
        ++fields;
        at = dataEnd - 1;
    }
    QCOMPARE(fields, 10 + 11); // the first record has no frequency
}

void TestExportActions::kestroneExport()
{
    test::Running run(test::kTwoLogLines);
    test::FakePrompts& prompts = run.fakes.prompts;
    prompts.inputAnswers = {QStringLiteral("5W")};

    ExportForKestrone(run.window().session(), run.fakes.services());

    QCOMPARE(prompts.inputs.value(0).title, QStringLiteral("Please enter the power value"));
    const QByteArray written = run.read(QStringLiteral("LogExp.txt"));
    QCOMPARE(written.count("\r\n"), 2);
    QVERIFY(written.startsWith("\"N0CALL\",\"2011/03/05\",\"40\",\"CW\",\"5W\","));
    QCOMPARE(prompts.beeps, 1);
    QCOMPARE(prompts.messages.value(0).title, QStringLiteral("Export Successful!"));
    QVERIFY(prompts.messages.value(0).text.startsWith(
        "LogExp.txt has been written to this program's working directory " +
        QDir::toNativeSeparators(run.dir.path()) + ".  Import these"));
}

void TestExportActions::failedWritesNameTheFile()
{
    test::Running run(test::kTwoLogLines);
    test::FakePrompts& prompts = run.fakes.prompts;
    const auto lastMessageNames = [&](const QString& name) {
        return prompts.messages.last().title == QStringLiteral("Unable to write file.") &&
               prompts.messages.last().text.contains(QDir::toNativeSeparators(name));
    };

    // No ADIFCnt.txt anywhere: beep and the reason, before any dialog.
    ExportAdif(run.window().session(), Form1::Title, run.fakes.services());
    QCOMPARE(prompts.fileDialogs.size(), 0);
    QCOMPARE(prompts.beeps, 1);
    QVERIFY(lastMessageNames(QStringLiteral("ADIFCnt.txt")));

    // Cancel in the save dialog: nothing said.
    run.write(QStringLiteral("ADIFCnt.txt"), kCountries);
    ExportAdif(run.window().session(), Form1::Title, run.fakes.services());
    QCOMPARE(prompts.fileDialogs.size(), 1);
    QCOMPARE(prompts.messages.size(), 1);

    // The chosen file is a folder.
    const QString target = run.path(QStringLiteral("taken.adi"));
    QVERIFY(QDir().mkpath(target));
    prompts.fileAnswers = {target};
    ExportAdif(run.window().session(), Form1::Title, run.fakes.services());
    QCOMPARE(prompts.beeps, 2);
    QVERIFY2(lastMessageNames(target), qPrintable(prompts.messages.last().text));

    // LogExp.txt is a folder: reported, not announced as written.
    QVERIFY(QDir().mkpath(run.path(QStringLiteral("LogExp.txt"))));
    ExportForKestrone(run.window().session(), run.fakes.services());
    QCOMPARE(prompts.beeps, 3);
    QCOMPARE(prompts.messages.size(), 3);
    QVERIFY2(lastMessageNames(run.path(QStringLiteral("LogExp.txt"))),
             qPrintable(prompts.messages.last().text));
}

void TestExportActions::clipboardHoldsTheListLastRowFirst()
{
    test::Running run(test::kTwoLogLines);
    QTreeWidget* list = run.window().ListView1;
    QCOMPARE(list->topLevelItemCount(), 2);
    // The list shows the newest contact on top.
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("2"));
    QGuiApplication::clipboard()->setText(QStringLiteral("left over"));

    CopyListToClipboard(run.window());

    const QString text = QGuiApplication::clipboard()->text();
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 4); // header, two rows, nothing after the last CR LF
    QCOMPARE(lines[0], QStringLiteral("Rec#\tCall\tRec\tSPC\tVELM\tSnt\tDate/Time\tMo\tBnd\tPts"));
    QVERIFY2(lines[1].startsWith(QStringLiteral("1\tN0CALL\t559\tCT\t")), qPrintable(lines[1]));
    QVERIFY2(lines[2].startsWith(QStringLiteral("2\tN0CALL\t55\tGermany\t")), qPrintable(lines[2]));
    QCOMPARE(lines[1].count(QLatin1Char('\t')), 9);
    QCOMPARE(lines[3], QString());
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
}

QTEST_MAIN(TestExportActions)
#include "tst_exportactions.moc"
