#pragma once
// Responsibilities: the read-only prefix table (arrlpre2.txt) and what the main window, the band map and the
// station window ask of it: country, continent, bearing and distance of a call, province, country completion.

#include "log/LogFile.h"
#include "log/CountrySource.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace velm {

struct PrefixEntry {
    QString Prefix, Country, Continent;
    float Longitude = 0, Latitude = 0; // degrees; longitude positive to the west
};

// Texts for the bearing and miles labels: "###" + " " and "##,###" + " ".
struct BearingDistance {
    QString bearing, miles;
};

// Bearing and great-circle distance from the own station (latitude, longitude positive to the west) to
// (cntlat, cntlong). Whole degrees and whole miles are rounded half away from zero; miles carry "," as
// thousands separator whatever the locale. std::nullopt when there is nothing sensible to show: the two
// points coincide or are antipodal, the own station sits on a pole, or an input is not finite. A target due
// north or due south of the station (where the arctangent form would divide by zero) gets 360 or 180.
std::optional<BearingDistance> HDCalc(float ownLat, float ownLong, double cntlat, double cntlong);

// What PrefixLookup does to the main window, as values.
struct PrefixLookupResult {
    std::optional<QString> spcText; // new txtCntry text; nullopt = leave txtCntry unchanged
    bool selectSpc = false;         // select the whole txtCntry text afterwards (call text not empty)
    bool updateLabels = true;       // false: leave Label19, Label22, Label23 as they are (empty call)
    QString continent;              // Label19
    QString bearing, miles;         // Label22, Label23 ("" = cleared)
};

// The table is sorted by prefix, upper-cased and compared by character code; every search relies on that.
class PrefixTable final : public CountrySource {
public:
    static constexpr int Capacity = 10000;

    // Looks for arrlpre2.txt in SharedFolder, UserDataFolder, ProgramFolder, in that order (name matched
    // ignoring letter case; an empty folder is skipped). No file anywhere: ok, empty table. An unreadable or
    // malformed file or more than Capacity entries: failure naming the file and line, table left empty.
    FileResult LoadPrefixTable(const QStringList& folders);
    // Eight values to an entry, one entry per line; on failure error says which line and why.
    bool loadFromBytes(const QByteArray& bytes, QString* error = nullptr);

    int count() const { return int(m_entries.size()); }
    const PrefixEntry& entry(int number) const; // 1-based

    // The common search: the entry number of the longest prefix the key begins with, 0 for none.
    // ignoreCase compares upper-cased texts; otherwise letter case must match exactly.
    int findPrefix(const QString& key, bool ignoreCase) const;

    // spcTextNow = txtCntry's current text; spcFromLookup = the text an earlier lookup of the same call
    // field put there. A USA or Canada call leaves the field to the operator, except that a text the lookup
    // itself wrote (a "Not Found" at "VO", a country at "CY0" before a Backspace) is cleared: typing a call
    // one character at a time ends with the same S/P/C as looking the whole call up once.
    PrefixLookupResult PrefixLookup(const QString& call, const QString& spcTextNow, float ownLat,
                                    float ownLong, const QString& spcFromLookup = QString()) const;
    // The country of a spotted call, or an empty text.
    QString DXSpotCountry(const QString& call) const;
    // The province code for a Canadian call (VE1 -> NS, ...) when txtCntry is empty and the call longer than
    // 2 characters; otherwise empty. The window then selects the 2 characters.
    QString ProvinceFromCall(const QString& call, const QString& spcTextNow) const;

    struct Completion {
        QString text;
        int selectionStart = 0;
        int selectionLength = 0;
        QString continent;
        std::optional<BearingDistance> bearing; // nullopt: clear bearing and miles
    };
    // Country completion in the S/P/C field for the character typed with the caret at caret (the selection
    // start); std::nullopt when the key is not consumed.
    std::optional<Completion> CountryCompletion(const QString& spcText, int caret, QChar typed, float ownLat,
                                                float ownLong) const;

    std::optional<CountryMatch> completeCountry(const QString& typed) const override;

private:
    std::vector<PrefixEntry> m_entries;
    std::vector<QString> m_upperPrefixes; // for the searches that ignore letter case
};

} // namespace velm
