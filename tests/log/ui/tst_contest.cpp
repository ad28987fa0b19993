// A short contest typed through the real main window from the keyboard alone, then the program started
// again from its files: log.txt, points, multipliers and score must come back exactly.

#include "log/ui/Form1Harness.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace velm;

namespace {

// Each character goes to whichever field has the focus at that moment, as from a keyboard.
void type(const QString& keys)
{
    for (const QChar key : keys)
        QTest::keyClicks(QApplication::focusWidget(), QString(key));
}

struct Contact {
    const char* keys;  // what the operator types before Enter (Space only where a call has no advance)
    int points;        // what it must score for K1ABC in CT (continent NA)
    const char* mult;  // the multiplier it adds on its band, or "" when it adds none
};

// 20 m, then 40 m, then 80 m.
const Contact k20[] = {
    {"w1aw559ct1234", 5, "CT"},  {"k2abc559ny5w", 2, "NY"},    {"n3xyz579pa2345", 5, "PA"},
    {"w4zz599fl5w", 2, "FL"},    {"k5abc559tx3456", 5, "TX"},  {"w6yy559ca1w", 2, "CA"},
    {"ve3abc559on4567", 5, "ON"}, {"dl1abc559 5w", 4, "Germany"}, {"ja1xyz559 1w", 4, "Japan"},
    {"k1zz559ct5w", 2, ""},      {"w9abc559il5678", 5, "IL"},  {"g3abc559 2w", 4, "England"},
};
const Contact k40[] = {
    {"w1aw559ct1234", 5, "CT"},  {"k2abc559ny5w", 2, "NY"},    {"dl2xx559 5w", 4, "Germany"},
    {"dl3yy559 3w", 4, ""},      {"ve7xyz559bc6789", 5, "BC"}, {"w7abc559az5w", 2, "AZ"},
    {"n8abc559oh7890", 5, "OH"}, {"k0abc559mn5w", 2, "MN"},    {"w5abc559la8901", 5, "LA"},
    {"kh6abc559 9012", 5, "HI"},
};
const Contact k80[] = {
    {"w1aw559ct1234", 5, "CT"}, {"k4abc559va5w", 2, "VA"},   {"n2abc559nj9123", 5, "NJ"},
    {"ve2abc559qc5w", 2, "QC"}, {"w8abc559mi1235", 5, "MI"}, {"ja2abc559 5w", 4, "Japan"},
    {"k3abc559md2346", 5, "MD"}, {"w2abc559ny5w", 2, "NY"},
};

struct Totals {
    int contacts = 0, points = 0, multipliers = 0;
};

void work(test::Running& r, const Contact* contacts, int count, Totals& totals)
{
    for (int n = 0; n < count; ++n) {
        const Contact& contact = contacts[n];
        type(QString::fromLatin1(contact.keys));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        r.fakes.clock.advanceMs(45000);
        QVERIFY2(r.form->txtCall->text().isEmpty(), contact.keys); // logged: the row is clear again
        ++totals.contacts;
        totals.points += contact.points;
        totals.multipliers += QByteArray(contact.mult).isEmpty() ? 0 : 1;
        QCOMPARE(r.form->logStore().QsoCount(), totals.contacts);
        QVERIFY2(r.form->logStore().PointsTotal() == totals.points, contact.keys);
    }
}

} // namespace

class TestContest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void contestSurvivesARestart()
    {
        test::Running r{QByteArray()};
        QFile table(QStringLiteral(VELM_DATA_DIR "/arrlpre2.txt"));
        QVERIFY(table.open(QIODevice::ReadOnly));
        r.write(QStringLiteral("arrlpre2.txt"), table.readAll());
        QVERIFY(r.form->LoadPrefixTable());
        Form1& form = *r.form;

        Totals totals;
        work(r, k20, int(std::size(k20)), totals);
        form.mnuBand40Ch->trigger();
        form.txtCall->setFocus();
        work(r, k40, int(std::size(k40)), totals);

        // A second contact with W1AW on 40 m is refused and logs nothing.
        type(QStringLiteral("w1aw"));
        QTest::keyClick(form.txtCall, Qt::Key_Tab);
        QVERIFY(form.lblDialog->text().startsWith(QStringLiteral("Duplicate W1AW ")));
        r.fakes.clock.advanceMs(5000);
        QTest::qWait(80);

        form.mnuBand80Ch->trigger();
        form.txtCall->setFocus();
        work(r, k80, int(std::size(k80)), totals);

        QCOMPARE(totals.contacts, 30);
        QCOMPARE(form.multipliers().totalMultipliers(), totals.multipliers);
        const QString score = QLocale(QLocale::English).toString(qint64(totals.points) * totals.multipliers);
        QCOMPARE(form.lblTotScore->text(), score);
        const QByteArray log = r.read(QStringLiteral("log.txt"));
        QCOMPARE(log.count("\r\n"), 30);
        QVERIFY(log.startsWith("\"W1AW\",\"559\",\"1234\",\"559\",\"CT\",\""));
        QVERIFY(log.contains("\"DL1ABC\",\"559\",\"5W\",\"559\",\"Germany\",\""));
        QVERIFY(log.contains(",\"CW\",\"80\",5,\"\"\r\n"));

        // Start again from the files alone.
        r.form.reset();
        r.fakes.prompts.yesNoAnswers = {true};
        r.fakes.prompts.inputAnswers = {QStringLiteral("4")};
        QVERIFY(r.window().startUp());
        Form1& again = *r.form;
        QCOMPARE(again.logStore().QsoCount(), 30);
        QCOMPARE(again.logStore().PointsTotal(), totals.points);
        QCOMPARE(again.multipliers().totalMultipliers(), totals.multipliers);
        QCOMPARE(again.lblTotScore->text(), score);
        QCOMPARE(again.Label24->text(), QStringLiteral("80"));
        QCOMPARE(r.read(QStringLiteral("log.txt")), log);
    }
};

QTEST_MAIN(TestContest)
#include "tst_contest.moc"
