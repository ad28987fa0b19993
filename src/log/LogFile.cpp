#include "log/LogFile.h"

#include "log/ProgramFolder.h"
#include "log/WriteFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>

namespace velm {

Q_LOGGING_CATEGORY(lcLogFile, "velm.log.file", QtInfoMsg)

const QString kReloadErrorTitle = QStringLiteral("File Error");
const QString kReloadErrorText = QStringLiteral(
    "Error opening file.  This error is annoying but probably correctable.  In all likelihood, a character "
    "such as a quote got into your data or one of your entries has an invalid date/time format.  Close this "
    "program and open log.txt in the program's working directory with a text editor such as notepad.  "
    "Inspect the data and fix any errors you see (remove any extra quotes and make sure your date and time "
    "entries are valid).");

namespace {

const QString kLogFileName = QStringLiteral("log.txt");

FileResult failure(const QString& filePath, const QString& reason)
{
    FileResult result{false, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(filePath), reason)};
    qCDebug(lcLogFile) << result.error;
    return result;
}

constexpr int kTextCount = 10;
constexpr int kFrequencyText = 9; // the one text after Points

// The record's ten texts in file order, the order of StoredEncoding's bits.
template <typename Record> auto textsOf(Record& record)
{
    using Text = std::conditional_t<std::is_const_v<Record>, const QString, QString>;
    return std::array<Text*, kTextCount>{&record.Call, &record.RstRcvd,  &record.VelmPwr, &record.RstSnt,
                                         &record.Spc,  &record.QsoDate,  &record.QsoTime, &record.Mode,
                                         &record.Band, &record.Frequency};
}

// Turns the values of one line into a record. Consecutive records mostly repeat their reports, date, mode
// and band, so such a text equal to the same field of the previous line shares that line's string instead of
// being decoded again; fields that differ on nearly every line are decoded directly.
class RecordReader {
public:
    // Fills record from values (already checked to be FieldCount of them); false when Points is no number.
    bool read(const std::vector<WriteValue>& values, QsoRecord& record)
    {
        TextEncoding used[kTextCount] = {};
        record.Call = values[0].text(&used[0]);
        record.RstRcvd = repeated(m_rstRcvd, values[1], used[1]);
        record.VelmPwr = values[2].text(&used[2]);
        record.RstSnt = repeated(m_rstSnt, values[3], used[3]);
        record.Spc = values[4].text(&used[4]);
        record.QsoDate = repeated(m_date, values[5], used[5]);
        record.QsoTime = values[6].text(&used[6]);
        record.Mode = repeated(m_mode, values[7], used[7]);
        record.Band = repeated(m_band, values[8], used[8]);
        record.Frequency = values[10].text(&used[9]);
        // A line from an older program is written back in its code page, all its texts but any that read as
        // UTF-8 (a hand edit): then an edit in it stays in the same encoding as the rest of the line.
        record.stored = {};
        if (std::find(std::begin(used), std::end(used), TextEncoding::Windows1252) != std::end(used)) {
            for (int text = 0; text < kTextCount; ++text) {
                if (used[text] != TextEncoding::Utf8)
                    record.stored.windows1252Texts |= quint16(1U << text);
            }
        }
        const std::optional<double> points = values[9].number();
        if (!points)
            return false;
        record.Points = *points;
        return true;
    }

private:
    struct Previous {
        QByteArrayView raw;
        QString text;
        TextEncoding used = TextEncoding::Ascii;
        bool valid = false;
    };

    static const QString& repeated(Previous& previous, const WriteValue& value, TextEncoding& used)
    {
        if (!previous.valid || previous.raw != value.raw) {
            previous.raw = value.raw;
            previous.text = value.text(&previous.used);
            previous.valid = true;
        }
        used = previous.used;
        return previous.text;
    }

    Previous m_rstRcvd, m_rstSnt, m_date, m_mode, m_band;
};

} // namespace

QByteArray logLine(const QsoRecord& record)
{
    const auto texts = textsOf(record);
    WriteFormatLine line;
    for (int text = 0; text < kTextCount; ++text) {
        if (text == kFrequencyText)
            line.addNumber(record.Points);
        line.addText(*texts[std::size_t(text)],
                     record.stored.windows1252(text) ? TextEncoding::Windows1252 : TextEncoding::Utf8);
    }
    return line.bytes();
}

LogFile::LogFile(QString programFolder) : m_folder(std::move(programFolder)) {}

QString LogFile::path() const
{
    return findFileIgnoringCase(m_folder, kLogFileName);
}

FileResult LogFile::load(LogStore& store, LogReloadObserver* observer) const
{
    const QString filePath = path();
    QByteArray data;
    if (const QString unreadable = readWholeFile(filePath, data); !unreadable.isEmpty())
        return failure(filePath, unreadable);

    LogStore fresh;
    WriteFormatReader reader(data);
    WriteLine line;
    RecordReader records;
    QsoRecord record;
    while (reader.readLine(line)) {
        if (line.isBlank())
            continue;
        const auto lineFailure = [&](const QString& reason) {
            return failure(filePath, QStringLiteral("line %1: %2").arg(line.number).arg(reason));
        };
        if (!line.ok())
            return lineFailure(line.error);
        if (fresh.isFull())
            return lineFailure(QStringLiteral("more than %1 records").arg(LogStore::Capacity));
        if (line.values.size() != std::size_t(FieldCount))
            return lineFailure(
                QStringLiteral("%1 values found, %2 expected").arg(line.values.size()).arg(FieldCount));
        if (!records.read(line.values, record))
            return lineFailure(
                QStringLiteral("the points value \"%1\" is not a number").arg(line.values[9].text()));
        if (!fresh.add(std::move(record)))
            return lineFailure(QStringLiteral("the points total leaves the 32-bit range"));
    }

    store = std::move(fresh);
    if (observer) {
        observer->reloadStarted();
        for (int number = 1; number <= store.QsoCount(); ++number)
            observer->recordLoaded(store.record(number));
    }
    return {};
}

FileResult LogFile::AppendQso(const LogStore& store)
{
    const QString filePath = path();
    if (store.QsoCount() == 0)
        return failure(filePath, QStringLiteral("there is no record to write"));

    // Unbuffered, so that a failed write shows at once and leaves nothing behind to be flushed later.
    const bool existed = QFileInfo::exists(filePath);
    QFile file(filePath);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failure(filePath, file.errorString());
    const qint64 originalSize = file.size();

    QByteArray bytes;
    if (originalSize > 0) {
        char last = 0;
        if (!file.seek(originalSize - 1) || file.read(&last, 1) != 1)
            return failure(filePath, file.errorString());
        if (last != '\n' && last != '\r')
            bytes = "\r\n";
    }
    bytes += logLine(store.record(store.QsoCount()));
    if (!file.seek(originalSize))
        return failure(filePath, file.errorString());

    if (writeAll(file, bytes))
        return {};

    QString reason = writeFailureReason(file);
    if (!existed) {
        if (!file.remove())
            reason +=
                QStringLiteral("; the new file could not be removed again (%1)").arg(file.errorString());
    } else if (!file.resize(originalSize)) {
        reason += QStringLiteral("; the partly written line could not be removed again (%1)")
                      .arg(file.errorString());
    }
    return failure(filePath, reason);
}

FileResult LogFile::RewriteLog(const LogStore& store)
{
    const QString filePath = path();
    QByteArray bytes;
    bytes.reserve(qsizetype(store.QsoCount()) * 96);
    for (int number = 1; number <= store.QsoCount(); ++number)
        bytes += logLine(store.record(number));

    const QString reason = replaceFile(filePath, bytes);
    if (!reason.isEmpty())
        return failure(filePath, reason);
    return {};
}

QsoRecord writableRecord(QsoRecord record)
{
    for (QString* text : textsOf(record))
        *text = writableText(*text);
    return record;
}

FileResult appendRecord(LogStore& store, LogFile& file, const QsoRecord& typed)
{
    // The store keeps exactly what the file will hold, so the next reload changes nothing.
    const QsoRecord record = writableRecord(typed);

    if (store.isFull())
        return failure(file.path(), QStringLiteral("the log is full (%1 records)").arg(LogStore::Capacity));
    if (!std::isfinite(record.Points))
        return failure(file.path(), QStringLiteral("the points value is not a number"));
    if (!store.add(record))
        return failure(file.path(), QStringLiteral("the points total would leave the 32-bit range"));
    FileResult result = file.AppendQso(store);
    if (!result.ok)
        store.removeLast();
    return result;
}

} // namespace velm
