#include "rig/RigSettings.h"

#include "log/FileIo.h"
#include "log/WriteFormat.h"
#include "log/WriteFormatItems.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <limits>
#include <type_traits>

namespace velm {

namespace {

// The one place the file order is kept: visit(name, field, kind) for each value.
enum class Kind { Baud, Char, Text, Byte, Short };

template <typename Settings, typename Visitor> void forEachField(Settings& s, Visitor&& visit)
{
    visit("BaudRate", s.BaudRate, Kind::Baud);
    visit("Parity", s.Parity, Kind::Char);
    visit("DataBits", s.DataBits, Kind::Char);
    visit("StopBits", s.StopBits, Kind::Char);
    visit("ModeQuery", s.ModeQuery, Kind::Text);
    visit("FrequencyQuery", s.FrequencyQuery, Kind::Text);
    visit("CommSettings", s.CommSettings, Kind::Text);
    visit("PortNumber", s.PortNumber, Kind::Byte);
    visit("PowerLine", s.PowerLine, Kind::Char);
    visit("PollRate", s.PollRate, Kind::Char);
    visit("RigType", s.RigType, Kind::Text);
    visit("ConvertToHex", s.ConvertToHex, Kind::Short);
    visit("UseFrequency", s.UseFrequency, Kind::Short);
    visit("ModeSource", s.ModeSource, Kind::Short);
}

// A whole number for an integer field: a fraction rounds to the nearest, halves to even (as qrppref.txt's
// numbers do); nullopt when it is no number or out of the field's range.
template <typename Integer> std::optional<Integer> wholeNumber(const WriteValue& value)
{
    const std::optional<double> number = value.number();
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (rounded < double(std::numeric_limits<Integer>::min()) ||
        rounded > double(std::numeric_limits<Integer>::max()))
        return std::nullopt;
    return static_cast<Integer>(rounded);
}

} // namespace

const QString RigSettingsFile::FileName = QStringLiteral("RigCntrl.txt");
const QString RigSettingsFile::BadName = QStringLiteral("RigCntrl.bad");

QString paddedBaudRate(const QString& baud)
{
    return baud.left(5).leftJustified(5, QLatin1Char(' '));
}

QString commSettingsText(const RigSettings& settings)
{
    QString baud = settings.BaudRate;
    while (baud.endsWith(QLatin1Char(' ')))
        baud.chop(1);
    return QStringLiteral("%1,%2,%3,%4").arg(baud, settings.Parity, settings.DataBits, settings.StopBits);
}

QByteArray rigSettingsBytes(const RigSettings& settings)
{
    QByteArray bytes;
    forEachField(settings, [&bytes](const char*, const auto& field, Kind) {
        WriteFormatLine line;
        if constexpr (std::is_same_v<std::decay_t<decltype(field)>, QString>)
            line.addText(field);
        else
            line.addNumber(double(field));
        bytes += line.bytes();
    });
    return bytes;
}

int parseRigSettings(const QByteArray& data, RigSettings& settings, QString* error)
{
    WriteFormatItems items(data);
    int read = 0;
    QString why;
    forEachField(settings, [&](const char* name, auto& field, Kind kind) {
        if (!why.isEmpty())
            return;
        const std::optional<WriteValue> value = items.next();
        if (!value) {
            why = !items.error().isEmpty()
                      ? items.error()
                      : QStringLiteral("the file ends after %1 of its %2 values, %3 is missing")
                            .arg(read)
                            .arg(RigSettings::FieldCount)
                            .arg(QLatin1String(name));
            return;
        }
        using Field = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, QString>) {
            const QString text = value->text();
            field = kind == Kind::Baud ? paddedBaudRate(text) : kind == Kind::Char ? text.left(1) : text;
        } else {
            const std::optional<Field> number = wholeNumber<Field>(*value);
            if (!number) {
                why = QStringLiteral("line %1: %2 \"%3\" must be a whole number from %4 to %5")
                          .arg(items.lineNumber())
                          .arg(QLatin1String(name), value->text())
                          .arg(std::numeric_limits<Field>::min())
                          .arg(std::numeric_limits<Field>::max());
                return;
            }
            field = *number;
        }
        ++read;
    });
    if (error)
        *error = why;
    return read;
}

RigSettingsFile::RigSettingsFile(QString folder) : m_folder(folder), m_file(std::move(folder), FileName) {}

QString RigSettingsFile::badCopyPath() const
{
    return QDir(m_folder).filePath(BadName);
}

int RigSettingsFile::read(RigSettings& settings, FileResult* result)
{
    if (result)
        *result = {};
    if (!QFileInfo::exists(m_file.path()))
        return 0; // nothing stored yet: the window's defaults
    int applied = 0;
    const FileResult outcome = m_file.read(
        [&](const QByteArray& data) {
            QString why;
            applied = parseRigSettings(data, settings, &why);
            return why;
        },
        kMaxBytes);
    if (result)
        *result = outcome;
    return applied;
}

FileResult RigSettingsFile::save(const RigSettings& settings)
{
    if (m_file.writesRefused()) {
        // Whatever the operator had in the file is kept beside it before the window's values replace it.
        const QString from = m_file.path();
        const QString to = badCopyPath();
        if (const QString why = copyFileSafely(from, to); !why.isEmpty())
            return {false,
                    QStringLiteral("%1: not saved, because the unreadable file could not be kept as %2 "
                                   "first (%3)")
                        .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to), why)};
        m_file.allowReplacing();
    }
    return m_file.replace(rigSettingsBytes(settings));
}

} // namespace velm
