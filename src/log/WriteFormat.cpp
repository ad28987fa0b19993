#include "log/WriteFormat.h"

#include <QDir>
#include <QFile>

#include <QFileDevice>
#include <QSaveFile>
#include <QStringDecoder>

#include <charconv>
#include <cmath>

namespace velm {

namespace {

constexpr char kQuote = '"';

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineBreak(char c)
{
    return c == '\n' || c == '\r';
}

// Windows-1252 characters for bytes 0x80..0x9F; the five bytes the code page leaves undefined keep their
// Latin-1 (C1 control) meaning so that they still read back as something distinct.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Shortest round-trip form of a double or a float: fixed notation for ordinary magnitudes, an exponent
// otherwise; 0 for -0 and for values that are not finite.
template <typename Floating> QByteArray formatFloating(Floating value)
{
    if (!std::isfinite(value) || value == 0)
        return QByteArrayLiteral("0"); // also turns -0 into 0
    char buffer[64];
    // The limits in the value's own type, so that 1e-5f, just below 1e-5 as a double, is still ordinary.
    const Floating magnitude = std::fabs(value);
    const bool ordinary = magnitude >= Floating(1e-5) && magnitude < Floating(1e16);
    const auto [end, ec] =
        ordinary ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
                 : std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc())
        return QByteArrayLiteral("0"); // cannot happen with this buffer size
    return QByteArray(buffer, end - buffer);
}

// Reads the format's notation of a number into Floating; see parseNumber.
template <typename Floating> std::optional<Floating> parseFloating(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin < end && text[begin] == '+') {
        ++begin;
        if (begin < end && text[begin] == '-')
            return std::nullopt;
    }
    if (begin == end)
        return std::nullopt;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    // from_chars would read "nan" and "inf"; only digits, ".", a sign and an exponent belong to the format.
    for (const char* p = first; p != last; ++p) {
        const char c = *p;
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    }
    Floating value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

template <typename Floating> std::optional<Floating> parseFloating(QStringView text)
{
    // Every character of a number is ASCII; anything else makes it no number.
    QByteArray latin(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80)
            return std::nullopt;
        latin[i] = char(c);
    }
    return parseFloating<Floating>(QByteArrayView(latin));
}

} // namespace

// ---- writing ----

QString writableText(const QString& text)
{
    if (!text.contains(QLatin1Char(kQuote)) && !text.contains(QLatin1Char('\r')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString safe = text;
    safe.replace(QLatin1Char(kQuote), QLatin1Char('\''));
    safe.replace(QLatin1Char('\r'), QLatin1Char(' '));
    safe.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return safe;
}

QByteArray formatNumber(double value)
{
    return formatFloating(value);
}

QByteArray formatSingle(float value)
{
    return formatFloating(value);
}

WriteFormatLine& WriteFormatLine::addText(const QString& text, TextEncoding encoding)
{
    if (!m_bytes.isEmpty())
        m_bytes += ',';
    m_bytes += kQuote;
    m_bytes += encodeText(writableText(text), encoding);
    m_bytes += kQuote;
    return *this;
}

WriteFormatLine& WriteFormatLine::addNumber(double value)
{
    if (!m_bytes.isEmpty())
        m_bytes += ',';
    m_bytes += formatNumber(value);
    return *this;
}

WriteFormatLine& WriteFormatLine::addSingle(float value)
{
    if (!m_bytes.isEmpty())
        m_bytes += ',';
    m_bytes += formatSingle(value);
    return *this;
}

QByteArray WriteFormatLine::bytes() const
{
    return m_bytes + "\r\n";
}

// ---- reading ----

std::optional<double> parseNumber(QByteArrayView text)
{
    return parseFloating<double>(text);
}

std::optional<double> parseNumber(QStringView text)
{
    return parseFloating<double>(text);
}

std::optional<float> parseSingle(QByteArrayView text)
{
    return parseFloating<float>(text);
}

std::optional<float> parseSingle(QStringView text)
{
    return parseFloating<float>(text);
}

QString decodeText(QByteArrayView bytes, TextEncoding* used)
{
    const auto report = [used](TextEncoding encoding) {
        if (used)
            *used = encoding;
    };
    if (isAscii(bytes)) {
        report(TextEncoding::Ascii);
        return QString::fromLatin1(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        report(TextEncoding::Utf8);
        return text;
    }
    report(TextEncoding::Windows1252);
    return decodeWindows1252(bytes);
}

std::optional<char> windows1252Byte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int k = 0; k < 32; ++k) {
        if (kCp1252High[k] == u)
            return char(0x80 + k);
    }
    return std::nullopt;
}

QByteArray encodeText(const QString& text, TextEncoding encoding)
{
    if (encoding != TextEncoding::Windows1252)
        return text.toUtf8();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<char> byte = windows1252Byte(text.at(i));
        if (!byte)
            return text.toUtf8();
        bytes[i] = *byte;
    }
    // Bytes that are valid UTF-8 would come back as other characters ("Ã©" written as C3 A9 reads as "é").
    if (decodeText(bytes) != text)
        return text.toUtf8();
    return bytes;
}

std::optional<double> WriteValue::number() const
{
    bool blank = true;
    for (const char c : raw) {
        if (!isBlank(c)) {
            blank = false;
            break;
        }
    }
    if (blank)
        return 0.0;
    return parseNumber(raw);
}

WriteFormatReader::WriteFormatReader(QByteArrayView data) : m_data(data)
{
    if (m_data.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
}

bool WriteFormatReader::readLine(WriteLine& line)
{
    line.values.clear();
    line.error.clear();
    if (atEnd())
        return false;
    line.number = ++m_lineNumber;

    const char* const data = m_data.data();
    const qsizetype size = m_data.size();
    qsizetype pos = m_pos;

    // Finds the end of this line first, so that an error inside the line still leaves the reader at the next.
    qsizetype lineEnd = pos;
    while (lineEnd < size && !isLineBreak(data[lineEnd]))
        ++lineEnd;
    m_pos = lineEnd;
    if (m_pos < size && data[m_pos] == '\r')
        ++m_pos;
    if (m_pos < size && data[m_pos] == '\n')
        ++m_pos;

    // A line of blanks only holds no value.
    qsizetype firstNonBlank = pos;
    while (firstNonBlank < lineEnd && isBlank(data[firstNonBlank]))
        ++firstNonBlank;
    if (firstNonBlank == lineEnd)
        return true;

    for (;;) {
        while (pos < lineEnd && isBlank(data[pos]))
            ++pos;
        WriteValue value;
        if (pos < lineEnd && data[pos] == kQuote) {
            const qsizetype start = pos + 1;
            qsizetype close = start;
            while (close < lineEnd && data[close] != kQuote)
                ++close;
            if (close == lineEnd) {
                line.error = QStringLiteral("value %1 has no closing quote").arg(line.values.size() + 1);
                return true;
            }
            value.raw = QByteArrayView(data + start, close - start);
            value.quoted = true;
            pos = close + 1;
            while (pos < lineEnd && isBlank(data[pos]))
                ++pos;
            if (pos < lineEnd && data[pos] != ',') {
                line.error = QStringLiteral("unexpected text after the closing quote of value %1")
                                 .arg(line.values.size() + 1);
                return true;
            }
        } else {
            const qsizetype start = pos;
            while (pos < lineEnd && data[pos] != ',') {
                if (data[pos] == kQuote) {
                    line.error = QStringLiteral("stray quote in value %1").arg(line.values.size() + 1);
                    return true;
                }
                ++pos;
            }
            qsizetype end = pos;
            while (end > start && isBlank(data[end - 1]))
                --end;
            value.raw = QByteArrayView(data + start, end - start);
        }
        line.values.push_back(value);
        if (pos >= lineEnd)
            return true;
        ++pos; // the comma; whatever follows it, even nothing, is one more value
    }
}

std::optional<std::vector<WriteValue>> WriteFormatReader::splitLine(QByteArrayView line)
{
    WriteFormatReader reader(line);
    WriteLine parsed;
    if (!reader.readLine(parsed))
        return std::vector<WriteValue>();
    if (!parsed.ok() || !reader.atEnd())
        return std::nullopt;
    return std::move(parsed.values);
}

// ---- whole files ----

} // namespace velm
