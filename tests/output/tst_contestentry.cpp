// The contest entry: number texts, power multiplier and bonus, the claimed score and the two file layouts,
// the encoding, and the write with its failures.

#include "log/SharedPreferences.h"
#include "output/ContestEntry.h"
#include "support/FakePrompts.h"
#include "support/MemorySettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {

QsoRecord contact(const QString& call, const QString& spc, const QString& band, double points)
{
    QsoRecord r;
    r.Call = call;
    r.RstRcvd = QStringLiteral("599");
    r.VelmPwr = QStringLiteral("1234");
    r.RstSnt = QStringLiteral("599");
    r.Spc = spc;
    r.QsoDate = QStringLiteral("2004/04/03");
    r.QsoTime = QStringLiteral("12:34:56");
    r.Mode = QStringLiteral("CW");
    r.Band = band;
    r.Points = points;
    return r;
}

ProgramPreferences station()
{
    ProgramPreferences own;
    own.OwnCall = QStringLiteral(" K1ABC ");
    own.OwnSpc = QStringLiteral("MA");
    own.OwnVelmPwr = QStringLiteral("5W");
    return own;
}

// A log, its multipliers and the main window's texts, as the summary window receives them.
struct Log {
    void add(const QsoRecord& r)
    {
        QVERIFY(store.add(r));
        multipliers.recordLoaded(r);
        multipliers.RefreshGrid();
    }
    EntrySources sources() const
    {
        return {store,
                multipliers,
                own,
                QStringLiteral("Orvane's QRP VELM Log 2.4"),
                totalMultipliers,
                QStringLiteral("01:02:03")};
    }
    LogStore store;
    MultiplierState multipliers;
    ProgramPreferences own = station();
    QString totalMultipliers = QStringLiteral("0");
};

QStringList linesOf(const QString& text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestContestEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numberTexts()
    {
        QCOMPARE(numberText(qint64(500)), QStringLiteral(" 500 "));
        QCOMPARE(numberText(qint64(-3)), QStringLiteral("-3 "));
        QCOMPARE(numberText(0.0), QStringLiteral(" 0 "));
        QCOMPARE(numberText(-2.5), QStringLiteral("-2.5 "));
        QCOMPARE(numberText(1500.0), QStringLiteral(" 1500 "));
        QCOMPARE(numberText(1234567.0f), QStringLiteral(" 1234567 "));
        QCOMPARE(numberText(12345678.0f), QStringLiteral(" 1.234568E+07 "));
        QCOMPARE(numberText(-12345678.0f), QStringLiteral("-1.234568E+07 "));
        QCOMPARE(numberText(0.1f), QStringLiteral(" 0.1 ")); // not 0.100000001
        QCOMPARE(numberWidth(numberText(qint64(500))), 4);
    }

    void powerMultiplier_data()
    {
        QTest::addColumn<double>("watts");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("multiplier");
        const int cw = int(ModeClass::CwOnly), mixed = int(ModeClass::Mixed),
                  phone = int(ModeClass::PhoneOnly);
        QTest::newRow("CW 5.01") << 5.01 << cw << 1;
        QTest::newRow("CW 5") << 5.0 << cw << 7;
        QTest::newRow("CW 1") << 1.0 << cw << 10;
        QTest::newRow("CW 0.25") << 0.25 << cw << 15;
        QTest::newRow("CW 0.055") << 0.055 << cw << 20;
        QTest::newRow("mixed 5") << 5.0 << mixed << 7;
        QTest::newRow("phone 10.5") << 10.5 << phone << 1;
        QTest::newRow("phone 10") << 10.0 << phone << 7;
        QTest::newRow("phone 0.1") << 0.1 << phone << 20;
    }
    void powerMultiplier()
    {
        QFETCH(double, watts);
        QFETCH(int, mode);
        QFETCH(int, multiplier);
        QCOMPARE(PowerMultiplier(watts, ModeClass(mode)), multiplier);
    }

    void homebrewBonus()
    {
        QCOMPARE(HomebrewBonus(ContestChoice::SpringQsoParty, BonusKind::Transceiver, 3), 0.0);
        QCOMPARE(HomebrewBonus(ContestChoice::SummerHomebrew, BonusKind::Transceiver, 3), 15000.0);
        QCOMPARE(HomebrewBonus(ContestChoice::Holiday, BonusKind::Receiver, 0.5), 1500.0);
        QCOMPARE(HomebrewBonus(ContestChoice::Holiday, BonusKind::None, 3), 0.0);
        QVERIFY(!HomebrewBonus(ContestChoice::Holiday, BonusKind::Transmitter, 1e305));
    }

    // Points 500, S/P/C 25, 3 W in CW (multiplier 7), no bonus: 87500, placed column by column.
    void summarySheetWorkedExample()
    {
        Log log;
        log.add(contact(QStringLiteral("W2XYZ"), QStringLiteral("NJ"), QStringLiteral("40"), 300));
        log.add(contact(QStringLiteral("W3XYZ"), QStringLiteral("PA"), QStringLiteral("40"), 200));
        log.add(contact(QStringLiteral("W4XYZ"), QStringLiteral("GA"), QStringLiteral("2"), 0));
        log.totalMultipliers = QStringLiteral("25");
        SummaryInput input;
        input.power = QStringLiteral("3");
        const ContestEntry entry(input, log.sources());
        QVERIFY(entry.error().isEmpty());
        QCOMPARE(entry.ClaimedScore(), 87500.0f);

        const QStringList lines = linesOf(entry.summarySheet());
        QCOMPARE(lines.size(), 49);
        QCOMPARE(lines.at(4),
                 QStringLiteral("CALL: K1ABC  S/P/C(QTH): MA  QRP #/POWER: 5W  ENTRY: All band"));
        QCOMPARE(lines.at(9), QStringLiteral("| 160  |      0 |     0 |"));
        QCOMPARE(lines.at(13), QStringLiteral("|  40  |    500 |     2 |")); // the band "2" counts nowhere
        QCOMPARE(lines.at(23), QStringLiteral("|Totals|    500 |    25 |"));
        QCOMPARE(lines.at(30), QStringLiteral("     500  X     25    X      7    +        0  =      87500 "));
        QCOMPARE(lines.last(), QStringLiteral("E-mail: "));
    }

    void cabrilloHeaderOfEmptyLog()
    {
        Log log;
        SummaryInput input;
        input.power = QStringLiteral("5");
        input.name = QStringLiteral("Pat");
        const QStringList lines = linesOf(ContestEntry(input, log.sources()).cabrilloLog());
        QCOMPARE(lines,
                 QStringList({"START-OF-LOG: 2.0", "CREATED-BY: Orvane's QRP VELM Log 2.4",
                              "ARRL-SECTION: MA", "CONTEST: QRP VELM Fireside SSB Sprint", "CALLSIGN: K1ABC",
                              "CATEGORY: All band CW", "CLAIMED-SCORE:  0 ", "NAME: Pat",
                              "ADDRESS: ", "ADDRESS: ", "ADDRESS: (e-mail) ", "SOAPBOX: ", "END-OF-LOG:"}));
    }

    void claimedScoreInExponentForm()
    {
        Log log;
        log.add(contact(QStringLiteral("W2XYZ"), QStringLiteral("NJ"), QStringLiteral("20"), 12345678));
        log.totalMultipliers = QStringLiteral("1");
        SummaryInput input;
        input.power = QStringLiteral("100");
        const ContestEntry entry(input, log.sources());
        QVERIFY(linesOf(entry.cabrilloLog()).contains(QStringLiteral("CLAIMED-SCORE:  1.234568E+07 ")));
    }

    void qsoLine_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("spc");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("rstSent");
        QTest::addColumn<QString>("ownCall");
        QTest::addColumn<QString>("line");
        const QString w2 = QStringLiteral("W2XYZ"), nj = QStringLiteral("NJ"), k1 = QStringLiteral("K1ABC");
        QTest::newRow("example")
            << w2 << nj << "40"
            << "599" << k1
            << "QSO:  7000 CW 2004-04-03 1234 K1ABC  599 MA 5W     W2XYZ     599 NJ       1234";
        QTest::newRow("10-character call fills its slot")
            << "W2XYZ/QRP1" << nj << "160"
            << "599" << k1
            << "QSO:  1800 CW 2004-04-03 1234 K1ABC  599 MA 5W     W2XYZ/QRP1599 NJ       1234";
        QTest::newRow("calls and S/P/C cut")
            << "VE3ABCDEFGHIJ"
            << "NEWFOUNDLAND"
            << "6"
            << "599"
            << "KB1ABCDEF"
            << "QSO: 50    CW 2004-04-03 1234 KB1ABCD599 MA 5W     VE3ABCDEFG599 "
               "NEWFOUNDL1234";
        QTest::newRow("unknown band")
            << w2 << nj << "2"
            << "599" << k1
            << "QSO:       CW 2004-04-03 1234 K1ABC  599 MA 5W     W2XYZ     599 NJ       "
               "1234";
        QTest::newRow("wide report pushes right")
            << w2 << nj << "20"
            << "5995999" << k1
            << "QSO: 14000 CW 2004-04-03 1234 K1ABC  5995999 MA 5W W2XYZ     "
               "599 NJ       1234";
    }
    void qsoLine()
    {
        QFETCH(QString, call);
        QFETCH(QString, spc);
        QFETCH(QString, band);
        QFETCH(QString, rstSent);
        QFETCH(QString, ownCall);
        QFETCH(QString, line);
        QsoRecord r = contact(call, spc, band, 1);
        r.RstSnt = rstSent;
        ProgramPreferences own = station();
        own.OwnCall = ownCall;
        QCOMPARE(cabrilloQsoLine(r, own), line);
    }

    void typedLineBreaksStayInTheirLine()
    {
        Log log;
        SummaryInput input;
        input.power = QStringLiteral("5");
        input.soapbox = QStringLiteral("fun\r\nQSO: forged");
        QVERIFY(linesOf(ContestEntry(input, log.sources()).cabrilloLog())
                    .contains(QStringLiteral("SOAPBOX: fun  QSO: forged")));
    }

    void windows1252()
    {
        // ë and € have bytes of their own; a smiley and a character beyond the basic plane do not.
        QCOMPARE(encodeWindows1252(QString::fromUtf8("Zo\u00eb \u20ac5 \u263a \U0001D11E.")),
                 QByteArray("Zo\xeb \x80"
                            "5 ? ?."));
    }

    // The summary cannot be written (its name is taken by a folder): the operator is told, and the Cabrillo
    // log is still written with the claimed score.
    void summaryFailureStillWritesTheLog()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("K1ABC.sum")));
        Log log;
        test::FakePrompts prompts;
        test::MemorySettingsStore settings;
        SharedPreferences shared;
        shared.OpenSharedPreferences(dir.filePath(QStringLiteral("SharedUserPreferences.xml")));
        prompts.fileAnswers.push_back(dir.filePath(QStringLiteral("K1ABC.log")));
        SummaryInput input;
        input.power = QStringLiteral("5");
        QCOMPARE(WriteSummaryAndLog(input, log.sources(), {prompts, settings, shared, dir.path()}),
                 WriteOutcome::Written);
        QCOMPARE(prompts.fileDialogs.at(0).text, QDir(dir.path()).filePath(QStringLiteral("K1ABC.log")));
        QCOMPARE(prompts.messages.size(), 3);
        QCOMPARE(prompts.messages.at(0).title, kWriteFailedTitle);
        QCOMPARE(prompts.messages.at(1).title, QStringLiteral("File Written Successfully."));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("K1ABC.log"))));
    }

    // Both files' failures name the file and the system's reason.
    void writeFailuresNameTheFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("K1ABC.sum")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("K1ABC.log")));
        Log log;
        test::FakePrompts prompts;
        test::MemorySettingsStore settings;
        SharedPreferences shared;
        prompts.fileAnswers.push_back(dir.filePath(QStringLiteral("K1ABC.log")));
        SummaryInput input;
        input.power = QStringLiteral("5");
        QCOMPARE(WriteSummaryAndLog(input, log.sources(), {prompts, settings, shared, dir.path()}),
                 WriteOutcome::Failed);
        QCOMPARE(prompts.messages.size(), 2);
        for (const auto& [shown, name] : {std::pair{prompts.messages.at(0), QStringLiteral("K1ABC.sum")},
                                          std::pair{prompts.messages.at(1), QStringLiteral("K1ABC.log")}}) {
            QCOMPARE(shown.title, kWriteFailedTitle);
            const QString named = QDir::toNativeSeparators(dir.filePath(name)) + QStringLiteral(":\n\n");
            QVERIFY2(shown.text.startsWith(named) && shown.text.size() > named.size(),
                     qPrintable(shown.text));
        }
    }

    void nothingWrittenWithoutPowerOrPath()
    {
        Log log;
        test::FakePrompts prompts;
        test::MemorySettingsStore settings;
        SharedPreferences shared;
        SummaryInput input;
        input.power = QStringLiteral("5/");
        QCOMPARE(WriteSummaryAndLog(input, log.sources(), {prompts, settings, shared, QString()}),
                 WriteOutcome::PowerNotNumeric);
        QCOMPARE(prompts.messages.at(0).title, kPowerTitle);
        QVERIFY(prompts.fileDialogs.isEmpty());

        input.power = QStringLiteral("5");
        QCOMPARE(WriteSummaryAndLog(input, log.sources(), {prompts, settings, shared, QString()}),
                 WriteOutcome::Cancelled);
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(settings.values.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestContestEntry)
#include "tst_contestentry.moc"
