// The station window: key rules, country completion, Done, and what a screen reader hears.

#include "log/SharedPreferences.h"
#include "log/ui/frmStationID.h"
#include "support/FakePrompts.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {

// A few countries in the order a prefix table might hold them; completion searches from the last one.
class FakeCountries final : public CountrySource {
public:
    std::optional<CountryMatch> completeCountry(const QString& typed) const override
    {
        const std::vector<CountryMatch> table = {{QStringLiteral("Georgia"), -44.0f, 42.0f, QStringLiteral("AS")},
                                                 {QStringLiteral("Germany"), -10.0f, 51.0f, QStringLiteral("EU")},
                                                 {QStringLiteral("Japan"), -140.0f, 36.0f, QStringLiteral("AS")}};
        for (auto entry = table.rbegin(); entry != table.rend(); ++entry) {
            if (entry->country.startsWith(typed, Qt::CaseSensitive))
                return *entry;
        }
        return std::nullopt;
    }
};

struct Station {
    Station()
    {
        shared.OpenSharedPreferences(dir.filePath(QStringLiteral("SharedUserPreferences.xml")));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QTemporaryDir dir;
    test::FakePrompts prompts;
    SharedPreferences shared;
    FakeCountries countries;
    frmStationID window{prompts, shared, &countries};
};

} // namespace

class TestStationId : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyRules_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("call upper-cased") << "Text1" << "k1abc/p" << "K1ABC/P";
        QTest::newRow("S/P/C upper-cased") << "Text5" << "ct" << "CT";
        QTest::newRow("VELM upper-cased") << "Text8" << "5w" << "5W";
        QTest::newRow("continent upper-cased") << "Text7" << "na" << "NA";
        QTest::newRow("UTC takes - . / and digits only") << "Text6" << "-5.5a/+ 1" << "-5.5/1";
        QTest::newRow("longitude takes anything") << "Text3" << "abc" << "abc";
    }
    void keyRules()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Station s;
        auto* edit = s.window.findChild<QLineEdit*>(field);
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), shown);
    }

    void countryCompletesAndFillsPosition()
    {
        Station s;
        s.window.Text2->setFocus();
        QTest::keyClicks(s.window.Text2, QStringLiteral("ge"));
        // "g" at the start is upper-cased; "Ge" then finds Germany first, counting from the end.
        QCOMPARE(s.window.Text2->text(), QStringLiteral("Germany"));
        QCOMPARE(s.window.Text2->selectedText(), QStringLiteral("rmany"));
        QCOMPARE(s.window.Text3->text(), QStringLiteral("-10"));
        QCOMPARE(s.window.Text4->text(), QStringLiteral("51"));
        QCOMPARE(s.window.Text7->text(), QStringLiteral("EU"));
        QTest::keyClicks(s.window.Text2, QStringLiteral("o"));
        QCOMPARE(s.window.Text2->text(), QStringLiteral("Georgia"));
        QCOMPARE(s.window.Text7->text(), QStringLiteral("AS"));
        // Letter case is compared exactly after the first letter: "GE" matches nothing.
        s.window.Text2->clear();
        QTest::keyClicks(s.window.Text2, QStringLiteral("GE"));
        QCOMPARE(s.window.Text2->text(), QStringLiteral("GE"));
    }

    void noTableCompletesNothing()
    {
        QTemporaryDir dir;
        test::FakePrompts prompts;
        SharedPreferences shared;
        frmStationID window(prompts, shared, nullptr);
        window.show();
        QTest::keyClicks(window.Text2, QStringLiteral("germ"));
        QCOMPARE(window.Text2->text(), QStringLiteral("Germ"));
    }

    void doneNormalisesNumbersAndWritesSharedFileOnce()
    {
        Station s;
        s.window.setFields(StationFields{QStringLiteral("K1ABC"), QStringLiteral("CT"), QStringLiteral("x"),
                                         QStringLiteral("USA"), QStringLiteral("abc"), QStringLiteral("41.5"),
                                         QStringLiteral("NA"), QStringLiteral("1234")});
        s.window.Command1->click();
        QCOMPARE(s.window.result(), int(QDialog::Accepted));
        const StationFields done = s.window.fields();
        QCOMPARE(done.Text6, QStringLiteral("0"));
        QCOMPARE(done.Text3, QStringLiteral("0"));
        QCOMPARE(done.Text4, QStringLiteral("41.5"));
        QFile file(s.dir.filePath(QStringLiteral("SharedUserPreferences.xml")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (const char* line : {"<OWN_CALL>K1ABC</OWN_CALL>", "<OWN_SPC>CT</OWN_SPC>", "<OWN_UTC>0</OWN_UTC>",
                                 "<OWN_COUNTRY>USA</OWN_COUNTRY>", "<OWN_LONGITUDE>0</OWN_LONGITUDE>",
                                 "<OWN_LATITUDE>41.5</OWN_LATITUDE>", "<OWN_CONTINENT>NA</OWN_CONTINENT>",
                                 "<OWN_VELM>1234</OWN_VELM>"})
            QVERIFY2(bytes.contains(QByteArray(line) + "\r\n"), line);
        QVERIFY(s.window.sharedSaveError().isEmpty());
    }

    void enterMeansDoneOnlyInSomeFields()
    {
        Station s;
        s.window.Text3->setFocus();
        QTest::keyClick(s.window.Text3, Qt::Key_Return);
        QVERIFY(s.window.isVisible());
        s.window.Text7->setFocus();
        QTest::keyClick(s.window.Text7, Qt::Key_Return);
        QVERIFY(!s.window.isVisible());
        QCOMPARE(s.window.result(), int(QDialog::Accepted));
    }

    void leavingANonNumericOffsetBeepsAndReturns()
    {
        Station s;
        s.window.Text6->setFocus();
        s.window.Text6->setText(QStringLiteral("-"));
        s.window.Text2->setFocus();
        QCOMPARE(s.prompts.beeps, 1);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.window.Text6));
        s.window.Text6->setText(QStringLiteral("-3.5"));
        s.window.Text2->setFocus();
        QCOMPARE(s.prompts.beeps, 1);
    }

    void fieldsAreNamedForScreenReaders()
    {
        Station s;
        QCOMPARE(QAccessible::queryAccessibleInterface(s.window.Text6)->text(QAccessible::Name),
                 QStringLiteral("Hours added for UTC"));
        QCOMPARE(QAccessible::queryAccessibleInterface(s.window.Text1)->text(QAccessible::Name),
                 QStringLiteral("Please Enter your Call Sign"));
        QCOMPARE(s.window.windowTitle(), QStringLiteral(" Amateur Station I.D."));
    }
};

QTEST_MAIN(TestStationId)
#include "tst_stationid.moc"
