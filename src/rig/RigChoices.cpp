#include "rig/RigChoices.h"

#include "rig/RigTypes.h"

namespace velm {

namespace {

const std::array<RigOptionGroup, kRigOptionGroups>& groups()
{
    static const std::array<RigOptionGroup, kRigOptionGroups> table = [] {
        std::array<RigOptionGroup, kRigOptionGroups> g;
        g[std::size_t(RigOption::Baud)] = {
            QStringLiteral("Baud Rate (k):"),
            {"1200", "2400", "4800", "9600", "14400", "19200", "28800", "38400", "56000"},
            {"1.2", "2.4", "4.8", "9.6", "14.4", "19.2", "28.8", "38.4", "56"}};
        g[std::size_t(RigOption::Parity)] = {
            QStringLiteral("Parity:"), {"O", "N", "E"}, {"Odd", "None", "Even"}};
        g[std::size_t(RigOption::DataBits)] = {QStringLiteral("Data Bits:"), {"7", "8"}, {"7", "8"}};
        g[std::size_t(RigOption::StopBits)] = {QStringLiteral("Stop Bits:"), {"1", "2"}, {"1", "2"}};
        QStringList ports;
        for (int n = 1; n <= 10; ++n)
            ports << QString::number(n);
        g[std::size_t(RigOption::Port)] = {QStringLiteral("Comm Port:"), ports, ports};
        g[std::size_t(RigOption::Power)] = {
            QStringLiteral("Connection Power:"), {"N", "R", "D"}, {"None", "RTS", "DTR"}};
        g[std::size_t(RigOption::PollRate)] = {QStringLiteral("Radio Polling Rate:"),
                                               {"F", "M", "S", "R"},
                                               {"100 ms", "500 ms", "2 Sec", "10 Sec"}};
        return g;
    }();
    return table;
}

int optionIndex(RigOption group, const QString& value)
{
    return int(rigOptionGroup(group).values.indexOf(value));
}

QString trimmedRight(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

void setConvertToHex(RigChoices& choices, bool on)
{
    // Checking or unchecking "Convert to Hex" by hand or by a preset carries the value into "Convert from
    // Hex".
    choices.convertToHex = on;
    choices.convertFromHex = on;
}

} // namespace

const RigOptionGroup& rigOptionGroup(RigOption group)
{
    return groups()[std::size_t(group)];
}

RigChoices designDefaultChoices()
{
    RigChoices choices;
    choices[RigOption::Baud] = optionIndex(RigOption::Baud, QStringLiteral("56000"));
    choices[RigOption::Parity] = optionIndex(RigOption::Parity, QStringLiteral("N"));
    choices[RigOption::DataBits] = optionIndex(RigOption::DataBits, QStringLiteral("8"));
    choices[RigOption::StopBits] = optionIndex(RigOption::StopBits, QStringLiteral("1"));
    choices[RigOption::Port] = 0;
    choices[RigOption::Power] = optionIndex(RigOption::Power, QStringLiteral("N"));
    choices[RigOption::PollRate] = optionIndex(RigOption::PollRate, QStringLiteral("M"));
    return choices;
}

std::optional<QString> selectedValue(const RigChoices& choices, RigOption group)
{
    const int index = choices[group];
    const QStringList& values = rigOptionGroup(group).values;
    if (index < 0 || index >= values.size())
        return std::nullopt;
    return values.at(index);
}

void selectStoredSettings(RigChoices& choices, const RigSettings& settings, int fieldsRead)
{
    // Field numbers as in the file.
    const auto read = [fieldsRead](int field) { return field <= fieldsRead; };
    if (read(1))
        choices[RigOption::Baud] = optionIndex(RigOption::Baud, trimmedRight(settings.BaudRate));
    if (read(2))
        choices[RigOption::Parity] = optionIndex(RigOption::Parity, settings.Parity);
    if (read(3))
        choices[RigOption::DataBits] = optionIndex(RigOption::DataBits, settings.DataBits);
    if (read(4))
        choices[RigOption::StopBits] = optionIndex(RigOption::StopBits, settings.StopBits);
    if (read(8))
        choices[RigOption::Port] =
            settings.PortNumber >= 1 && settings.PortNumber <= 10 ? settings.PortNumber - 1 : -1;
    if (read(9))
        choices[RigOption::Power] = optionIndex(RigOption::Power, settings.PowerLine);
    if (read(10))
        choices[RigOption::PollRate] = optionIndex(RigOption::PollRate, settings.PollRate);
    if (read(12))
        setConvertToHex(choices, settings.ConvertToHex == 1);
    if (read(13))
        choices.useFrequency = settings.UseFrequency == 1;
    if (read(14))
        choices.modeBy = settings.ModeSource >= 1 && settings.ModeSource <= 3 ? ModeBy(settings.ModeSource)
                                                                              : ModeBy::Nothing;
    choices.convertToHexEnabled = settings.RigType == rigtype::Other;
    choices.icomNote = settings.RigType == rigtype::Icom;
}

void takeChoices(RigSettings& settings, const RigChoices& choices)
{
    if (const std::optional<QString> port = selectedValue(choices, RigOption::Port))
        settings.PortNumber = quint8(port->toInt());
    if (const std::optional<QString> baud = selectedValue(choices, RigOption::Baud))
        settings.BaudRate = paddedBaudRate(*baud);
    const std::pair<RigOption, QString*> letters[] = {{RigOption::Parity, &settings.Parity},
                                                      {RigOption::DataBits, &settings.DataBits},
                                                      {RigOption::StopBits, &settings.StopBits},
                                                      {RigOption::Power, &settings.PowerLine},
                                                      {RigOption::PollRate, &settings.PollRate}};
    for (const auto& [group, field] : letters) {
        if (const std::optional<QString> value = selectedValue(choices, group))
            *field = *value;
    }
    settings.CommSettings = commSettingsText(settings);
}

void applyRigPreset(RigSettings& settings, RigChoices& choices, const QString& rigType)
{
    settings.RigType = rigType;
    const RigPreset preset = rigPreset(rigType);
    settings.FrequencyQuery = preset.frequencyQuery;
    settings.ModeQuery = preset.modeQuery;
    setConvertToHex(choices, preset.convertToHex);
    choices.convertToHexEnabled = preset.convertToHexEnabled;
    choices.icomNote = preset.icomNote;
    const std::pair<RigOption, const std::optional<QString>*> lines[] = {
        {RigOption::Baud, &preset.baud},
        {RigOption::DataBits, &preset.dataBits},
        {RigOption::StopBits, &preset.stopBits},
        {RigOption::Parity, &preset.parity}};
    for (const auto& [group, value] : lines) {
        if (*value)
            choices[group] = optionIndex(group, **value);
    }
}

void takeCheckBoxes(RigSettings& settings, const RigChoices& choices)
{
    settings.ConvertToHex = choices.convertToHex ? 1 : 0;
    settings.UseFrequency = choices.useFrequency ? 1 : 0;
    settings.ModeSource = choices.modeBy == ModeBy::Frequency ? 2 : choices.modeBy == ModeBy::DontUse ? 3 : 1;
}

} // namespace velm
