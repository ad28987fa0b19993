// Reading spot lines: frequency and call by tokens against the fixed columns on the reference lines, the
// frequency test, CallPrefix; turning received bytes into lines; the traffic box's trim and recent test.

#include "spots/LineAssembler.h"
#include "spots/SpotLine.h"
#include "spots/TrafficBox.h"
#include "support/ReferenceSpots.h"

#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

QStringList linesOf(LineAssembler& assembler, const QList<QByteArray>& reads)
{
    std::vector<ReceivedLine> lines;
    for (const QByteArray& read : reads)
        assembler.feed(read, lines);
    QStringList texts;
    for (const ReceivedLine& line : lines)
        texts << (line.cut ? QStringLiteral("CUT:") : QString()) + line.text;
    return texts;
}

} // namespace

class TestSpotParsing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void referenceLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("standardColumns");
        for (const ReferenceSpot& spot : kReferenceSpots)
            QTest::newRow(spot.line + 6)
                << QString::fromLatin1(spot.line) << QString::fromLatin1(spot.frequency)
                << QString::fromLatin1(spot.call) << spot.standardColumns;
    }
    void referenceLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, frequency);
        QFETCH(QString, call);
        QFETCH(bool, standardColumns);
        const SpotFields expected{frequency, call};
        QCOMPARE(spotFields(line), expected);
        QCOMPARE(spotFields(line + QStringLiteral("\r\n")), expected);
        QCOMPARE(spotFields(QLatin1Char(' ') + line), expected); // AGW data with a leading blank
        QVERIFY(spotFrequencyKhz(frequency).has_value());
        // Without the spotter's colon the columns are read; on a standard line they agree with the tokens.
        if (standardColumns) {
            QString noColon = line;
            noColon[noColon.indexOf(QLatin1Char(':'))] = QLatin1Char(' ');
            QCOMPARE(spotFields(noColon), expected);
        }
    }

    void fieldsWithoutTokens_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("call");
        QTest::newRow("colon only in the comment: columns")
            << QStringLiteral("DX de K1ABC      14025.0  DL1ABC       QSX: 14030  1812Z") << "14025.0"
            << "DL1ABC";
        QTest::newRow("no call") << QStringLiteral("DX de K1ABC:     14025.0") << "14025.0"
                                 << "";
        QTest::newRow("nothing after the colon") << QStringLiteral("DX de K1ABC:") << ""
                                                 << "";
        QTest::newRow("short line") << QStringLiteral("DX") << ""
                                    << "";
        QTest::newRow("spotter glued to the frequency")
            << QStringLiteral("DX de VERYLONGCALL-#:14025.0 DL1ABC") << "14025.0"
            << "DL1ABC";
    }
    void fieldsWithoutTokens()
    {
        QFETCH(QString, line);
        QFETCH(QString, frequency);
        QFETCH(QString, call);
        QCOMPARE(spotFields(line), (SpotFields{frequency, call}));
    }

    void frequencyTest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("khz"); // 0: refused
        QTest::newRow("one decimal") << "14025.0" << 14025.0;
        QTest::newRow("whole") << "7005" << 7005.0;
        QTest::newRow("three decimals") << "7005.125" << 7005.125;
        QTest::newRow("10 GHz") << "10368100.0" << 10368100.0;
        QTest::newRow("just below 300 GHz") << "299999999.9" << 299999999.9;
        QTest::newRow("300 GHz") << "300000000" << 0.0;
        QTest::newRow("nan") << "nan" << 0.0;
        QTest::newRow("inf") << "inf" << 0.0;
        QTest::newRow("exponent") << "1e9" << 0.0;
        QTest::newRow("negative") << "-7005" << 0.0;
        QTest::newRow("plus") << "+7005" << 0.0;
        QTest::newRow("zero") << "0.0" << 0.0;
        QTest::newRow("comma") << "7005,5" << 0.0;
        QTest::newRow("two points") << "7.005.5" << 0.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("blank inside") << "70 05" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("hex") << "0x1B" << 0.0;
        QTest::newRow("huge digit run") << QString(400, QLatin1Char('9')) << 0.0;
    }
    void frequencyTest()
    {
        QFETCH(QString, text);
        QFETCH(double, khz);
        const std::optional<double> value = spotFrequencyKhz(text);
        QCOMPARE(value.has_value(), khz != 0);
        if (value)
            QCOMPARE(*value, khz);
    }

    void callPrefix_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("two characters") << "K1"
                                        << "";
        QTest::newRow("no digits") << "ABC"
                                   << "ABC";
        QTest::newRow("one letter") << "K1ABC"
                                    << "K1";
        QTest::newRow("two letters") << "DL1ABC"
                                     << "DL1";
        QTest::newRow("digit first") << "4X1AB"
                                     << "4X1";
        QTest::newRow("two digits") << "3B9FR"
                                    << "3B9";
        QTest::newRow("prefix before the slash") << "DL/K1ABC"
                                                 << "DL";
        QTest::newRow("long prefix before the slash") << "VP2V/W1ABC"
                                                      << "VP2V";
        QTest::newRow("new call area") << "K1ABC/2"
                                       << "K2";
        QTest::newRow("portable") << "VP8/G3ZAB/P"
                                  << "P";
        QTest::newRow("maritime mobile") << "KH6/VE7ABCD/MM"
                                         << "MM";
        QTest::newRow("slash at the end") << "K1ABC/"
                                          << "";
        QTest::newRow("digit area, digit first") << "4X1AB/5"
                                                 << "5";
    }
    void callPrefix()
    {
        QFETCH(QString, call);
        QFETCH(QString, prefix);
        QCOMPARE(CallPrefix(call), prefix);
    }

    void assemblesLines_data()
    {
        QTest::addColumn<QList<QByteArray>>("reads");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("LF, CR LF, lone CR")
            << QList<QByteArray>{"one\ntwo\r\nthree\rfour"} << QStringList{"one", "two", "three"};
        QTest::newRow("CR LF split across reads")
            << QList<QByteArray>{"one\r", "\ntwo\r", "\n"} << QStringList{"one", "two"};
        QTest::newRow("empty lines kept") << QList<QByteArray>{"\r\n\r\n"} << QStringList{"", ""};
        QTest::newRow("BEL, NUL keep-alive, DEL, tab")
            << QList<QByteArray>{QByteArray("DX de\x07\x07 K1\0\0\x7F\tX\r\n", 17)}
            << QStringList{"DX de K1 X"};
        QTest::newRow("NUL between CR and LF")
            << QList<QByteArray>{QByteArray("a\r\0\nb\n", 6)} << QStringList{"a", "b"};
        QTest::newRow("ANSI colour before DX") << QList<QByteArray>{"\x1B[33mDX de K1ABC:\x1B[0m 14025.0\r\n"}
                                               << QStringList{"DX de K1ABC: 14025.0"};
        QTest::newRow("ANSI split across reads")
            << QList<QByteArray>{"\x1B", "[1;3", "3mDX\n"} << QStringList{"DX"};
        QTest::newRow("OSC title, charset choice")
            << QList<QByteArray>{"\x1B]0;title\x07\x1B(BDX\n"} << QStringList{"DX"};
        QTest::newRow("Telnet negotiation")
            << QList<QByteArray>{"\xFF\xFB\x01\xFF\xFD\x03login: \xFF\xF9\n"} << QStringList{"login: "};
        QTest::newRow("Telnet subnegotiation split")
            << QList<QByteArray>{"\xFF\xFA\x18\x01", "xterm\xFF", "\xF0ok\n"} << QStringList{"ok"};
        QTest::newRow("Telnet IAC IAC is one byte 255")
            << QList<QByteArray>{"a\xFF\xFF\n"} << QStringList{QString::fromLatin1("a\xFF")};
        QTest::newRow("UTF-8 split across reads")
            << QList<QByteArray>{"Gr\xC3", "\xBC\xC3", "\x9F\n"} << QStringList{QStringLiteral("Grüß")};
        QTest::newRow("Windows-1252")
            << QList<QByteArray>{"caf\xE9\n"} << QStringList{QStringLiteral("café")};
        QTest::newRow("invalid UTF-8 never a replacement character")
            << QList<QByteArray>{"\xC3\x28\n"} << QStringList{QStringLiteral("Ã(")};
    }
    void assemblesLines()
    {
        QFETCH(QList<QByteArray>, reads);
        QFETCH(QStringList, lines);
        LineAssembler telnet(true);
        QCOMPARE(linesOf(telnet, reads), lines);
    }

    void longLinesAreCutAndBounded()
    {
        LineAssembler assembler(true);
        const QByteArray longLine(LineAssembler::kMaxLineBytes + 1, 'x');
        QStringList lines = linesOf(assembler, {longLine.left(3000), longLine.mid(3000), "\r\nnext\r\n"});
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("CUT:") + QString(LineAssembler::kMaxLineBytes, QLatin1Char('x')));
        QCOMPARE(lines[1], QStringLiteral("next"));

        // Exactly the limit is still a whole line.
        QCOMPARE(linesOf(assembler, {longLine.chopped(1) + "\n"}),
                 QStringList{QString(LineAssembler::kMaxLineBytes, QLatin1Char('x'))});

        // A megabyte without a line end holds no more than one line's worth.
        for (int i = 0; i < 256; ++i)
            linesOf(assembler, {QByteArray(4096, 'y')});
        QVERIFY(assembler.pendingWhole().isEmpty());
        QCOMPARE(linesOf(assembler, {"\nafter\n"}), QStringList{"after"});

        // A cut never splits a UTF-8 character.
        const QByteArray umlauts = QByteArray(LineAssembler::kMaxLineBytes - 1, 'a') + "\xC3\xBC\xC3\xBC\n";
        QCOMPARE(linesOf(assembler, {umlauts}),
                 QStringList{QStringLiteral("CUT:") +
                             QString(LineAssembler::kMaxLineBytes - 1, QLatin1Char('a'))});
    }

    void pendingAndFlush()
    {
        LineAssembler assembler(true);
        std::vector<ReceivedLine> lines;
        assembler.feed("login: ", lines);
        QVERIFY(lines.empty());
        QCOMPARE(assembler.pendingWhole(), QByteArrayView("login: "));
        assembler.feed("Gr\xC3", lines);
        QCOMPARE(assembler.pendingWhole(), QByteArrayView("login: Gr")); // the half character waits
        const std::optional<ReceivedLine> cut = assembler.flush();
        QVERIFY(cut && cut->cut);
        QVERIFY(!assembler.flush());
        QVERIFY(assembler.pendingWhole().isEmpty());
    }

    void tncBytes255AreText()
    {
        LineAssembler tnc(false);
        QCOMPARE(linesOf(tnc, {"\xFF\xFB\n"}), QStringList{QString::fromLatin1("\xFF\xFB")});
    }

    void trafficBoxTrim()
    {
        TrafficBox box;
        box.replace(QString(10000, QLatin1Char('a')));
        box.TrimTrafficBox();
        QCOMPARE(box.text().size(), qsizetype(10000));
        QCOMPARE(box.caret(), qsizetype(9999));
        const quint64 rewrites = box.rewriteRevision();
        box.append(QStringLiteral("b"));
        box.TrimTrafficBox(); // 10001 characters: cut to the last 9000
        QCOMPARE(box.text().size(), qsizetype(9000));
        QVERIFY(box.text().endsWith(QStringLiteral("ab")));
        QCOMPARE(box.caret(), qsizetype(8999));
        QVERIFY(box.rewriteRevision() != rewrites);

        box.replace(QStringLiteral("ab"));
        box.TrimTrafficBox();
        QCOMPARE(box.caret(), qsizetype(0)); // fewer than 3: the caret stays

        box.append(QString(20000, QLatin1Char('c'))); // a piece is cut to its last 9000 first
        QCOMPARE(box.text().size(), qsizetype(9002));
    }

    void recentTraffic()
    {
        TrafficBox box;
        box.replace(QStringLiteral("DX de K1ABC: 14025.0 DL1ABC\r\n") + QString(790, QLatin1Char('.')));
        QVERIFY(box.occursInRecent(QStringLiteral("dx de k1abc")) == false); // starts before the last 800
        QVERIFY(box.occursInRecent(QStringLiteral("DL1ABC\r\n")));           // starts within them
        box.replace(QStringLiteral("short DX line"));
        QVERIFY(box.occursInRecent(QStringLiteral("dx LINE")));
    }

    void displayMirror()
    {
        const QString text = QStringLiteral("a\r\nb\rc\nd");
        QCOMPARE(TrafficBox::displayText(text), QStringLiteral("a\nb\nc\nd"));
        QCOMPARE(TrafficBox::displayPosition(text, 0), qsizetype(0));
        QCOMPARE(TrafficBox::displayPosition(text, 3), qsizetype(2)); // "b"
        QCOMPARE(TrafficBox::displayPosition(text, 2), qsizetype(2)); // between CR and LF: after the break
        QCOMPARE(TrafficBox::displayPosition(text, text.size()), qsizetype(7));
    }
};

QTEST_GUILESS_MAIN(TestSpotParsing)
#include "tst_spotparsing.moc"
