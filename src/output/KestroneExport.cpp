#include "output/KestroneExport.h"

#include "log/BandMode.h"
#include "log/WriteFormat.h"
#include "output/AdifExport.h"

namespace velm {

namespace {

// A text field between double quotes; a double quote inside would end the field early, so it becomes an
// apostrophe (the import reads no escapes).
QString quoted(const QString& text)
{
    return QLatin1Char('"') + writableText(text) + QLatin1Char('"');
}

} // namespace

QByteArray kestroneLine(const QsoRecord& record, const QString& power)
{
    // The import file's rule comes to the same as the ADIF export's: Alaska and Hawaii only for a US state.
    const StateCountry place = adifStateCountry(record);
    const QString mode = modeFromText(record.Mode, Qt::CaseInsensitive) == Mode::Cw ? QStringLiteral("CW")
                                                                                    : QStringLiteral("SSB");
    const QStringList fields{quoted(record.Call),
                             quoted(record.QsoDate),
                             quoted(record.Band),
                             quoted(mode),
                             quoted(power),
                             quoted(record.QsoTime),
                             quoted(record.RstSnt),
                             quoted(record.RstRcvd),
                             QString(),
                             quoted(place.country),
                             quoted(place.state),
                             QString(),
                             QString(),
                             QString(),
                             QString(),
                             quoted(QStringLiteral("QRP VELM Contest"))};
    return (fields.join(QLatin1Char(',')) + QLatin1String("\r\n")).toUtf8();
}

QByteArray kestroneFile(const LogStore& store, const QString& power)
{
    QByteArray bytes;
    for (int number = 1; number <= store.QsoCount(); ++number)
        bytes += kestroneLine(store.record(number), power);
    return bytes;
}

QString clipboardText(const QStringList& headings, const QList<QStringList>& rows)
{
    QString text = headings.join(QLatin1Char('\t')) + QLatin1String("\r\n");
    for (auto row = rows.crbegin(); row != rows.crend(); ++row)
        text += row->join(QLatin1Char('\t')) + QLatin1String("\r\n");
    return text;
}

} // namespace velm
