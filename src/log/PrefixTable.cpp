#include "log/PrefixTable.h"

#include "log/FileIo.h"
#include "log/ProgramFolder.h"
#include "log/WriteFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>
#include <cmath>

namespace velm {

Q_LOGGING_CATEGORY(lcPrefixTable, "velm.log.prefixes", QtInfoMsg)

namespace {

const QString kPrefixFileName = QStringLiteral("arrlpre2.txt");
const QString kNotFound = QStringLiteral("Not Found");
constexpr int kFieldCount = 8;

// Whole number, half away from zero, with "," between thousands.
QString groupedWhole(double value)
{
    QString digits = QString::number(std::llround(std::fabs(value)));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return std::llround(value) < 0 ? QLatin1Char('-') + digits : digits;
}

std::optional<float> floatValue(const WriteValue& value)
{
    // An empty value is an unset number, as everywhere in the write format.
    if (value.raw.trimmed().isEmpty())
        return 0.0f;
    return parseSingle(value.raw);
}

QChar firstChar(const QString& text)
{
    return text.isEmpty() ? QChar() : text.front();
}

} // namespace

std::optional<BearingDistance> HDCalc(float ownLat, float ownLong, double cntlat, double cntlong)
{
    const double k = 57.29577951;
    const double halfPi = 2 * std::atan(1.0);
    const double phi1 = ownLat, lambda1 = ownLong;
    // Exactly the same point: rounding may leave x a hair below 1 and give a bearing out of noise.
    if (phi1 == cntlat && lambda1 == cntlong)
        return std::nullopt;

    const double x = std::sin(cntlat / k) * std::sin(phi1 / k) +
                     std::cos(cntlat / k) * std::cos(phi1 / k) * std::cos((lambda1 - cntlong) / k);
    const double xRest = 1 - x * x;
    if (!(xRest > 0)) // coincident or antipodal, or not finite
        return std::nullopt;
    const double d = std::atan(-x / std::sqrt(xRest)) + halfPi; // central angle, radians
    const double D = d * k;

    const double y = (std::sin(cntlat / k) - x * std::sin(phi1 / k)) / (std::cos(phi1 / k) * std::sin(D / k));
    double A = 0;
    const double yRest = 1 - y * y;
    if (yRest > 0)
        A = std::atan(-y / std::sqrt(yRest)) + halfPi;
    else if (std::fabs(y) <= 1 + 1e-9)
        A = y > 0 ? 0 : 2 * halfPi; // due north or south; only rounding takes |y| past 1 here
    else
        return std::nullopt; // own station on a pole, or not finite

    const double bearing = std::sin((lambda1 - cntlong) / k) > 0 ? A * k : 360 - A * k;
    const double miles = d * 3955.75791314991;
    if (!std::isfinite(bearing) || !std::isfinite(miles))
        return std::nullopt;
    return BearingDistance{groupedWhole(bearing) + QLatin1Char(' '), groupedWhole(miles) + QLatin1Char(' ')};
}

FileResult PrefixTable::LoadPrefixTable(const QStringList& folders)
{
    m_entries.clear();
    m_upperPrefixes.clear();
    // No table anywhere: every lookup finds nothing.
    FileResult result = loadTableFromFolders(
        folders, kPrefixFileName, false,
        [this](const QByteArray& bytes, QString* error) { return loadFromBytes(bytes, error); });
    qCDebug(lcPrefixTable) << (result.ok ? QStringLiteral("%1 entries").arg(count()) : result.error);
    return result;
}

bool PrefixTable::loadFromBytes(const QByteArray& bytes, QString* error)
{
    m_entries.clear();
    m_upperPrefixes.clear();
    std::vector<PrefixEntry> entries;
    WriteFormatReader reader(bytes);
    WriteLine line;
    QString reason;
    while (reader.readLine(line)) {
        if (line.isBlank())
            continue;
        if (!line.ok()) {
            reason = line.error;
        } else if (line.values.size() != std::size_t(kFieldCount)) {
            reason = QStringLiteral("%1 values found, %2 expected").arg(line.values.size()).arg(kFieldCount);
        } else if (entries.size() >= std::size_t(Capacity)) {
            reason = QStringLiteral("more than %1 entries").arg(Capacity);
        } else {
            const std::optional<float> longitude = floatValue(line.values[3]);
            const std::optional<float> latitude = floatValue(line.values[4]);
            if (!longitude || !latitude) {
                reason = QStringLiteral("the %1 \"%2\" is not a number")
                             .arg(longitude ? QStringLiteral("latitude") : QStringLiteral("longitude"),
                                  (longitude ? line.values[4] : line.values[3]).text());
            } else {
                entries.push_back({line.values[0].text(), line.values[1].text(), line.values[2].text(),
                                   *longitude, *latitude});
                continue;
            }
        }
        if (error)
            *error = QStringLiteral("line %1: %2").arg(line.number).arg(reason);
        return false;
    }
    m_entries = std::move(entries);
    m_upperPrefixes.reserve(m_entries.size());
    for (const PrefixEntry& entry : m_entries)
        m_upperPrefixes.push_back(entry.Prefix.toUpper());
    return true;
}

const PrefixEntry& PrefixTable::entry(int number) const
{
    static const PrefixEntry none;
    Q_ASSERT(number >= 1 && number <= count());
    return number >= 1 && number <= count() ? m_entries[std::size_t(number - 1)] : none;
}

int PrefixTable::findPrefix(const QString& call, bool ignoreCase) const
{
    // A call with a short part after the slash (W1ABC/KH6) is worked from that part; /P, /4 and a long
    // part after the slash (KH6/W1ABC) leave the call whole.
    QString key = ignoreCase ? call.toUpper() : call;
    if (const qsizetype slash = key.indexOf(QLatin1Char('/')); slash >= 0) {
        const qsizetype after = key.size() - slash - 1;
        if (after > 1 && double(after) < double(key.size()) / 2)
            key = key.right(after);
    }
    if (key.isEmpty() || m_entries.empty())
        return 0;
    const std::vector<QString>* upper = ignoreCase ? &m_upperPrefixes : nullptr;
    const auto prefix = [&](int number) -> const QString& {
        return upper ? (*upper)[std::size_t(number - 1)] : m_entries[std::size_t(number - 1)].Prefix;
    };

    // Start where the key's first character would sit if the table were spread evenly over A to Z
    // (digits and other characters below "A" start at A's place); ignoring case, the key is upper-cased
    // first, so a call typed in lower case starts there too.
    const QChar first = key.front();
    const qint64 code = std::max<qint64>(first.unicode(), 65);
    qint64 start = qint64(count()) * (code - 64) / 26;
    if (start > count())
        return 0;
    int number = std::max<int>(int(start), 1);
    // Back off until the start lies before the key's first character, so no entry of it is skipped.
    while (firstChar(prefix(number)) == first && number > 1)
        number = std::max(number - 5, 1);

    const bool downward = firstChar(prefix(number)) > first;
    const int step = downward ? -1 : 1;
    int best = 0;
    qsizetype bestLength = 0;
    for (; number >= 1 && number <= count(); number += step) {
        const QString& candidate = prefix(number);
        if (candidate.size() > bestLength && key.startsWith(candidate)) {
            best = number;
            bestLength = candidate.size();
        }
        const QChar head = firstChar(candidate);
        if (downward ? head < first : head > first)
            break;
    }
    return best;
}

PrefixLookupResult PrefixTable::PrefixLookup(const QString& call, const QString& spcTextNow, float ownLat,
                                             float ownLong, const QString& spcFromLookup) const
{
    PrefixLookupResult result;
    if (call.isEmpty()) {
        // Nothing to look up; only a "Not Found" left from the previous text takes its labels along.
        result.updateLabels = spcTextNow == kNotFound;
        return result;
    }
    result.selectSpc = true;

    const int number = findPrefix(call, true);
    const QString country = number ? entry(number).Country : QString();
    const bool usaOrCanada = country.compare(QLatin1String("USA"), Qt::CaseInsensitive) == 0 ||
                             country.compare(QLatin1String("Canada"), Qt::CaseInsensitive) == 0;
    if (number == 0) {
        result.spcText = kNotFound;
        return result;
    }
    if (usaOrCanada) {
        // The operator types the state or province. What an earlier lookup wrote is no answer of the
        // operator's and goes; a "Not Found" the operator typed keeps the continent empty.
        if (!spcTextNow.isEmpty() && spcTextNow == spcFromLookup)
            result.spcText = QString();
        else if (spcTextNow == kNotFound)
            return result;
        result.continent = QStringLiteral("NA");
        return result;
    }

    const PrefixEntry* found = &entry(number);
    QString spc = country;
    // KG4 with one or with three or more characters after it is a USA call, not Guantanamo Bay.
    if (call.startsWith(QLatin1String("KG4"), Qt::CaseInsensitive) && (call.size() == 4 || call.size() > 5)) {
        spc.clear();
        for (const PrefixEntry& candidate : m_entries) {
            if (candidate.Country.compare(QLatin1String("USA"), Qt::CaseInsensitive) == 0) {
                found = &candidate;
                break;
            }
        }
    } else if (country.compare(QLatin1String("Alaska"), Qt::CaseInsensitive) == 0) {
        spc = QStringLiteral("AK");
    } else if (country.compare(QLatin1String("Hawaii"), Qt::CaseInsensitive) == 0) {
        spc = QStringLiteral("HI");
    }
    result.spcText = spc;
    result.continent = found->Continent;
    if (const auto bearing = HDCalc(ownLat, ownLong, found->Latitude, found->Longitude)) {
        result.bearing = bearing->bearing;
        result.miles = bearing->miles;
    }
    return result;
}

QString PrefixTable::DXSpotCountry(const QString& call) const
{
    const int number = findPrefix(call, false);
    if (number == 0)
        return {};
    if (call.startsWith(QLatin1String("KG4")) && call.size() > 5)
        return QStringLiteral("USA");
    return entry(number).Country;
}

QString PrefixTable::ProvinceFromCall(const QString& call, const QString& spcTextNow) const
{
    if (call.size() <= 2 || !spcTextNow.isEmpty())
        return {};
    static const struct {
        const char* callArea;
        const char* province;
    } provinces[] = {{"VE1", "NS"}, {"VE2", "QC"}, {"VE3", "ON"}, {"VE4", "MB"}, {"VE5", "SK"},
                     {"VE6", "AB"}, {"VE7", "BC"}, {"VE8", "NT"}, {"VE9", "NB"}, {"VY1", "NT"},
                     {"VY2", "PE"}, {"VO1", "NF"}, {"VO2", "LB"}};
    const QString callArea = call.left(3).toUpper();
    for (const auto& province : provinces) {
        if (callArea == QLatin1String(province.callArea))
            return QString::fromLatin1(province.province);
    }
    return {};
}

std::optional<PrefixTable::Completion> PrefixTable::CountryCompletion(const QString& spcText, int caret,
                                                                      QChar typed, float ownLat,
                                                                      float ownLong) const
{
    if (spcText.size() < 2 || !typed.isPrint())
        return std::nullopt;
    const QString start = spcText.left(std::clamp<qsizetype>(caret, 0, spcText.size())) + typed;
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (!it->Country.startsWith(start, Qt::CaseInsensitive))
            continue;
        Completion completion;
        completion.text = start + it->Country.mid(start.size());
        completion.selectionStart = int(start.size());
        completion.selectionLength = int(it->Country.size() - start.size());
        completion.continent = it->Continent;
        completion.bearing = HDCalc(ownLat, ownLong, it->Latitude, it->Longitude);
        return completion;
    }
    return std::nullopt;
}

std::optional<CountryMatch> PrefixTable::completeCountry(const QString& typed) const
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (it->Country.startsWith(typed))
            return CountryMatch{it->Country, it->Longitude, it->Latitude, it->Continent};
    }
    return std::nullopt;
}

} // namespace velm
