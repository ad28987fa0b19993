#pragma once
// Responsibilities: the values of write-format data read one after another whatever the line breaks (blank
// lines skipped), for the small settings files whose readers take "the next item" rather than a line.

#include "log/WriteFormat.h"

#include <optional>

namespace velm {

class WriteFormatItems {
public:
    explicit WriteFormatItems(QByteArrayView data) : m_data(data), m_reader(data) {}
    explicit WriteFormatItems(QByteArray&&) = delete; // the values would view a destroyed array

    // The next value (a view into the data); nullopt at the end of the data or at a line that breaks the
    // format, error() then saying which line and why.
    std::optional<WriteValue> next()
    {
        while (m_index >= m_line.values.size()) {
            if (!m_error.isEmpty() || !m_reader.readLine(m_line))
                return std::nullopt;
            m_index = 0;
            if (!m_line.ok()) {
                m_error = QStringLiteral("line %1: %2").arg(m_line.number).arg(m_line.error);
                m_line.values.clear();
                return std::nullopt;
            }
        }
        return m_line.values[m_index++];
    }

    // The line of the value next() returned last.
    int lineNumber() const { return m_line.number; }
    QString error() const { return m_error; }
    // Whether the value next() returned last was followed by a comma or a line break: a value that runs to
    // the very end of the data may have been cut while another program was writing the file.
    bool lastValueEnded() const
    {
        if (m_index < m_line.values.size() || !m_reader.atEnd())
            return true;
        return !m_data.isEmpty() && (m_data.back() == '\n' || m_data.back() == '\r');
    }

private:
    QByteArrayView m_data;
    WriteFormatReader m_reader;
    WriteLine m_line;
    std::size_t m_index = 0;
    QString m_error;
};

} // namespace velm
