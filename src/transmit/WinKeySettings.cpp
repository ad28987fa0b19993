#include "transmit/WinKeySettings.h"

#include "log/WriteFormat.h"
#include "transmit/CwFile.h"
#include "transmit/CwSettings.h"

#include <QDir>
#include <QFileInfo>

namespace velm {

const QString WinKeyFile::FileName = QStringLiteral("WK.txt");

quint8 knownPinConfiguration(double value)
{
    for (quint8 known : {kPinKey5Out3Off, kPinKey5Off3Out, kPinTone, kPinPtt}) {
        if (value == known)
            return known;
    }
    return kPinTone;
}

quint8 knownKeyerMode(double value)
{
    for (quint8 known : {kModeIambicB, kModeIambicA, kModeUltimatic, kModeBug}) {
        if (value == known)
            return known;
    }
    return kModeIambicB;
}

namespace {

WinKeyFieldRule rangeRule(const QString& text, const QString& fallback, int lowest, int highest)
{
    const std::optional<int> value = wholeNumber(text);
    if (!value)
        return {parseNumber(QStringView(text)) ? text : fallback, std::nullopt};
    if (*value < lowest || *value > highest)
        return {text, std::nullopt};
    return {text, quint8(*value)};
}

std::optional<quint8> byteOf(const QString& text)
{
    const std::optional<int> value = wholeNumber(text);
    if (!value || *value < 0 || *value > 255)
        return std::nullopt;
    return quint8(*value);
}

} // namespace

WinKeyFieldRule speedRule(const QString& text)
{
    return rangeRule(text, QStringLiteral("18"), 0, 99);
}

WinKeyFieldRule weightRule(const QString& text)
{
    return rangeRule(text, QStringLiteral("50"), 0, 99);
}

WinKeyFieldRule ratioRule(const QString& text)
{
    return rangeRule(text, QStringLiteral("50"), 32, 67);
}

LeadTailRule leadTailRule(const QString& leftText, const QString& otherText, bool leftIsLeadIn)
{
    const std::optional<quint8> left = byteOf(leftText);
    const std::optional<quint8> other = byteOf(otherText);
    if (!left || !other)
        return {QStringLiteral("0"), std::nullopt};
    return {leftText, leftIsLeadIn ? std::pair(*left, *other) : std::pair(*other, *left)};
}

int winKeyPortRule(const QString& text)
{
    return byteOf(text).value_or(0);
}

std::optional<QString> winKeyStatusText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("WK Success!");
    case -1:
        return QStringLiteral("No Echo Response");
    case -2:
        return QStringLiteral("Echo Mismatch");
    case -3:
        return QStringLiteral("No Open Response");
    case -4:
        return QStringLiteral("Com Open Failed");
    case -5:
        return QStringLiteral("Get Com ST Failed");
    case -6:
        return QStringLiteral("Set Com ST Failed");
    case -8:
        return QStringLiteral("WK Already Open");
    case -9:
        return QStringLiteral("WK Not Open");
    default:
        return std::nullopt;
    }
}

QString readWinKeyLines(const QByteArray& data, WinKeySettings& settings)
{
    WriteFormatReader reader(data);
    WriteLine line;
    for (int n = 1; n <= WinKeyFile::LineCount; ++n) {
        if (!reader.readLine(line))
            return {}; // lines 7 and 8 may be missing; so may any after a short file
        const QString lineNumber = QStringLiteral("line %1: ").arg(line.number);
        if (const QString problem = settingsLineProblem(line); !problem.isEmpty())
            return lineNumber + problem;
        const QString text = line.values.empty() ? QString() : line.values.front().text();
        const std::optional<double> number = line.values.empty() ? 0.0 : line.values.front().number();
        const bool numeric = n == 1 || n >= 7;
        if (numeric && !number)
            return lineNumber + QStringLiteral("\"%1\" is not a number").arg(text);
        switch (n) {
        case 1:
            settings.port = winKeyPortRule(text.isEmpty() ? QStringLiteral("0") : text);
            break;
        case 2:
            settings.speedText = text;
            break;
        case 3:
            settings.weightText = text;
            break;
        case 4:
            settings.leadInText = text;
            break;
        case 5:
            settings.tailText = text;
            break;
        case 6:
            settings.ratioText = text;
            break;
        case 7:
            settings.pinConfiguration = knownPinConfiguration(*number);
            break;
        default:
            settings.keyerMode = knownKeyerMode(*number);
            break;
        }
    }
    return {};
}

QByteArray winKeyFileBytes(const WinKeySettings& s)
{
    const auto text = [](const QString& value) { return WriteFormatLine().addText(value).bytes(); };
    const auto number = [](double value) { return WriteFormatLine().addNumber(value).bytes(); };
    return number(s.port) + text(s.speedText) + text(s.weightText) + text(s.leadInText) + text(s.tailText) +
           text(s.ratioText) + number(s.pinConfiguration) + number(s.keyerMode);
}

WinKeyFile::WinKeyFile(QString userDataFolder) : m_folder(std::move(userDataFolder)), m_file(m_folder, FileName)
{
}

QString WinKeyFile::path() const
{
    return m_folder.isEmpty() ? FileName : m_file.path();
}

FileResult WinKeyFile::read(WinKeySettings& settings)
{
    if (m_folder.isEmpty() || !QFileInfo::exists(m_file.path()))
        return {};
    return m_file.read([&settings](const QByteArray& data) { return readWinKeyLines(data, settings); });
}

FileResult WinKeyFile::write(const WinKeySettings& settings, QString* keptAs)
{
    // Without the user data folder the file would land wherever the name happens to point.
    if (m_folder.isEmpty() || !QFileInfo(m_folder).isDir())
        return {false, QStringLiteral("%1: the user data folder %2 does not exist")
                           .arg(FileName, m_folder.isEmpty() ? QStringLiteral("(none)")
                                                             : QDir::toNativeSeparators(m_folder))};
    if (const FileResult kept = m_file.setAsideUnread(keptAs); !kept.ok)
        return kept;
    return m_file.replace(winKeyFileBytes(settings));
}

} // namespace velm
