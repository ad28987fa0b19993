#include "log/SharedPreferences.h"

#include "log/FileIo.h"
#include "log/WriteFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velm {

namespace {

QByteArray headerLine()
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");
}

// Tags are ASCII; QByteArray::toUpper would also touch Latin-1 letters and so split UTF-8 sequences.
QByteArray asciiUpper(const QString& key)
{
    QByteArray bytes = key.toUtf8();
    for (char& c : bytes) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return bytes;
}

QByteArray openTag(const QByteArray& key)
{
    return '<' + key + '>';
}

QByteArray closeTag(const QByteArray& key)
{
    return "</" + key + '>';
}

// End of the line holding position from: the CR of its CR LF, its bare LF, or the end of the text.
qsizetype lineEnd(const QByteArray& text, qsizetype from)
{
    const qsizetype lf = text.indexOf('\n', from);
    if (lf < 0)
        return text.size();
    if (lf > from && text.at(lf - 1) == '\r')
        return lf - 1;
    return lf;
}

struct ValueSpan {
    qsizetype start = -1;   // just after the opening tag; -1 when the key is absent
    qsizetype end = -1;     // where the value stops
    bool hasClosing = true; // false when the closing tag is missing from the tag's line
};

// The value of a key is what follows its first opening tag, up to its closing tag on the same line. A
// closing tag further down belongs to some other line and must not be reached for.
ValueSpan findValue(const QByteArray& text, const QByteArray& key)
{
    ValueSpan span;
    const QByteArray open = openTag(key);
    const qsizetype at = text.indexOf(open);
    if (at < 0)
        return span;
    span.start = at + open.size();
    const qsizetype eol = lineEnd(text, span.start);
    const qsizetype close = text.indexOf(closeTag(key), span.start);
    if (close >= 0 && close <= eol) {
        span.end = close;
    } else {
        span.end = eol;
        span.hasClosing = false;
    }
    return span;
}

QString displayPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

const QByteArray SharedPreferences::Header = headerLine();

SharedPreferences::SharedPreferences() : m_sharedPrefsText(headerLine()) {}

void SharedPreferences::OpenSharedPreferences(const QString& path)
{
    m_sharedPrefsPath = path;
    m_sharedPrefsText = headerLine();
    m_openError.clear();
    m_unreadablePath.clear();

    const QFileInfo info(path);
    if (!info.exists())
        return; // created at the first save
    QFile file(path);
    QByteArray content;
    QString failure;
    if (!info.isFile())
        failure = QStringLiteral("Not a file");
    else if (!file.open(QIODevice::ReadOnly))
        failure = file.errorString();
    else if (content = file.readAll(); file.error() != QFileDevice::NoError)
        failure = file.errorString();
    if (!failure.isEmpty()) {
        m_openError = QStringLiteral("%1: %2").arg(displayPath(path), failure);
        m_unreadablePath = QDir::cleanPath(path);
        return;
    }
    if (content.isEmpty())
        return;
    // Drop the final line break only when there is one: a file without it keeps its last character.
    if (content.endsWith("\r\n"))
        content.chop(2);
    else if (content.endsWith('\n'))
        content.chop(1);
    m_sharedPrefsText = content;
}

SaveResult SharedPreferences::SetSharedPreference(const QString& key, const QString& value, int saveFlag)
{
    const QByteArray tag = asciiUpper(key);
    QByteArray bytes = value.toUtf8();
    // One preference per line: a line break inside a value would split it and lose the rest.
    bytes.replace('\r', ' ').replace('\n', ' ');

    const ValueSpan span = findValue(m_sharedPrefsText, tag);
    if (span.start < 0) {
        m_sharedPrefsText += "\r\n" + openTag(tag) + bytes + closeTag(tag);
    } else {
        if (!span.hasClosing)
            bytes += closeTag(tag);
        m_sharedPrefsText.replace(span.start, span.end - span.start, bytes);
    }

    if (saveFlag == 1)
        return SaveSharedPreferences(m_sharedPrefsPath);
    return {};
}

SaveResult SharedPreferences::SaveSharedPreferences(const QString& path)
{
    m_sharedPrefsPath = path;
    if (!m_unreadablePath.isEmpty() && QDir::cleanPath(path) == m_unreadablePath && QFileInfo::exists(path)) {
        return {false, QStringLiteral("%1: not replaced because it could not be read when opened")
                           .arg(displayPath(path))};
    }

    const QString failure = replaceFile(path, m_sharedPrefsText + "\r\n");
    if (!failure.isEmpty())
        return {false, QStringLiteral("%1: %2").arg(displayPath(path), failure)};
    return {};
}

QString SharedPreferences::value(const QString& key) const
{
    const ValueSpan span = findValue(m_sharedPrefsText, asciiUpper(key));
    if (span.start < 0)
        return {};
    return QString::fromUtf8(m_sharedPrefsText.mid(span.start, span.end - span.start));
}

} // namespace velm
