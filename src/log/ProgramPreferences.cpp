#include "log/ProgramPreferences.h"

#include "log/WriteFormat.h"

#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

namespace velm {

namespace {

// Calls visit(name, member) for each of the eighteen values in file order: the one place that order is kept.
template <typename Prefs, typename Visitor> void forEachValue(Prefs& prefs, Visitor&& visit)
{
    visit("OwnCall", prefs.OwnCall);
    visit("OwnSpc", prefs.OwnSpc);
    visit("UtcOffset", prefs.UtcOffset);
    visit("CurrentMode", prefs.CurrentMode);
    visit("OperatingSeconds", prefs.OperatingSeconds);
    visit("OwnCountry", prefs.OwnCountry);
    visit("OwnLongitude", prefs.OwnLongitude);
    visit("OwnLatitude", prefs.OwnLatitude);
    visit("FormSizePercent", prefs.FormSizePercent);
    visit("WorkedColour", prefs.WorkedColour);
    visit("RemainingColour", prefs.RemainingColour);
    visit("CurrentBand", prefs.CurrentBand);
    visit("OwnContinent", prefs.OwnContinent);
    visit("OwnVelmPwr", prefs.OwnVelmPwr);
    visit("VoiceNavLevel", prefs.VoiceNavLevel);
    visit("RigType", prefs.RigType);
    visit("TaskbarMode", prefs.TaskbarMode);
    visit("ListPrevious", prefs.ListPrevious);
}

bool isBlankValue(QByteArrayView raw)
{
    for (const char c : raw) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

struct ValueLine {
    WriteValue value;
    int line = 0;
};

// Converts one value into its field; returns the reason when the value does not fit the field.
class ValueConverter {
public:
    QString operator()(const WriteValue& value, QString& field) const
    {
        field = value.text();
        return {};
    }

    QString operator()(const WriteValue& value, float& field) const
    {
        if (isBlankValue(value.raw)) {
            field = 0; // an unset number, as elsewhere in the format
            return {};
        }
        const std::optional<float> number = parseSingle(value.raw);
        if (!number)
            return QStringLiteral("is not a number within the range of the field");
        field = *number;
        return {};
    }

    QString operator()(const WriteValue& value, quint8& field) const
    {
        return whole(value, field, QStringLiteral("a whole number from 0 to 255"));
    }

    QString operator()(const WriteValue& value, qint32& field) const
    {
        return whole(value, field, QStringLiteral("a whole number within the 32-bit range"));
    }

private:
    // A fraction rounds to the nearest whole number, halves to even, as the file's older readers did.
    template <typename Integer>
    static QString whole(const WriteValue& value, Integer& field, const QString& need)
    {
        const std::optional<double> number = value.number();
        if (!number)
            return QStringLiteral("is not a number");
        const double rounded = std::nearbyint(*number);
        if (rounded < double(std::numeric_limits<Integer>::min()) ||
            rounded > double(std::numeric_limits<Integer>::max()))
            return QStringLiteral("must be %1").arg(need);
        field = static_cast<Integer>(rounded);
        return {};
    }
};

} // namespace

QByteArray preferencesBytes(const ProgramPreferences& prefs)
{
    QByteArray bytes;
    forEachValue(prefs, [&bytes](const char*, const auto& field) {
        using Field = std::decay_t<decltype(field)>;
        WriteFormatLine line;
        if constexpr (std::is_same_v<Field, QString>)
            line.addText(field);
        else if constexpr (std::is_same_v<Field, float>)
            line.addSingle(field);
        else
            line.addNumber(double(field));
        bytes += line.bytes();
    });
    return bytes;
}

const QString PreferencesFile::FileName = QStringLiteral("QRPpref.txt");

PreferencesFile::PreferencesFile(QString programFolder) : m_file(std::move(programFolder), FileName) {}

namespace {

// The eighteen values from the file's bytes into prefs; the reason they do not read, prefs untouched then.
QString parsePreferences(const QByteArray& data, ProgramPreferences& prefs)
{
    // The values view data, which lives until the end of this function.
    std::vector<ValueLine> values;
    values.reserve(PreferencesFile::ValueCount);
    WriteFormatReader reader(data);
    WriteLine line;
    int lastLine = 0;
    while (values.size() < std::size_t(PreferencesFile::ValueCount) && reader.readLine(line)) {
        lastLine = line.number;
        if (line.isBlank())
            continue;
        if (!line.ok())
            return QStringLiteral("line %1: %2").arg(line.number).arg(line.error);
        if (line.values.size() != 1)
            return QStringLiteral("line %1: %2 values found, one expected")
                .arg(line.number)
                .arg(line.values.size());
        values.push_back({line.values.front(), line.number});
    }

    ProgramPreferences read = prefs;
    std::size_t index = 0;
    QString error;
    const ValueConverter convert;
    forEachValue(read, [&](const char* name, auto& field) {
        if (!error.isEmpty())
            return;
        if (index >= values.size()) {
            error =
                values.empty()
                    ? QStringLiteral("the file holds none of its %1 values").arg(PreferencesFile::ValueCount)
                    : QStringLiteral("line %1: the file ends after %2 of its %3 values, %4 is missing")
                          .arg(lastLine)
                          .arg(values.size())
                          .arg(PreferencesFile::ValueCount)
                          .arg(QLatin1String(name));
            return;
        }
        const ValueLine& value = values[index++];
        const QString reason = convert(value.value, field);
        if (!reason.isEmpty())
            error = QStringLiteral("line %1: %2 \"%3\" %4")
                        .arg(value.line)
                        .arg(QLatin1String(name), value.value.text(), reason);
    });
    if (error.isEmpty())
        prefs = std::move(read);
    return error;
}

} // namespace

FileResult PreferencesFile::ReadPreferences(ProgramPreferences& prefs)
{
    return m_file.read([&prefs](const QByteArray& data) { return parsePreferences(data, prefs); });
}

FileResult PreferencesFile::SavePref(const ProgramPreferences& prefs)
{
    return m_file.replace(preferencesBytes(prefs));
}

} // namespace velm
