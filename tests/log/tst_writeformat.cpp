// Tests of the write format: the line writer, the reader, number and text conversion.

#include "log/WriteFormat.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace velm;

Q_DECLARE_METATYPE(velm::TextEncoding)

namespace {

// Values as a list of strings: quoted values keep their quotes, bare ones are shown as they are.
QStringList describe(const std::vector<WriteValue>& values)
{
    QStringList out;
    for (const WriteValue& value : values)
        out << (value.quoted ? QLatin1Char('"') + value.text() + QLatin1Char('"') : value.text());
    return out;
}

// The lines' values are views into data, which the caller keeps alive.
std::vector<WriteLine> readAll(const QByteArray& data)
{
    std::vector<WriteLine> lines;
    WriteFormatReader reader(data);
    WriteLine line;
    while (reader.readLine(line))
        lines.push_back(line);
    return lines;
}
std::vector<WriteLine> readAll(QByteArray&&) = delete; // the views would outlive a temporary

} // namespace

class TestWriteFormat : public QObject {
    Q_OBJECT

private slots:
    void formatNumber_data();
    void formatNumber();
    void numbersIgnoreLocale();
    void formatSingle_data();
    void formatSingle();
    void parseSingle_data();
    void parseSingle();
    void parseNumber_data();
    void parseNumber();
    void textRoundTrip_data();
    void textRoundTrip();
    void unreadableCharactersInTexts();
    void splitLine_data();
    void splitLine();
    void lineBreaks_data();
    void lineBreaks();
    void decodeText_data();
    void decodeText();
    void mixedEncodingsInOneFile();
    void textsWrittenBackAsRead();
    void encodeText_data();
    void encodeText();
};

void TestWriteFormat::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("integer") << 5.0 << QByteArray("5");
    QTest::newRow("half") << 2.5 << QByteArray("2.5");
    QTest::newRow("negative zero") << -0.0 << QByteArray("0");
    QTest::newRow("negative") << -3.75 << QByteArray("-3.75");
    QTest::newRow("tenth") << 0.1 << QByteArray("0.1");
    QTest::newRow("one third") << 1.0 / 3.0 << QByteArray("0.3333333333333333");
    QTest::newRow("large, no exponent") << 1e15 << QByteArray("1000000000000000");
    QTest::newRow("huge") << 1.7976931348623157e308 << QByteArray("1.7976931348623157e+308");
    QTest::newRow("tiny") << 5e-324 << QByteArray("5e-324");
}

void TestWriteFormat::formatNumber()
{
    QFETCH(double, value);
    QFETCH(QByteArray, expected);
    const QByteArray line = WriteFormatLine().addNumber(value).bytes();
    QCOMPARE(line, expected + "\r\n");

    // Read back exactly: the shortest form must still give the same double.
    const auto values = WriteFormatReader::splitLine(line);
    QVERIFY(values && values->size() == 1 && !values->front().quoted);
    QCOMPARE(values->front().number(), std::optional<double>(value == 0 ? 0.0 : value));
}

void TestWriteFormat::numbersIgnoreLocale()
{
    // A German locale writes 2,5; the file must not, or the comma would split the value.
    const QLocale previousDefault;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray written = WriteFormatLine().addNumber(2.5).addNumber(1234.75).bytes();
    const std::optional<double> read = velm::parseNumber(QByteArrayView("2.5"));
    const std::optional<double> readText = velm::parseNumber(QStringView(u"1234.75"));
    QLocale::setDefault(previousDefault);

    QCOMPARE(written, QByteArray("2.5,1234.75\r\n"));
    QCOMPARE(read, std::optional<double>(2.5));
    QCOMPARE(readText, std::optional<double>(1234.75));
}

void TestWriteFormat::formatSingle_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("not widened to double") << 95.3f << QByteArray("95.3");
    QTest::newRow("tenth") << 0.1f << QByteArray("0.1");
    QTest::newRow("negative half") << -5.5f << QByteArray("-5.5");
    QTest::newRow("negative zero") << -0.0f << QByteArray("0");
    QTest::newRow("smallest ordinary") << 1e-5f << QByteArray("0.00001");
    QTest::newRow("below ordinary") << 9.99e-6f << QByteArray("9.99e-06");
    QTest::newRow("largest float") << std::numeric_limits<float>::max() << QByteArray("3.4028235e+38");
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << QByteArray("0");
    QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << QByteArray("0");
}

void TestWriteFormat::formatSingle()
{
    QFETCH(float, value);
    QFETCH(QByteArray, expected);
    QCOMPARE(velm::formatSingle(value), expected);
    QCOMPARE(WriteFormatLine().addText("a").addSingle(value).bytes(), "\"a\"," + expected + "\r\n");

    // Reads back as the very same float.
    const std::optional<float> read = velm::parseSingle(QByteArrayView(expected));
    QVERIFY(read);
    if (std::isfinite(value))
        QCOMPARE(*read, value == 0 ? 0.0f : value);
}

void TestWriteFormat::parseSingle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<float>("expected");
    QTest::newRow("decimal") << "95.3" << true << 95.3f;
    QTest::newRow("blanks around") << " -5.5 " << true << -5.5f;
    QTest::newRow("largest float") << "3.4028235e38" << true << std::numeric_limits<float>::max();
    QTest::newRow("beyond float range") << "3.5e38" << false << 0.0f;
    QTest::newRow("fine as a double only") << "1e300" << false << 0.0f;
}

void TestWriteFormat::parseSingle()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(float, expected);
    const std::optional<float> fromText = velm::parseSingle(QStringView(text));
    const QByteArray bytes = text.toLatin1();
    const std::optional<float> fromBytes = velm::parseSingle(QByteArrayView(bytes));
    QCOMPARE(fromText.has_value(), valid);
    QCOMPARE(fromBytes, fromText);
    if (valid)
        QCOMPARE(*fromText, expected);
}

void TestWriteFormat::parseNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");
    QTest::newRow("integer") << "5" << true << 5.0;
    QTest::newRow("decimal") << "2.5" << true << 2.5;
    QTest::newRow("plus sign") << "+3" << true << 3.0;
    QTest::newRow("blanks around") << " 7 " << true << 7.0;
    QTest::newRow("exponent") << "1E+3" << true << 1000.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("comma decimal") << "2,5" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("-infinity") << "-infinity" << false << 0.0;
    QTest::newRow("out of range") << "1e400" << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << 0.0;
    QTest::newRow("trailing text") << "5W" << false << 0.0;
    QTest::newRow("two signs") << "+-5" << false << 0.0;
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("\xd9\xa5") << false << 0.0; // Arabic-Indic five
}

void TestWriteFormat::parseNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    const std::optional<double> fromText = velm::parseNumber(QStringView(text));
    const QByteArray utf8 = text.toUtf8();
    const std::optional<double> fromBytes = velm::parseNumber(QByteArrayView(utf8));
    QCOMPARE(fromText.has_value(), valid);
    QCOMPARE(fromBytes.has_value(), valid);
    if (valid) {
        QCOMPARE(*fromText, expected);
        QCOMPARE(*fromBytes, expected);
    }
}

void TestWriteFormat::textRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expectedLine");
    QTest::newRow("plain") << "N0CALL" << QByteArray("\"N0CALL\",5\r\n");
    QTest::newRow("empty") << "" << QByteArray("\"\",5\r\n");
    QTest::newRow("comma inside") << "a,b" << QByteArray("\"a,b\",5\r\n");
    QTest::newRow("blanks kept") << "  New York " << QByteArray("\"  New York \",5\r\n");
    QTest::newRow("accented") << QString::fromUtf8("Québec")
                              << QByteArray("\"Qu\xc3\xa9"
                                            "bec\",5\r\n");
}

void TestWriteFormat::textRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expectedLine);
    const QByteArray line = WriteFormatLine().addText(text).addNumber(5).bytes();
    QCOMPARE(line, expectedLine);
    const auto values = WriteFormatReader::splitLine(line);
    QVERIFY(values);
    QCOMPARE(values->size(), std::size_t(2));
    QVERIFY(values->at(0).quoted);
    QCOMPARE(values->at(0).text(), text);
    QCOMPARE(values->at(1).number(), std::optional<double>(5));
}

void TestWriteFormat::unreadableCharactersInTexts()
{
    // A double quote or a line break written unchanged would break the line for every later read.
    const QByteArray line =
        WriteFormatLine().addText("say \"hi\"").addText("two\r\nlines").addNumber(1).bytes();
    QCOMPARE(line, QByteArray("\"say 'hi'\",\"two  lines\",1\r\n"));
    const auto values = WriteFormatReader::splitLine(line);
    QVERIFY(values);
    QCOMPARE(values->size(), std::size_t(3));
}

void TestWriteFormat::splitLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("quoted and bare") << QByteArray("\"a\",5,\"b\"") << true
                                     << QStringList{"\"a\"", "5", "\"b\""};
    QTest::newRow("blanks before values")
        << QByteArray("  \"a\", \t5,  \"b\"") << true << QStringList{"\"a\"", "5", "\"b\""};
    QTest::newRow("blanks after values")
        << QByteArray("\"a\"  ,5 ,x ") << true << QStringList{"\"a\"", "5", "x"};
    QTest::newRow("blank inside bare") << QByteArray("New York,1") << true << QStringList{"New York", "1"};
    QTest::newRow("empty quoted") << QByteArray("\"\",\"\"") << true << QStringList{"\"\"", "\"\""};
    QTest::newRow("empty bare between")
        << QByteArray("\"a\",,\"b\"") << true << QStringList{"\"a\"", "", "\"b\""};
    QTest::newRow("trailing comma") << QByteArray("\"a\",") << true << QStringList{"\"a\"", ""};
    QTest::newRow("comma inside quotes") << QByteArray("\"a,b\",1") << true << QStringList{"\"a,b\"", "1"};
    QTest::newRow("blank line") << QByteArray("   ") << true << QStringList{};
    QTest::newRow("text after closing quote") << QByteArray("\"55\"9\",\"1\"") << false << QStringList{};
    QTest::newRow("quote left open") << QByteArray("\"a\",\"b") << false << QStringList{};
    QTest::newRow("quote inside bare") << QByteArray("12\"34\",1") << false << QStringList{};
}

void TestWriteFormat::splitLine()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, valid);
    QFETCH(QStringList, expected);
    const auto values = WriteFormatReader::splitLine(line);
    QCOMPARE(values.has_value(), valid);
    if (valid)
        QCOMPARE(describe(*values), expected);

    // The same line inside a file reports the error on its own line and the reader goes on after it.
    const QByteArray file = line + "\r\n\"next\"\r\n";
    const std::vector<WriteLine> lines = readAll(file);
    QCOMPARE(lines.size(), std::size_t(2));
    QCOMPARE(lines[0].ok(), valid);
    QVERIFY(lines[1].ok());
    QCOMPARE(describe(lines[1].values), QStringList{"\"next\""});
    QCOMPARE(lines[1].number, 2);
}

void TestWriteFormat::lineBreaks_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QList<QStringList>>("expected");
    const QList<QStringList> two{{"\"a\"", "1"}, {"\"b\"", "2"}};
    QTest::newRow("CR LF") << QByteArray("\"a\",1\r\n\"b\",2\r\n") << two;
    QTest::newRow("LF") << QByteArray("\"a\",1\n\"b\",2\n") << two;
    QTest::newRow("CR") << QByteArray("\"a\",1\r\"b\",2\r") << two;
    QTest::newRow("no final break") << QByteArray("\"a\",1\r\n\"b\",2") << two;
    QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf\"a\",1\r\n\"b\",2\r\n") << two;
    QTest::newRow("blank lines kept as blank") << QByteArray("\"a\",1\r\n\r\n  \r\n\"b\",2\r\n")
                                               << QList<QStringList>{{"\"a\"", "1"}, {}, {}, {"\"b\"", "2"}};
}

void TestWriteFormat::lineBreaks()
{
    QFETCH(QByteArray, data);
    QFETCH(QList<QStringList>, expected);
    const std::vector<WriteLine> lines = readAll(data);
    QCOMPARE(lines.size(), std::size_t(expected.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QVERIFY(lines[i].ok());
        QCOMPARE(lines[i].number, int(i) + 1);
        QCOMPARE(describe(lines[i].values), expected[qsizetype(i)]);
    }
}

void TestWriteFormat::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("UTF-8") << QByteArray("Qu\xc3\xa9"
                                         "bec")
                           << QString::fromUtf8("Québec");
    QTest::newRow("Latin-1 from Windows") << QByteArray("Qu\xe9"
                                                        "bec")
                                          << QString::fromUtf8("Québec");
    QTest::newRow("Windows-1252 euro and quotes")
        << QByteArray("\x80 \x93x\x94") << QString::fromUtf8("€ “x”");
    QTest::newRow("undefined 1252 byte") << QByteArray("a\x81") << QString(QStringLiteral("a") + QChar(0x81));
    QTest::newRow("truncated UTF-8") << QByteArray("\xc3") << QString::fromUtf8("Ã");
}

void TestWriteFormat::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QString text = velm::decodeText(bytes);
    QCOMPARE(text, expected);
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
}

void TestWriteFormat::mixedEncodingsInOneFile()
{
    // Old lines written on Windows, new lines appended in UTF-8: each reads in its own encoding.
    const QByteArray file("\"M\xfcnchen\",1\r\n\"M\xc3\xbcnchen\",2\r\n");
    const std::vector<WriteLine> lines = readAll(file);
    QCOMPARE(lines.size(), std::size_t(2));
    QCOMPARE(lines[0].values[0].text(), QString::fromUtf8("München"));
    QCOMPARE(lines[1].values[0].text(), QString::fromUtf8("München"));
}

void TestWriteFormat::textsWrittenBackAsRead()
{
    // Every byte, and every pair of bytes from 0x80 up, between ASCII letters: whatever decoding the reader
    // chose, writing the text back in it gives the same bytes.
    QList<QByteArray> samples;
    for (int b = 0; b < 256; ++b)
        samples << "A" + QByteArray(1, char(b)) + "Z";
    for (int first = 0x80; first < 0x100; ++first) {
        for (int second = 0x80; second < 0x100; ++second)
            samples << QByteArray(1, char(first)) + char(second);
    }
    for (const QByteArray& bytes : samples) {
        TextEncoding used = TextEncoding::Ascii;
        const QString text = velm::decodeText(bytes, &used);
        QCOMPARE(velm::encodeText(text, used), bytes);
    }
}

void TestWriteFormat::encodeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("bytes");
    const QString reunion = QString::fromUtf8("R\u00e9union \u20ac");
    QTest::newRow("Windows-1252") << reunion << TextEncoding::Windows1252 << QByteArray("R\xe9union \x80");
    QTest::newRow("UTF-8") << reunion << TextEncoding::Utf8 << reunion.toUtf8();
    QTest::newRow("ASCII asked") << reunion << TextEncoding::Ascii << reunion.toUtf8();
    QTest::newRow("beyond the code page: UTF-8")
        << QString::fromUtf8("F5\u263a") << TextEncoding::Windows1252 << QByteArray("F5\xe2\x98\xba");
    // C3 A9 in Windows-1252 is also UTF-8 for one character: it would read back as that one.
    QTest::newRow("code-page bytes that read as UTF-8")
        << QString::fromUtf8("\u00c3\u00a9") << TextEncoding::Windows1252 << QByteArray("\xc3\x83\xc2\xa9");
    QTest::newRow("undefined byte kept")
        << QString(QChar(0x8d)) << TextEncoding::Windows1252 << QByteArray("\x8d");
    QTest::newRow("other C1 control: UTF-8")
        << QString(QChar(0x80)) << TextEncoding::Windows1252 << QByteArray("\xc2\x80");
}

void TestWriteFormat::encodeText()
{
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, bytes);
    QCOMPARE(velm::encodeText(text, encoding), bytes);
    QCOMPARE(velm::decodeText(bytes), text);
}

QTEST_GUILESS_MAIN(TestWriteFormat)
#include "tst_writeformat.moc"
