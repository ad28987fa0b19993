#include "transmit/WaveSettings.h"

#include "log/WriteFormat.h"
#include "transmit/CwFile.h"
#include "transmit/CwSettings.h"

#include <QFileInfo>

namespace velm {

const QString WaveSettingsFile::FileName = QStringLiteral("wave2.txt");

namespace {
constexpr qint64 kLargestFile = 1024 * 1024;
constexpr int kPortLine = 10, kLineLine = 11, kRepeatLine = 12, kAddressLine = 13;
} // namespace

bool storablePath(const QString& path)
{
    return !path.contains(QLatin1Char('"')) && !path.contains(QLatin1Char('\n')) &&
           !path.contains(QLatin1Char('\r'));
}

QString addressRule(const QString& text)
{
    QString out = text;
    out.remove(QLatin1Char('"'));
    return out.toUpper();
}

int pttPortOf(const QString& text)
{
    return wholeNumber(text).value_or(0);
}

QString readWaveSettingsLines(const QByteArray& data, VoiceKeyerSettings& settings)
{
    WriteFormatReader reader(data);
    WriteLine line;
    for (int number = 1; number <= WaveSettingsFile::LineCount; ++number) {
        if (!reader.readLine(line))
            return {}; // a shorter file reads as far as it goes
        const QString where = QStringLiteral("line %1: ").arg(line.number);
        if (const QString problem = settingsLineProblem(line); !problem.isEmpty())
            return where + problem;
        const QString text = line.values.empty() ? QString() : line.values.front().text();
        if (number <= kVoiceMessageCount) {
            settings.files[std::size_t(number - 1)] = text.trimmed();
        } else if (number == kPortLine) {
            settings.portText = text;
        } else if (number == kLineLine) {
            if (text.trimmed().isEmpty()) {
                settings.line = PttLine::None;
                continue;
            }
            const std::optional<double> value = line.values.front().number();
            if (!value || (*value != 0 && *value != 1 && *value != 2))
                return where + QStringLiteral("\"%1\" is not a PTT line (0, 1 or 2)").arg(text);
            settings.line = PttLine(qint8(*value));
        } else if (number == kRepeatLine) {
            settings.repeatText = repeatSecondsOf(text) ? text : QStringLiteral("0");
        } else if (number == kAddressLine) {
            settings.parallelAddress = text;
        }
    }
    return {};
}

QByteArray waveSettingsBytes(const VoiceKeyerSettings& settings)
{
    const auto text = [](const QString& value) { return WriteFormatLine().addText(value).bytes(); };
    QByteArray bytes;
    for (const QString& file : settings.files)
        bytes += text(file.trimmed());
    bytes += text(settings.portText);
    bytes += settings.line == PttLine::None ? QByteArray("\r\n")
                                            : WriteFormatLine().addNumber(double(settings.line)).bytes();
    bytes += text(settings.repeatText);
    bytes += text(settings.parallelAddress);
    return bytes;
}

WaveSettingsFile::WaveSettingsFile(QString programFolder) : m_file(std::move(programFolder), FileName) {}

FileResult WaveSettingsFile::read(VoiceKeyerSettings& settings)
{
    if (!QFileInfo::exists(m_file.path()))
        return {};
    return m_file.read([&settings](const QByteArray& data) { return readWaveSettingsLines(data, settings); },
                       kLargestFile);
}

FileResult WaveSettingsFile::write(const VoiceKeyerSettings& settings, QString* keptAs)
{
    if (const FileResult kept = m_file.setAsideUnread(keptAs); !kept.ok)
        return kept;
    return m_file.replace(waveSettingsBytes(settings));
}

} // namespace velm
