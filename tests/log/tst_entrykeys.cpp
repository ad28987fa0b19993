// The entry row's per-key rules without a window: keys typed one after another into whichever field the
// rules leave the focus in, the automatic advance, the per-field filters, and the order of the effects.

#include "log/EntryKeys.h"
#include "log/LogStore.h"

#include <QtTest>

using namespace velm;
using namespace velm::entry_effect;

Q_DECLARE_METATYPE(velm::EntryField)
Q_DECLARE_METATYPE(velm::KeyDisposition)

namespace {

const QByteArray kCountries = "\"DL\",\"Germany\",\"EU\",-10,51,14,28,230\r\n"
                              "\"VE\",\"Canada\",\"NA\",78.75,44.35,5,9,1\r\n";

constexpr EntryField kRow[] = {EntryField::Call, EntryField::RstRcvd, EntryField::Spc, EntryField::VelmPwr,
                               EntryField::RstSnt};
constexpr int kNextControl = -1; // the focus went on to the next control of the window's tab order

// A field written as the test reads it: "K1|ABC" has the caret after K1, "Ger[many]" the end selected;
// with neither, the caret is after the text.
FieldState field(const QString& shown)
{
    QString text = shown;
    const qsizetype open = text.indexOf(QLatin1Char('['));
    if (open >= 0) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        text.remove(close, 1).remove(open, 1);
        return FieldState::selected(text, int(open), int(close - open - 1));
    }
    const qsizetype caret = text.indexOf(QLatin1Char('|'));
    if (caret < 0)
        return FieldState::at(text);
    return FieldState::at(text.remove(caret, 1), int(caret));
}

QString shown(const FieldState& state)
{
    QString text = state.text;
    if (state.hasSelection())
        return text.insert(state.selectionStart + state.selectionLength, QLatin1Char(']'))
            .insert(state.selectionStart, QLatin1Char('['));
    return text.insert(state.cursor, QLatin1Char('|'));
}

EntryKey keyOf(QChar c)
{
    if (c == QLatin1Char('\r'))
        return EntryKey::enter();
    if (c == QLatin1Char('\b'))
        return EntryKey::backspace();
    return EntryKey::character(c);
}

EntryKeyContext loggedOn(bool on = true)
{
    EntryKeyContext context;
    context.loggedOn = on;
    return context;
}

struct Typed {
    EntryRowState row;
    std::optional<EntryField> focus;
    int commits = 0, beeps = 0;
    QList<EntryEffect> lastEffects;
};

// Each key goes to the field the keys before it left the focus in, as at the keyboard.
Typed typeInto(const EntryKeys& rules, EntryRowState row, EntryField field, const QString& keys,
               const EntryKeyContext& context)
{
    Typed typed{std::move(row), field, 0, 0, {}};
    for (const QChar c : keys) {
        if (!typed.focus)
            break;
        const EntryKeyOutcome outcome = rules.press(typed.row, *typed.focus, keyOf(c), context);
        typed.row = outcome.row;
        typed.focus = outcome.focus;
        typed.lastEffects = outcome.effects;
        for (const EntryEffect& effect : outcome.effects) {
            typed.commits += std::holds_alternative<Commit>(effect);
            const auto* dupes = std::get_if<ShowPossibleDupes>(&effect);
            typed.beeps += std::holds_alternative<Beep>(effect) || (dupes && dupes->result.beep);
        }
    }
    return typed;
}

QStringList texts(const EntryRowState& row)
{
    QStringList all;
    for (const EntryField which : kRow)
        all.append(row.field(which).text);
    return all;
}

} // namespace

class TestEntryKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_countries.loadFromBytes(kCountries)); }

    void typing_data()
    {
        QTest::addColumn<QString>("options"); // "PH": phone report length; "countries": a prefix table
        QTest::addColumn<EntryField>("field");
        QTest::addColumn<QStringList>("start"); // call, report received, S/P/C, member number, report sent
        QTest::addColumn<QString>("keys");      // "\r" Enter, "\b" Backspace
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("focus");     // EntryField, or kNextControl
        QTest::addColumn<QString>("caret"); // the focused field as in field(); empty: not looked at
        QTest::addColumn<int>("commits");
        QTest::addColumn<int>("beeps");
        const QStringList empty{"", "", "", "", ""};
        const auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
        const int call = int(EntryField::Call), rstr = int(EntryField::RstRcvd), spc = int(EntryField::Spc),
                  sec = int(EntryField::VelmPwr), rsts = int(EntryField::RstSnt);

        // Automatic advance out of the call field.
        row("W1ABC579") << "" << EntryField::Call << empty << "w1abc579"
                        << QStringList{"W1ABC", "579", "", "", ""} << rstr << "579|" << 0 << 0;
        row("a whole contact") << "" << EntryField::Call << empty << "w1abc579ny1234 579"
                               << QStringList{"W1ABC", "579", "NY", "1234", "579"} << rsts << "579|" << 0
                               << 0;
        row("slash stops the advance")
            << "" << EntryField::Call << empty << "k1abc/45" << QStringList{"K1ABC/45", "", "", "", ""}
            << call << "K1ABC/45|" << 0 << 0;
        row("then Space moves on") << "" << EntryField::Call << empty << "k1abc/45 "
                                   << QStringList{"K1ABC/45", "", "", "", ""} << rstr << "" << 0 << 0;
        row("DL1 never advances") << "" << EntryField::Call << empty << "dl15"
                                  << QStringList{"DL15", "", "", "", ""} << call << "" << 0 << 0;
        row("DL1ABC advances") << "" << EntryField::Call << empty << "dl1abc5"
                               << QStringList{"DL1ABC", "5", "", "", ""} << rstr << "5|" << 0 << 0;
        row("digit inside the call stays")
            << "" << EntryField::Call << QStringList{"W1|ABC", "", "", "", ""} << "5"
            << QStringList{"W15ABC", "", "", "", ""} << call << "W15|ABC" << 0 << 0;
        row("digit over a selection stays")
            << "" << EntryField::Call << QStringList{"W1A[BC]", "", "", "", ""} << "5"
            << QStringList{"W1A5", "", "", "", ""} << call << "" << 0 << 0;
        row("carried digit replaces the report")
            << "" << EntryField::Call << QStringList{"W1ABC", "[559]", "", "", ""} << "5"
            << QStringList{"W1ABC", "5", "", "", ""} << rstr << "5|" << 0 << 0;
        row("double quote refused in the call")
            << "" << EntryField::Call << empty << "k1\"ab" << QStringList{"K1AB", "", "", "", ""} << call
            << "" << 0 << 0;
        row("Backspace in the call") << "" << EntryField::Call << empty << "k1abx\b"
                                     << QStringList{"K1AB", "", "", "", ""} << call << "K1AB|" << 0 << 0;
        row("short call empties the S/P/C")
            << "" << EntryField::Call << QStringList{"K", "", "Germany", "", ""} << "1"
            << QStringList{"K1", "", "", "", ""} << call << "" << 0 << 0;

        // Report received.
        row("letter starts the S/P/C")
            << "" << EntryField::RstRcvd << QStringList{"W1ABC", "599", "Germany", "", ""} << "c"
            << QStringList{"W1ABC", "599", "C", "", ""} << spc << "C|" << 0 << 0;
        row("report received Space") << "" << EntryField::RstRcvd << empty << "5 "
                                     << QStringList{"", "5", "", "", ""} << spc << "" << 0 << 0;
        row("report received digits only") << "" << EntryField::RstRcvd << empty << "5-9"
                                           << QStringList{"", "59", "", "", ""} << rstr << "" << 0 << 0;
        row("CW report length") << "" << EntryField::RstRcvd << empty << "5995"
                                << QStringList{"", "599", "", "", ""} << rstr << "599|" << 0 << 0;
        row("phone report length") << "PH" << EntryField::RstRcvd << empty << "595"
                                   << QStringList{"", "59", "", "", ""} << rstr << "" << 0 << 0;
        row("default report replaced")
            << "" << EntryField::RstRcvd << QStringList{"", "[559]", "", "", ""} << "579"
            << QStringList{"", "579", "", "", ""} << rstr << "579|" << 0 << 0;
        row("longer report kept after a mode change")
            << "PH" << EntryField::RstRcvd << QStringList{"", "599|", "", "", ""} << "\b"
            << QStringList{"", "59", "", "", ""} << rstr << "" << 0 << 0;

        // S/P/C.
        row("ny upper-cased") << "" << EntryField::Spc << empty << "ny" << QStringList{"", "", "NY", "", ""}
                              << spc << "NY|" << 0 << 0;
        row("typing at the start replaces")
            << "" << EntryField::Spc << QStringList{"", "", "|CT", "", ""} << "n"
            << QStringList{"", "", "N", "", ""} << spc << "N|" << 0 << 0;
        row("Backspace at the start keeps it")
            << "" << EntryField::Spc << QStringList{"", "", "|CT", "", ""} << "\b"
            << QStringList{"", "", "CT", "", ""} << spc << "|CT" << 0 << 0;
        row("GE then r gives Ger") << "" << EntryField::Spc << QStringList{"", "", "GE", "", ""} << "r"
                                   << QStringList{"", "", "Ger", "", ""} << spc << "Ger|" << 0 << 0;
        row("country completed") << "countries" << EntryField::Spc << empty << "ger"
                                 << QStringList{"", "", "Germany", "", ""} << spc << "Ger[many]" << 0 << 0;
        row("completion takes each key")
            << "countries" << EntryField::Spc << empty << "germ" << QStringList{"", "", "Germany", "", ""}
            << spc << "Germ[any]" << 0 << 0;
        row("no country: the key is typed") << "countries" << EntryField::Spc << empty << "gex"
                                            << QStringList{"", "", "Gex", "", ""} << spc << "Gex|" << 0 << 0;
        row("Space at the start moves on")
            << "" << EntryField::Spc << empty << " " << empty << sec << "" << 0 << 0;
        row("Space after a section moves on") << "countries" << EntryField::Spc << empty << "ge "
                                              << QStringList{"", "", "GE", "", ""} << sec << "" << 0 << 0;
        row("digit starts the member number")
            << "" << EntryField::Spc << QStringList{"", "", "NY", "1234", ""} << "5"
            << QStringList{"", "", "NY", "5", ""} << sec << "5|" << 0 << 0;
        row("double quote refused in the S/P/C") << "" << EntryField::Spc << empty << "c\"t"
                                                 << QStringList{"", "", "CT", "", ""} << spc << "" << 0 << 0;

        // Member number and report sent.
        row("member number upper-cased") << "" << EntryField::VelmPwr << empty << "5w\" "
                                         << QStringList{"", "", "", "5W", ""} << rsts << "" << 0 << 0;
        row("cut numbers 5NN") << "" << EntryField::RstSnt << empty << "5nn"
                               << QStringList{"", "", "", "", "599"} << rsts << "599|" << 0 << 0;
        row("cut numbers 5TT") << "" << EntryField::RstSnt << empty << "5TT"
                               << QStringList{"", "", "", "", "500"} << rsts << "" << 0 << 0;
        row("other letters refused") << "" << EntryField::RstSnt << QStringList{"", "", "|CT", "", "5"} << "x"
                                     << QStringList{"", "", "CT", "", "5"} << rsts << "5|" << 0 << 1;
        row("phone report sent length") << "PH" << EntryField::RstSnt << empty << "5n9"
                                        << QStringList{"", "", "", "", "59"} << rsts << "" << 0 << 0;
        row("report sent Space") << "" << EntryField::RstSnt << empty << "599 "
                                 << QStringList{"", "", "", "", "599"} << kNextControl << "" << 0 << 0;

        // Enter commits from every field, the key itself typed nowhere.
        const QStringList full{"K1ABC", "599", "CT", "5W", "599"};
        for (const EntryField which : kRow) {
            QTest::addRow("Enter in field %d", int(which))
                << "" << which << full << "\r" << full << int(which) << "" << 1 << 0;
        }
        row("Enter in the post-contest time") << "" << EntryField::PostConTime << empty << "\r" << empty
                                              << int(EntryField::PostConTime) << "" << 1 << 0;
        row("logged off, each call key beeps") << "off" << EntryField::Call << empty << "k1\r"
                                               << QStringList{"K1", "", "", "", ""} << call << "" << 1 << 3;
    }

    void typing()
    {
        QFETCH(QString, options);
        QFETCH(EntryField, field);
        QFETCH(QStringList, start);
        QFETCH(QString, keys);
        QFETCH(QStringList, texts);
        QFETCH(int, focus);
        QFETCH(QString, caret);
        QFETCH(int, commits);
        QFETCH(int, beeps);

        const EntryKeys rules(m_store, options == QLatin1String("countries") ? m_countries : m_noCountries);
        EntryKeyContext context;
        context.loggedOn = options != QLatin1String("off");
        context.reportLength = options == QLatin1String("PH") ? 2 : 3;
        context.band = QStringLiteral("20");
        EntryRowState row;
        for (int i = 0; i < 5; ++i)
            row.field(kRow[i]) = ::field(start.at(i));

        const Typed typed = typeInto(rules, row, field, keys, context);
        QCOMPARE(::texts(typed.row), texts);
        QCOMPARE(typed.focus ? int(*typed.focus) : kNextControl, focus);
        if (!caret.isEmpty())
            QCOMPARE(shown(typed.row.field(*typed.focus)), caret);
        QCOMPARE(typed.commits, commits);
        QCOMPARE(typed.beeps, beeps);
        QCOMPARE(typed.row.advance, AdvanceState::Idle); // no advance outlives its key
    }

    void postContestFields_data()
    {
        QTest::addColumn<EntryField>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("time") << EntryField::PostConTime << "9:30"
                              << "9:30";
        QTest::newRow("time refuses letters and /") << EntryField::PostConTime << "9a/3"
                                                    << "93";
        QTest::newRow("date") << EntryField::PostConDate << "2011/03/05"
                              << "2011/03/05";
        QTest::newRow("date refuses :") << EntryField::PostConDate << "2011:3"
                                        << "20113";
    }
    void postContestFields()
    {
        QFETCH(EntryField, field);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        const EntryKeys rules(m_store, m_noCountries);
        Typed typed = typeInto(rules, {}, field, keys, loggedOn());
        QCOMPARE(typed.row.field(field).text, text);
        typed = typeInto(rules, typed.row, field, QStringLiteral(" "), loggedOn());
        QVERIFY(!typed.focus);
        QCOMPARE(typed.lastEffects, QList<EntryEffect>{FocusNext{}});
    }

    // What the field does with the key itself: the window lets it type a key it takes as typed (so its own
    // editing, undo included, applies), and inserts a changed one.
    void disposition_data()
    {
        QTest::addColumn<EntryField>("field");
        QTest::addColumn<QString>("key");
        QTest::addColumn<KeyDisposition>("disposition");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("capital in the call") << EntryField::Call << "A" << KeyDisposition::ToField << "";
        QTest::newRow("small letter in the call") << EntryField::Call << "a" << KeyDisposition::Insert << "A";
        QTest::newRow("Backspace") << EntryField::Call << "\b" << KeyDisposition::ToField << "";
        QTest::newRow("digit in the report") << EntryField::RstSnt << "5" << KeyDisposition::ToField << "";
        QTest::newRow("cut number") << EntryField::RstSnt << "n" << KeyDisposition::Insert << "9";
        QTest::newRow("S/P/C keeps the case past two")
            << EntryField::Spc << "X" << KeyDisposition::ToField << "";
        QTest::newRow("Enter") << EntryField::VelmPwr << "\r" << KeyDisposition::Consumed << "";
    }
    void disposition()
    {
        QFETCH(EntryField, field);
        QFETCH(QString, key);
        QFETCH(KeyDisposition, disposition);
        QFETCH(QString, inserted);
        EntryRowState row;
        row.spc = FieldState::at(QStringLiteral("Ca"));
        const EntryKeyOutcome outcome =
            EntryKeys(m_store, m_noCountries).press(row, field, keyOf(key.at(0)), loggedOn());
        QCOMPARE(outcome.disposition, disposition);
        QCOMPARE(outcome.inserted.isNull() ? QString() : QString(outcome.inserted), inserted);
    }

    // A carried key is written before the focus follows it (the call field's leaving rules then see the
    // report already there and leave it); messages come after the move, the commit after the messages.
    void effectsInOrder()
    {
        const EntryKeys rules(m_store, m_countries);
        EntryRowState row;
        row.call = FieldState::at(QStringLiteral("W1ABC"));
        QCOMPARE(rules.press(row, EntryField::Call, EntryKey::character(u'5'), loggedOn()).effects,
                 (QList<EntryEffect>{SetField{EntryField::RstRcvd, FieldState::at(QStringLiteral("5"))},
                                     FocusTo{EntryField::RstRcvd}}));
        const ShowMessage timeOn{QStringLiteral("Click Log \"Time On\"!")};
        QCOMPARE(rules.press(row, EntryField::Call, EntryKey::character(u'5'), loggedOn(false)).effects,
                 (QList<EntryEffect>{SetField{EntryField::RstRcvd, FieldState::at(QStringLiteral("5"))},
                                     FocusTo{EntryField::RstRcvd}, timeOn, Beep{}}));
        QCOMPARE(rules.press(row, EntryField::Call, EntryKey::enter(), loggedOn(false)).effects,
                 (QList<EntryEffect>{timeOn, Beep{}, Commit{}}));

        QCOMPARE(rules.press(row, EntryField::RstRcvd, EntryKey::character(u'g'), loggedOn()).effects,
                 (QList<EntryEffect>{SetField{EntryField::Spc, FieldState::at(QStringLiteral("G"))},
                                     FocusTo{EntryField::Spc}}));
        row.spc = FieldState::at(QStringLiteral("GE"));
        const EntryKeyOutcome completed =
            rules.press(row, EntryField::Spc, EntryKey::character(u'r'), loggedOn());
        QCOMPARE(completed.effects.size(), 3);
        QCOMPARE(
            completed.effects.at(1),
            EntryEffect(SetField{EntryField::Spc, FieldState::selected(QStringLiteral("Germany"), 3, 4)}));
        const auto* lookup = std::get_if<ShowLookup>(&completed.effects.at(2));
        QVERIFY(lookup);
        QCOMPARE(lookup->continent, QStringLiteral("EU"));
        QVERIFY(!lookup->bearing.isEmpty() && !lookup->miles.isEmpty());
    }

    // The scan sees the call as it was before the key, and the key upper-cased, on the current band only.
    void possibleDuplicates()
    {
        LogStore store;
        store.add({"K1ABC", "599", "1234", "599", "CT", "2011/03/05", "14:00:00", "CW", "20", 5, ""});
        const EntryKeys rules(store, m_noCountries);
        EntryRowState row;
        row.call = FieldState::at(QStringLiteral("K1AB"));
        EntryKeyContext context = loggedOn();
        for (const char* band : {"20", "40"}) {
            context.band = QString::fromLatin1(band);
            const EntryKeyOutcome outcome =
                rules.press(row, EntryField::Call, EntryKey::character(u'c'), context);
            QCOMPARE(outcome.effects.size(), 1);
            const auto* dupes = std::get_if<ShowPossibleDupes>(&outcome.effects.first());
            QVERIFY(dupes);
            QCOMPARE(dupes->result.list,
                     context.band == QLatin1String("20") ? QStringLiteral("K1ABC ") : QString());
            QCOMPARE(outcome.row.call.text, QStringLiteral("K1ABC"));
        }
    }

private:
    LogStore m_store;
    PrefixTable m_countries, m_noCountries;
};

QTEST_MAIN(TestEntryKeys)
#include "tst_entrykeys.moc"
