#include "output/AdifExport.h"

#include "log/BandMode.h"
#include "log/FileIo.h"
#include "log/ProgramFolder.h"
#include "log/WriteFormat.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cmath>
#include <limits>

Q_LOGGING_CATEGORY(lcAdifExport, "velm.output.adif", QtWarningMsg)

namespace velm {

const QString DxccTable::FileName = QStringLiteral("ADIFCnt.txt");

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

bool isUsCallStart(QChar first)
{
    const QChar upper = first.toUpper();
    return upper == QLatin1Char('A') || upper == QLatin1Char('K') || upper == QLatin1Char('N') ||
           upper == QLatin1Char('W');
}

QString trimmedRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

// The length an ADIF field gives its data: the bytes the file holds for it.
QString byteLength(const QString& data)
{
    return QString::number(data.toUtf8().size());
}

} // namespace

FileResult DxccTable::LoadDxccTable(const QStringList& folders)
{
    m_entries.clear();
    // Found nowhere: the failure names the last folder's path, as the place the file belongs.
    FileResult result =
        loadTableFromFolders(folders, FileName, true, [this](const QByteArray& bytes, QString* error) {
            return loadFromBytes(bytes, error);
        });
    if (!result.ok)
        qCDebug(lcAdifExport) << result.error;
    return result;
}

bool DxccTable::loadFromBytes(const QByteArray& bytes, QString* error)
{
    m_entries.clear();
    std::vector<DxccEntry> entries;
    DxccEntry pending;
    bool haveName = false;
    WriteFormatReader reader(bytes);
    WriteLine line;
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(line.number).arg(reason);
        return false;
    };
    while (reader.readLine(line)) {
        if (!line.ok())
            return fail(line.error);
        for (const WriteValue& value : line.values) {
            if (!haveName) {
                pending.name = value.text();
                haveName = true;
                continue;
            }
            const std::optional<double> number = value.number();
            if (!number || *number != std::floor(*number) || *number < std::numeric_limits<qint16>::min() ||
                *number > std::numeric_limits<qint16>::max())
                return fail(QStringLiteral("\"%1\" is no DXCC entity number").arg(value.text()));
            if (entries.size() >= std::size_t(Capacity))
                return fail(QStringLiteral("more than %1 countries").arg(Capacity));
            pending.number = qint16(*number);
            entries.push_back(pending);
            haveName = false;
        }
    }
    if (haveName)
        return fail(QStringLiteral("\"%1\" has no DXCC entity number").arg(pending.name));
    m_entries = std::move(entries);
    return true;
}

int DxccTable::dxccFor(const QString& country) const
{
    const QString key = country.trimmed();
    for (const DxccEntry& entry : m_entries) {
        if (entry.name.compare(key, Qt::CaseInsensitive) == 0)
            return entry.number;
    }
    return 0;
}

StateCountry adifStateCountry(const QsoRecord& record)
{
    StateCountry result;
    if (record.Spc.size() == 2) {
        if (!record.Call.isEmpty() && isUsCallStart(record.Call.at(0))) {
            result.state = record.Spc;
            if (record.Spc.compare(QLatin1String("HI"), Qt::CaseInsensitive) == 0)
                result.country = QStringLiteral("Hawaii");
            else if (record.Spc.compare(QLatin1String("AK"), Qt::CaseInsensitive) == 0)
                result.country = QStringLiteral("Alaska");
            else
                result.country = QStringLiteral("USA");
        } else {
            result.country = QStringLiteral("Canada");
        }
    } else if (record.Spc.size() > 2) {
        result.country = record.Spc;
    }
    return result;
}

QString adifDate(const QString& qsoDate)
{
    const QString text = qsoDate.trimmed();
    for (const QString& format : {QStringLiteral("yyyy/M/d"), QStringLiteral("yyyy-M-d")}) {
        const QDate date = QDate::fromString(text, format);
        if (date.isValid())
            return date.toString(QStringLiteral("yyyyMMdd"));
    }
    return {};
}

QString adifTime(const QString& qsoTime)
{
    QString time = qsoTime.trimmed();
    const qsizetype colon = time.indexOf(QLatin1Char(':'));
    if (colon >= 0)
        time = time.left(colon) + time.mid(colon + 1, 2);
    time.truncate(4);
    while (time.size() < 4)
        time.prepend(QLatin1Char('0'));
    return time;
}

QString adifField(const QString& tag, const QString& data)
{
    return QStringLiteral("<%1:%2>%3").arg(tag, byteLength(data), data);
}

QByteArray adifHeader(const QString& windowTitle, const QDateTime& exportedAt)
{
    QString text;
    text += QStringLiteral("ADIF Export from ") + windowTitle.left(60).trimmed() + QLatin1String("\r\n");
    text += QStringLiteral("Written by velmlog, a keyboard logger for the QRP VELM contests.\r\n");
    text += QStringLiteral("velmlog is made by Orvane Software.\r\n");
    text += QStringLiteral("Log exported on: ") + exportedAt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) +
            QLatin1String("\r\n");
    text += QStringLiteral("\r\n<EOH>\r\n\r\n");
    return text.toUtf8();
}

QByteArray adifRecord(const QsoRecord& record, const DxccTable& dxcc, const AdifOptions& options)
{
    const QString date = adifDate(record.QsoDate);
    const QString time = adifTime(record.QsoTime);
    const StateCountry place = adifStateCountry(record);
    const int dxccNumber = place.country.isEmpty() ? 0 : dxcc.dxccFor(place.country);
    const QString mode = modeFromText(record.Mode, Qt::CaseInsensitive) == Mode::Phone ? QStringLiteral("SSB")
                                                                                       : QStringLiteral("CW");
    const QLatin1Char blank(' ');
    const QString power = trimmedRight(options.power);
    const QString frequency = record.Frequency.trimmed();
    const QString rstRcvd = trimmedRight(record.RstRcvd);
    const QString rstSent = trimmedRight(record.RstSnt);

    QString text;
    if (!record.Call.isEmpty())
        text += adifField(QStringLiteral("Call"), record.Call) + blank;
    if (!date.isEmpty())
        text += QStringLiteral("<Qso_Date:%1:d>%2").arg(byteLength(date), date) + blank;
    if (!record.Band.isEmpty())
        text += adifField(QStringLiteral("Band"), record.Band + QLatin1Char('M')) + blank;
    text += adifField(QStringLiteral("Mode"), mode) + QLatin1String("\r\n");

    // A field whose data would be empty after trimming is left out like an empty one.
    if (!power.isEmpty())
        text += adifField(QStringLiteral("Tx_Pwr"), power) + blank;
    if (time.compare(QLatin1String("0000"), Qt::CaseInsensitive) >= 0)
        text += adifField(QStringLiteral("Time_On"), time) + blank;
    if (dxccNumber > 0)
        text += adifField(QStringLiteral("DXCC"), QString::number(dxccNumber)) + blank;
    if (!place.state.isEmpty())
        text += adifField(QStringLiteral("State"), place.state) + blank;
    if (!frequency.isEmpty())
        text += adifField(QStringLiteral("Freq"), frequency) + blank;
    if (!rstRcvd.isEmpty())
        text += adifField(QStringLiteral("RST_Rcvd"), rstRcvd) + blank;
    if (!rstSent.isEmpty())
        text += adifField(QStringLiteral("RST_Sent"), rstSent) + blank;
    if (!options.comment.isEmpty())
        text += adifField(QStringLiteral("Comment"), options.comment) + QLatin1String("\r\n");
    text += QStringLiteral("<eor>\r\n\r\n");
    return text.toUtf8();
}

QByteArray adifFile(const LogStore& store, const DxccTable& dxcc, const AdifOptions& options,
                    const QString& windowTitle, const QDateTime& exportedAt)
{
    QByteArray bytes = adifHeader(windowTitle, exportedAt);
    for (int number = 1; number <= store.QsoCount(); ++number)
        bytes += adifRecord(store.record(number), dxcc, options);
    return bytes;
}

} // namespace velm
