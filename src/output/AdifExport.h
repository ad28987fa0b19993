#pragma once
// Responsibilities: the ADIF export as text: the country-name to DXCC-number table (ADIFCnt.txt), the
// per-contact state, country, date and time derivations, and the header and records of the .adi file.

#include "log/LogFile.h"
#include "log/LogStore.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace velm {

// ADIF (Amateur Data Interchange Format), ADI form: fields "<TAG:length>data", header ended by "<EOH>", each
// record ended by "<eor>". The file is written in UTF-8, and every length is the number of bytes of the data
// in the file (most readers count bytes): "<Call:7>OE1ÄBC", since Ä takes two.

struct DxccEntry {
    QString name;
    qint16 number = 0;
};

class DxccTable {
public:
    static constexpr int Capacity = 1000;
    static const QString FileName; // "ADIFCnt.txt"

    // Looks for ADIFCnt.txt in each folder in turn (name matched ignoring letter case; empty folders skipped)
    // and reads the first one found. Found nowhere, a missing file, an unreadable or malformed file or more
    // than Capacity pairs: failure with the file's path and the reason, table left empty.
    FileResult LoadDxccTable(const QStringList& folders);
    // Successive pairs of items, a text then a whole number, however they are spread over lines.
    bool loadFromBytes(const QByteArray& bytes, QString* error = nullptr);

    int count() const { return int(m_entries.size()); }
    const DxccEntry& entry(int number) const { return m_entries.at(std::size_t(number - 1)); } // 1-based
    // The number of the first entry named country (trimmed, letter case ignored); 0 when there is none.
    int dxccFor(const QString& country) const;

private:
    std::vector<DxccEntry> m_entries;
};

// State and country of a contact, as both exports derive them from the S/P/C and the call.
struct StateCountry {
    QString state, country;
};
// The ADIF export's rule: two characters with a call beginning A, K, N or W are a US state ("HI" Hawaii, "AK"
// Alaska, otherwise "USA"); two characters otherwise are Canada (no state); a longer S/P/C is the country.
StateCountry adifStateCountry(const QsoRecord& record);

// "yyyy/mm/dd" (any date the log may hold) as "YYYYMMDD"; empty when it is no valid date.
QString adifDate(const QString& qsoDate);
// The log's time as four digits hhmm: "14:05:33" -> "1405", "7:05" -> "0705", "" -> "0000".
QString adifTime(const QString& qsoTime);
// One field: "<" + tag + ":" + length + ">" + data, the length in bytes of the data in UTF-8.
QString adifField(const QString& tag, const QString& data);

struct AdifOptions {
    QString power;   // stamped on every record when not empty
    QString comment; // likewise
};

// Header lines: the title (the main window's), two credit lines, the export time, then "<EOH>".
QByteArray adifHeader(const QString& windowTitle, const QDateTime& exportedAt);
// One record: three lines (four with a comment), the last one empty.
QByteArray adifRecord(const QsoRecord& record, const DxccTable& dxcc, const AdifOptions& options);
// The whole file: header, then every record in log order.
QByteArray adifFile(const LogStore& store, const DxccTable& dxcc, const AdifOptions& options,
                    const QString& windowTitle, const QDateTime& exportedAt);

} // namespace velm
