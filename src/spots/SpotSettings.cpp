#include "spots/SpotSettings.h"

#include "log/WriteFormat.h"

#include <cmath>
#include <vector>

namespace velm {

const QString SpotSettingsFile::FileName = QStringLiteral("PackSpot.txt");

namespace {

constexpr int kValueCount = 14;

QString trimmedRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

// A value read as a whole number within [low, high]; an empty value counts as 0.
std::optional<int> wholeNumber(const WriteValue& value, int low, int high)
{
    const std::optional<double> number = value.number();
    if (!number || std::floor(*number) != *number || *number < low || *number > high)
        return std::nullopt;
    return int(*number);
}

QString notOneOf(int index, const char* what, const QString& text)
{
    return QStringLiteral("value %1 (%2): \"%3\" is not a value the window offers")
        .arg(index)
        .arg(QLatin1String(what), text);
}

} // namespace

QString SpotSettings::serialSettingsText() const
{
    return QStringList{trimmedRight(baud), parity, dataBits, stopBits}.join(QLatin1Char(','));
}

void applyTncPresets(SpotSettings& settings)
{
    settings.baud = QStringLiteral("9600");
    settings.parity = QStringLiteral("N");
    settings.dataBits = QStringLiteral("8");
    settings.stopBits = QStringLiteral("1");
    settings.handshake = 3;
    settings.commandHex = QStringLiteral("03");
}

QByteArray formatSpotSettings(const SpotSettings& s)
{
    QByteArray bytes;
    const auto text = [&bytes](const QString& value) { bytes += WriteFormatLine().addText(value).bytes(); };
    const auto number = [&bytes](int value) { bytes += WriteFormatLine().addNumber(value).bytes(); };
    text(s.baud);
    text(s.parity);
    text(s.dataBits);
    text(s.stopBits);
    number(s.port);
    text(s.power);
    text(s.source);
    number(s.convertToHex);
    number(s.handshake);
    number(s.dxOnly);
    bytes += WriteFormatLine().addBoolean(s.listDisplay).bytes();
    text(s.commandHex);
    text(s.telnetPort);
    text(s.telnetHost);
    return bytes;
}

QString parseSpotSettings(const QByteArray& data, SpotSettings& settings)
{
    std::vector<WriteValue> values;
    WriteFormatReader reader(data);
    WriteLine line;
    while (values.size() < kValueCount && reader.readLine(line)) {
        if (!line.ok())
            return QStringLiteral("line %1: %2").arg(line.number).arg(line.error);
        values.insert(values.end(), line.values.begin(), line.values.end());
    }
    if (values.size() < kValueCount)
        return QStringLiteral("%1 values found, %2 expected").arg(values.size()).arg(kValueCount);

    SpotSettings read;
    const auto textOf = [&values](int index) { return values[std::size_t(index - 1)].text(); };
    const auto choice = [&](int index, const char* what, const QStringList& allowed, QString& into) {
        const QString text = textOf(index);
        if (!allowed.contains(index == 1 ? trimmedRight(text) : text))
            return notOneOf(index, what, text);
        into = text;
        return QString();
    };
    const auto number = [&](int index, const char* what, int low, int high, auto& into) {
        const std::optional<int> value = wholeNumber(values[std::size_t(index - 1)], low, high);
        if (!value)
            return QStringLiteral("value %1 (%2): \"%3\" is not a whole number from %4 to %5")
                .arg(index)
                .arg(QLatin1String(what), textOf(index))
                .arg(low)
                .arg(high);
        into = std::remove_reference_t<decltype(into)>(*value);
        return QString();
    };
    QStringList sources = SpotSourceName::all();
    sources.append(QString()); // no source selected when the file was written
    for (const QString& failure : {
             choice(1, "baud rate", kSpotBaudRates, read.baud),
             choice(2, "parity", {QStringLiteral("O"), QStringLiteral("N"), QStringLiteral("E")},
                    read.parity),
             choice(3, "data bits", {QStringLiteral("7"), QStringLiteral("8")}, read.dataBits),
             choice(4, "stop bits", {QStringLiteral("1"), QStringLiteral("2")}, read.stopBits),
             number(5, "serial port", 1, 10, read.port),
             choice(6, "connection power", {QStringLiteral("N"), QStringLiteral("R"), QStringLiteral("D")},
                    read.power),
             choice(7, "spot source", sources, read.source),
             number(8, "Convert to Hex", 0, 1, read.convertToHex),
             number(9, "handshaking", 1, 4, read.handshake),
             number(10, "List DX Only", 0, 1, read.dxOnly),
         }) {
        if (!failure.isEmpty())
            return failure;
    }
    const std::optional<bool> list = values[10].boolean();
    if (!list)
        return QStringLiteral("value 11 (main form display): \"%1\" is neither #TRUE# nor #FALSE#")
            .arg(textOf(11));
    read.listDisplay = *list;
    read.commandHex = textOf(12);
    read.telnetPort = textOf(13);
    read.telnetHost = textOf(14);
    settings = read;
    return {};
}

SpotSettingsFile::SpotSettingsFile(QString programFolder) : m_file(std::move(programFolder), FileName) {}

FileResult SpotSettingsFile::LoadSpotSettings(SpotSettings& settings)
{
    return m_file.read([&settings](const QByteArray& data) { return parseSpotSettings(data, settings); });
}

FileResult SpotSettingsFile::SaveSpotSettings(const SpotSettings& settings)
{
    return m_file.replace(formatSpotSettings(settings));
}

} // namespace velm
