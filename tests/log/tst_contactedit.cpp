// Correcting a logged contact: key rules, field checks, Done's duplicate and S/P/C tests, the record stored.

#include "log/ContactEdit.h"
#include "log/StationProfile.h"

#include <QtTest>

using namespace velm;

namespace {

QsoRecord contact(const char* call, const char* band, double points = 5)
{
    return {QString::fromLatin1(call),  QStringLiteral("559"),
            QStringLiteral("1234"),     QStringLiteral("559"),
            QStringLiteral("CT"),       QStringLiteral("2011/03/05"),
            QStringLiteral("14:05:33"), QStringLiteral("CW"),
            QString::fromLatin1(band),  points,
            QStringLiteral("7.025")};
}

// Countries in table order; the search runs from the last one down.
class Countries final : public CountrySource {
public:
    std::optional<CountryMatch> completeCountry(const QString& typed) const override
    {
        for (const char* name : {"Ghana", "Germany"}) {
            if (QString::fromLatin1(name).startsWith(typed))
                return CountryMatch{QString::fromLatin1(name), 0, 0, QStringLiteral("EU")};
        }
        return std::nullopt;
    }
};

} // namespace

class TestContactEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyRules()
    {
        QCOMPARE(editFieldKey(EditKeyRule::UpperCase, QLatin1Char('"')), std::nullopt);
        QCOMPARE(editFieldKey(EditKeyRule::AnyCase, QLatin1Char('y')), QChar(QLatin1Char('y')));
        QCOMPARE(editFieldKey(EditKeyRule::Date, QLatin1Char(':')), std::nullopt);
        QCOMPARE(editFieldKey(EditKeyRule::Points, QLatin1Char('e')), QChar(QLatin1Char('E')));
    }

    void datesAndTimes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("date");
        QTest::addColumn<bool>("time");
        QTest::newRow("two-digit year") << "3/5/11" << true << false;
        QTest::newRow("leap day, no year") << "2/29" << true << false;
        QTest::newRow("no such day") << "2011/02/30" << false << false;
        QTest::newRow("no month 13 either way") << "13/13/2011" << false << false;
        QTest::newRow("post-contest") << "9:05" << false << true;
        QTest::newRow("hour 24") << "24:00" << false << false;
        QTest::newRow("hour only") << "14" << false << false;
    }
    void datesAndTimes()
    {
        QFETCH(QString, text);
        QTEST(readsAsDate(text), "date");
        QTEST(readsAsTime(text), "time");
    }

    void countryCompletionComparesCaseExactly()
    {
        const Countries countries;
        // At the start the field is emptied and the key upper-cased; the last matching entry wins.
        const auto first = editSpcKey(QStringLiteral("CT"), 0, QLatin1Char('g'), &countries);
        QVERIFY(first);
        QCOMPARE(first->text, QStringLiteral("Ghana"));
        QCOMPARE(first->selectionStart, 1);
        QCOMPARE(first->selectionLength, 4);
        const auto second = editSpcKey(QStringLiteral("Ghana"), 1, QLatin1Char('e'), &countries);
        QVERIFY(second);
        QCOMPARE(second->text, QStringLiteral("Germany"));
        QCOMPARE(editSpcKey(QStringLiteral("Ghana"), 1, QLatin1Char('E'), &countries), std::nullopt);
        const auto none = editSpcKey(QString(), 0, QLatin1Char('n'), nullptr);
        QVERIFY(none);
        QCOMPARE(none->text, QStringLiteral("N"));
    }

    void doneChecksWhatEnterSkipsPast()
    {
        LogStore store;
        QVERIFY(store.add(contact("K1ABC", "40")) && store.add(contact("W1AW", "20")));
        ContactEditFields fields = contactEditFieldsFrom(store.record(2));
        // Enter in a field runs Done without leaving it: the leave-field rules still hold.
        fields.txtEditPre = QStringLiteral("ny");
        fields.Text2 = QStringLiteral("X");
        EditDoneResult done = contactEditDone(store, 2, fields);
        QVERIFY(done.record);
        QCOMPARE(done.record->Spc, QStringLiteral("NY"));
        QCOMPARE(done.record->Points, 0.0);
        QCOMPARE(done.record->Frequency, QStringLiteral("7.025"));
        // Would carry PointsTotal past 32 bits, and the file could never be reloaded.
        fields.Text2 = QStringLiteral("5E+200");
        QCOMPARE(contactEditDone(store, 2, fields).stop, EditStop::Points);
        fields.Text2 = QStringLiteral("5");
        fields.Text1 = QStringLiteral("40m");
        QCOMPARE(contactEditDone(store, 2, fields).stop, EditStop::Band);
        fields.Text1 = QStringLiteral("20");
        fields.txtEditBnd = QStringLiteral("CW ");
        QCOMPARE(contactEditDone(store, 2, fields).stop, EditStop::Mode);
    }

    void doneFindsDuplicatesAndBadCodes()
    {
        LogStore store;
        QVERIFY(store.add(contact("K1ABC", "40")) && store.add(contact("K1ABC", "20")));
        ContactEditFields fields = contactEditFieldsFrom(store.record(2));
        QVERIFY(contactEditDone(store, 2, fields).duplicates.isEmpty()); // itself is no duplicate
        fields.Text1 = QStringLiteral("40");
        fields.txtEditPre = QStringLiteral("Xy");
        const EditDoneResult done = contactEditDone(store, 2, fields);
        QCOMPARE(done.duplicates, QList<int>{1});
        QVERIFY(done.spcInvalid);
        QVERIFY(!done.record);
        fields.txtEditCall = QStringLiteral("k1abc"); // case counts
        fields.txtEditPre = QStringLiteral("CT");
        QVERIFY(contactEditDone(store, 2, fields).record);
    }
};

QTEST_GUILESS_MAIN(TestContactEdit)
#include "tst_contactedit.moc"
