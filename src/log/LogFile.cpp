#include "log/LogFile.h"

#include "log/FileIo.h"
#include "log/LogLifecycle.h"
#include "log/ProgramFolder.h"
#include "log/WriteFormat.h"
#include "platform/FileSync.h"

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

const QString kSetAsideTitle = QStringLiteral("Incomplete Contact Set Aside");
const QString LogFile::FileName = QStringLiteral("log.txt");

namespace {

FileSync& deviceSync()
{
    static DeviceFileSync sync; // stateless: the system call behind it is the whole service
    return sync;
}

// The bytes of a set-aside line as the operator can read them: control characters (a power cut often leaves
// NUL bytes) as a middle dot, a very long run cut short.
QString visibleText(const QByteArray& bytes)
{
    constexpr qsizetype kShown = 300;
    QString text = decodeText(bytes);
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = QChar(0x00B7);
    }
    if (text.size() > kShown)
        text = text.left(kShown) + QChar(0x2026);
    return text;
}

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

LogFile::LogFile(QString programFolder, FileSync* sync)
    : m_folder(std::move(programFolder)), m_sync(sync ? sync : &deviceSync())
{
}

QString LogFile::path() const
{
    return findFileIgnoringCase(m_folder, FileName);
}

FileResult LogFile::parse(const QString& filePath, const QByteArray& data, LogStore& fresh, qsizetype* tornAt,
                          int* tornLine) const
{
    const bool endsWithBreak = data.endsWith('\n') || data.endsWith('\r');
    WriteFormatReader reader(data);
    WriteLine line;
    RecordReader records;
    QsoRecord record;
    for (qsizetype lineStart = reader.position(); reader.readLine(line); lineStart = reader.position()) {
        if (line.isBlank())
            continue;
        // The last line, cut off before its line break: what an interrupted append leaves.
        const bool torn = tornAt && reader.atEnd() && !endsWithBreak;
        const auto lineFailure = [&](const QString& reason) {
            return failure(filePath, QStringLiteral("line %1: %2").arg(line.number).arg(reason));
        };
        const auto unreadable = [&](const QString& reason) {
            if (!torn)
                return lineFailure(reason);
            *tornAt = lineStart;
            *tornLine = line.number;
            return FileResult{};
        };
        if (!line.ok())
            return unreadable(line.error);
        if (fresh.isFull())
            return lineFailure(QStringLiteral("more than %1 records").arg(LogStore::Capacity));
        if (line.values.size() != std::size_t(FieldCount))
            return unreadable(
                QStringLiteral("%1 values found, %2 expected").arg(line.values.size()).arg(FieldCount));
        if (!records.read(line.values, record))
            return unreadable(
                QStringLiteral("the points value \"%1\" is not a number").arg(line.values[9].text()));
        if (!fresh.add(std::move(record)))
            return lineFailure(QStringLiteral("the points total leaves the 32-bit range"));
    }
    return {};
}

void LogFile::publish(LogStore& fresh, LogStore& store, LogReloadObserver* observer) const
{
    store = std::move(fresh);
    if (observer) {
        observer->reloadStarted();
        for (int number = 1; number <= store.QsoCount(); ++number)
            observer->recordLoaded(store.record(number));
    }
}

FileResult LogFile::load(LogStore& store, LogReloadObserver* observer) const
{
    const QString filePath = path();
    QByteArray data;
    if (const QString unreadable = readWholeFile(filePath, data); !unreadable.isEmpty())
        return failure(filePath, unreadable);
    LogStore fresh;
    if (FileResult result = parse(filePath, data, fresh, nullptr, nullptr); !result.ok)
        return result;
    publish(fresh, store, observer);
    remember(filePath, data);
    return {};
}

FileResult LogFile::load(LogStore& store, LogReloadObserver* observer, const TornLineRecovery& recovery,
                         std::optional<SetAsideLine>& setAsideLine)
{
    setAsideLine.reset();
    const QString filePath = path();
    QByteArray data;
    if (const QString unreadable = readWholeFile(filePath, data); !unreadable.isEmpty())
        return failure(filePath, unreadable);
    LogStore fresh;
    qsizetype tornAt = -1;
    int tornLine = 0;
    if (FileResult result = parse(filePath, data, fresh, &tornAt, &tornLine); !result.ok)
        return result;
    if (tornAt >= 0) {
        QString keptPath;
        if (FileResult result = setAside(filePath, data, tornAt, recovery, keptPath); !result.ok)
            return result;
        setAsideLine = SetAsideLine{tornLine, data.mid(tornAt), filePath, keptPath, fresh.QsoCount()};
        qCWarning(lcLogFile) << "incomplete last line" << tornLine << "of" << filePath << "set aside in"
                             << keptPath;
    }
    publish(fresh, store, observer);
    remember(filePath, tornAt >= 0 ? data.left(tornAt) : data);
    return {};
}

FileResult LogFile::setAside(const QString& filePath, const QByteArray& data, qsizetype tornAt,
                             const TornLineRecovery& recovery, QString& keptPath)
{
    // The bytes are safe on the disk elsewhere before log.txt loses them.
    if (recovery.backupFolder.isEmpty() || !QDir().mkpath(recovery.backupFolder))
        return failure(filePath, QStringLiteral("the incomplete last line could not be set aside: the backup "
                                                "folder %1 could not be created")
                                     .arg(QDir::toNativeSeparators(recovery.backupFolder)));
    keptPath = unusedFilePath(recovery.backupFolder, tornLineFileName(recovery.localNow));
    if (const QString reason = writeNewFile(keptPath, data.mid(tornAt), *m_sync); !reason.isEmpty())
        return failure(filePath, QStringLiteral("the incomplete last line could not be set aside in %1: %2")
                                     .arg(QDir::toNativeSeparators(keptPath), reason));
    if (const QString reason = replaceFile(filePath, data.left(tornAt)); !reason.isEmpty())
        return failure(filePath,
                       QStringLiteral("the incomplete last line was copied to %1, but the log could "
                                      "not be cut back to its complete lines: %2")
                           .arg(QDir::toNativeSeparators(keptPath), reason));
    return {};
}

QString setAsideMessage(const SetAsideLine& setAside)
{
    return QStringLiteral("The last line of %1 was cut off (the program or the computer stopped while a "
                          "contact was being written) and could not be read. The %2 complete contacts "
                          "before it are loaded.\n\nThe cut-off line was taken out of the log and kept in:\n"
                          "%3\n\nIts text was:\n%4\n\nIf it is a contact you want in the log, enter it "
                          "again.")
        .arg(QDir::toNativeSeparators(setAside.logPath), QString::number(setAside.completeRecords),
             QDir::toNativeSeparators(setAside.keptPath), visibleText(setAside.bytes));
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

    QString reason;
    if (!writeAll(file, bytes))
        reason = writeFailureReason(file);
    else if (const QString unsynced = m_sync->syncToDevice(file); !unsynced.isEmpty())
        reason = QStringLiteral("the contact could not be made safe on the disk: %1").arg(unsynced);
    else {
        file.close();
        rememberAppended(filePath, bytes);
        return {};
    }

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
    remember(filePath, bytes);
    return {};
}

namespace {

quint64 fnv1a(quint64 hash, const QByteArray& bytes)
{
    for (const char byte : bytes) {
        hash ^= quint8(byte);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

constexpr quint64 kFnvOffset = 0xcbf29ce484222325ULL;

} // namespace

void LogFile::remember(const QString& filePath, const QByteArray& bytes) const
{
    const QFileInfo info(filePath);
    m_known = Fingerprint{bytes.size(), info.lastModified(), fnv1a(kFnvOffset, bytes)};
}

void LogFile::rememberAppended(const QString& filePath, const QByteArray& bytes) const
{
    // Appended to a file not known as a whole: nothing is known of it.
    if (!m_known) 
        return;
    const QFileInfo info(filePath);
    if (info.size() != m_known->size + bytes.size()) {
        m_known.reset();
        return;
    }
    m_known = Fingerprint{info.size(), info.lastModified(), fnv1a(m_known->checksum, bytes)};
}

bool LogFile::unchangedSinceLastUse() const
{
    if (!m_known)
        return false;
    const QString filePath = path();
    const QFileInfo info(filePath);
    if (!info.exists() || info.size() != m_known->size || info.lastModified() != m_known->modified)
        return false;
    QByteArray bytes;
    if (!readWholeFile(filePath, bytes).isEmpty())
        return false;
    return bytes.size() == m_known->size && fnv1a(kFnvOffset, bytes) == m_known->checksum;
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
