#include "transmit/CwFile.h"

#include "log/WriteFormat.h"

#include <QFileInfo>

namespace velm {

const QString CwFile::FileName = QStringLiteral("cw.txt");

namespace {

enum class Field { Message, Port, Speed, WordSpace, Method, Address, Display, Repeat };

struct LineField {
    Field field;
    int message = -1; // the message index of a Message line
};

constexpr LineField kLines[CwFile::LineCount] = {
    {Field::Message, 0}, {Field::Message, 1}, {Field::Message, 2},  {Field::Message, 3}, {Field::Message, 4},
    {Field::Message, 5}, {Field::Message, 6}, {Field::Message, 7},  {Field::Message, 8}, {Field::Port},
    {Field::Speed},      {Field::Message, 9}, {Field::Message, 10}, {Field::WordSpace},  {Field::Method},
    {Field::Address},    {Field::Display},    {Field::Repeat},
};

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

} // namespace

QString settingsLineProblem(const WriteLine& line)
{
    if (!line.ok())
        return line.error;
    if (line.values.size() > 1)
        return QStringLiteral("more than one value");
    if (line.values.empty())
        return {};
    const WriteValue& value = line.values.front();
    if (value.raw.size() > CwFile::LongestValue)
        return QStringLiteral("a value longer than %1 characters").arg(CwFile::LongestValue);
    const QString text = value.text();
    for (QChar c : text) {
        if (isControl(c))
            return QStringLiteral("control characters (binary data)");
    }
    return {};
}

QString readCwLines(const QByteArray& data, CwSettings& settings)
{
    WriteFormatReader reader(data);
    WriteLine line;
    for (const LineField& expected : kLines) {
        if (!reader.readLine(line))
            return {}; // a shorter file reads as far as it goes
        const QString lineNumber = QStringLiteral("line %1: ").arg(line.number);
        if (const QString problem = settingsLineProblem(line); !problem.isEmpty())
            return lineNumber + problem;
        const QString text = line.values.empty() ? QString() : line.values.front().text();
        std::optional<double> number;
        if (expected.field == Field::Method || expected.field == Field::Display || expected.field == Field::Repeat) {
            number = line.values.empty() ? std::optional<double>(0) : line.values.front().number();
            if (!number)
                return lineNumber + QStringLiteral("\"%1\" is not a number").arg(text);
        }
        switch (expected.field) {
        case Field::Message:
            settings.messages[expected.message] =
                expected.message == 8 && text.isEmpty() ? CwSettings::kTestMessageDefault : text;
            break;
        case Field::Port:
            settings.portText = text;
            break;
        case Field::Speed:
            settings.speedText = text;
            break;
        case Field::WordSpace:
            settings.wordSpaceText = wordSpaceRule(text);
            break;
        case Field::Method:
            settings.method = *number == int(*number) ? keyingMethodOf(int(*number)) : KeyingMethod::None;
            break;
        case Field::Address:
            settings.parallelAddress = text;
            break;
        case Field::Display:
            settings.displayOnMainWindow = *number == 1;
            break;
        case Field::Repeat:
            settings.repeatText = repeatSecondsOf(text.isEmpty() ? QStringLiteral("0") : text)
                                      ? (text.isEmpty() ? QStringLiteral("0") : text)
                                      : QStringLiteral("0");
            break;
        }
    }
    return {};
}

QByteArray cwFileBytes(const CwSettings& settings)
{
    const auto text = [](const QString& value) { return WriteFormatLine().addText(value).bytes(); };
    const auto number = [](double value) { return WriteFormatLine().addNumber(value).bytes(); };
    QByteArray bytes;
    for (const LineField& line : kLines) {
        switch (line.field) {
        case Field::Message:
            bytes += text(settings.messages[line.message]);
            break;
        case Field::Port:
            bytes += text(settings.portText);
            break;
        case Field::Speed:
            bytes += text(settings.speedText);
            break;
        case Field::WordSpace:
            bytes += text(settings.wordSpaceText);
            break;
        case Field::Method:
            bytes += number(double(quint8(settings.method)));
            break;
        case Field::Address:
            bytes += text(settings.parallelAddress);
            break;
        case Field::Display:
            bytes += number(settings.displayOnMainWindow ? 1 : 0);
            break;
        case Field::Repeat:
            bytes += text(settings.repeatText);
            break;
        }
    }
    return bytes;
}

CwFile::CwFile(QString programFolder) : m_file(std::move(programFolder), FileName) {}

FileResult CwFile::read(CwSettings& settings)
{
    if (!QFileInfo::exists(m_file.path()))
        return {};
    return m_file.read([&settings](const QByteArray& data) { return readCwLines(data, settings); });
}

FileResult CwFile::write(const CwSettings& settings, QString* keptAs)
{
    if (const FileResult kept = m_file.setAsideUnread(keptAs); !kept.ok)
        return kept;
    return m_file.replace(cwFileBytes(settings));
}

} // namespace velm
