#pragma once
// Responsibilities: the one reader and writer of the line format shared by log.txt and the program's other
// small data files: comma-separated values, texts in double quotes, bare numbers, lines ended by CR LF.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace velm {

// Format of one line:
//   "N0CALL","559","1234","559","CT","2011/03/05","14:05:33","CW","40",5,"7.025"<CR><LF>
// - a text is written between double quotes, unchanged; there is no escape, so a text holds no double quote;
// - a number is written bare, "." as decimal separator whatever the locale, shortest form that reads back to
//   the same value, no exponent for ordinary values (5, 2.5, 0.1, -3);
// - values are separated by commas with no blanks.
//
// Text encoding: new texts are written in UTF-8 without a byte-order mark. When reading, each value is
// decoded on its own: as UTF-8 when its bytes are valid UTF-8, otherwise as Windows-1252 (a superset of
// Latin-1 for printable characters), which is what files written on Windows by older programs hold. A file
// with old lines from Windows and new lines appended in UTF-8 therefore reads correctly, and no byte ever
// becomes a replacement character. A UTF-8 byte-order mark at the start of the data (Notepad adds one) is
// skipped. Texts are written unchanged: a text read as Windows-1252 can be written back as the same bytes
// (see encodeText), so rewriting a file does not re-encode the lines it did not change.

// How a value's bytes were decoded, or how a text is to be written.
enum class TextEncoding : quint8 {
    Ascii,       // only bytes below 0x80: the same in either encoding
    Utf8,        // valid UTF-8
    Windows1252, // anything else
};

// Builds one line. Texts holding a double quote or a line break could not be read back (they would split
// the line); such characters are written as an apostrophe and a blank respectively.
class WriteFormatLine {
public:
    // The text in UTF-8, or in Windows-1252 when asked and the text can be held there (see encodeText).
    WriteFormatLine& addText(const QString& text, TextEncoding encoding = TextEncoding::Utf8);
    WriteFormatLine& addNumber(double value);
    // A 32-bit float in its own shortest form (see formatSingle).
    WriteFormatLine& addSingle(float value);

    // The values joined by commas, ended by CR LF.
    QByteArray bytes() const;

private:
    QByteArray m_bytes;
};

// A number as the format writes it: "5", "2.5", "-4", "0.1". -0 is written as 0. Magnitudes of 1e16 and
// above or below 1e-5 use an exponent ("1e+300"), which the reader accepts. A value that is not finite cannot
// be read back and is written as 0.
QByteArray formatNumber(double value);

// A 32-bit float as the format writes it: the shortest form that reads back to the same float, by the same
// rules as formatNumber ("95.3" for 95.3f, where widening to double would give 95.30000305175781).
QByteArray formatSingle(float value);

// A text made safe to write: double quote → apostrophe, CR and LF → blank; anything else unchanged.
QString writableText(const QString& text);

// Reads a number in the format's own notation, independent of the locale: optional blanks around it, an
// optional sign, digits with "." as decimal point, an optional exponent ("1e3", "1E+300"). Rejects anything
// else, including "nan", "inf", values out of the double range, "," as decimal separator and an empty text.
std::optional<double> parseNumber(QByteArrayView text);
std::optional<double> parseNumber(QStringView text);

// The same notation read straight into a 32-bit float (no detour through double, which could round a value
// twice). Values beyond the float range are rejected like those beyond the double range above.
std::optional<float> parseSingle(QByteArrayView text);
std::optional<float> parseSingle(QStringView text);

// Decodes bytes of a value by the policy above: UTF-8 when valid, otherwise Windows-1252. used, when given,
// says which of the three applied.
QString decodeText(QByteArrayView bytes, TextEncoding* used = nullptr);

// The Windows-1252 byte of a character as decodeText reads that byte back, the five bytes the code page
// leaves undefined (read as the C1 controls U+0081, U+008D, U+008F, U+0090, U+009D) included; std::nullopt
// for a character the code page cannot hold.
std::optional<char> windows1252Byte(QChar c);

// The bytes of text in the given encoding: Windows-1252 when asked, every character has a byte there and
// decodeText reads the bytes back as text (non-ASCII bytes that happen to be valid UTF-8 would read
// otherwise); UTF-8 in every other case.
QByteArray encodeText(const QString& text, TextEncoding encoding);

// One value of a line as read: a view into the data handed to the reader (valid while that data lives),
// without its quotes and without the blanks around a bare value.
struct WriteValue {
    QByteArrayView raw;
    bool quoted = false;

    QString text(TextEncoding* used = nullptr) const { return decodeText(raw, used); }
    // The value as a number, quoted or bare; an empty value reads as 0 (an unset number).
    std::optional<double> number() const;
};

// One line as read.
struct WriteLine {
    int number = 0;                 // 1-based line number in the data
    std::vector<WriteValue> values; // none for a line holding only blanks
    QString error;                  // empty, or why the line breaks the format

    bool isBlank() const { return values.empty() && error.isEmpty(); }
    bool ok() const { return error.isEmpty(); }
};

// Splits data (a whole file or one line) into lines and values. A line ends at LF, CR LF or a lone CR; the
// last line needs no line break. Within a line, blanks (space, tab) before a value are skipped; a value that
// starts with a double quote runs to the next double quote and may be followed only by blanks, then a comma
// or the line end; any other value runs to the next comma or the line end and loses trailing blanks. A
// comma at the end of a line ends one more, empty, value. A line that breaks these rules (a quote left open,
// text after a closing quote, a quote inside a bare value) is still returned, with WriteLine::error set.
class WriteFormatReader {
public:
    explicit WriteFormatReader(QByteArrayView data);
    explicit WriteFormatReader(QByteArray&&) = delete; // the values would view a destroyed array

    bool atEnd() const { return m_pos >= m_data.size(); }
    // Offset in the data of the next line to be read.
    qsizetype position() const { return m_pos; }
    // Reads the next line into line (its buffers are reused); false when no line is left.
    bool readLine(WriteLine& line);

    // Convenience for one line of text: its values, or std::nullopt when it breaks the format.
    static std::optional<std::vector<WriteValue>> splitLine(QByteArrayView line);
    static std::optional<std::vector<WriteValue>> splitLine(QByteArray&&) = delete;

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
    int m_lineNumber = 0;
};

} // namespace velm
