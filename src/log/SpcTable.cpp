#include "log/SpcTable.h"

#include "log/BandMode.h"

#include <array>

namespace velm {

namespace {

using Table = std::array<SpcEntry, kSpcTableSize + 1>; // index 0 unused, so numbers index directly

Table makeTable()
{
    // clang-format off
    static const char* const grid[kGridSpcCount][2] = {
        {"CT", "Connecticut"},    {"MA", "Massachusetts"},  {"ME", "Maine"},
        {"NH", "New Hampshire"},  {"RI", "Rhode Island"},   {"VT", "Vermont"},
        {"NY", "New York"},       {"NJ", "New Jersey"},     {"DE", "Delaware"},
        {"PA", "Pennsylvania"},   {"MD", "Maryland"},       {"AL", "Alabama"},
        {"GA", "Georgia"},        {"KY", "Kentucky"},       {"NC", "North Carolina"},
        {"FL", "Florida"},        {"SC", "South Carolina"}, {"TN", "Tennessee"},
        {"VA", "Virginia"},       {"AR", "Arkansas"},       {"LA", "Louisiana"},
        {"MS", "Mississippi"},    {"NM", "New Mexico"},     {"TX", "Texas"},
        {"OK", "Oklahoma"},       {"CA", "California"},     {"HI", "Hawaii"},
        {"AZ", "Arizona"},        {"WA", "Washington"},     {"ID", "Idaho"},
        {"MT", "Montana"},        {"NV", "Nevada"},         {"OR", "Oregon"},
        {"UT", "Utah"},           {"WY", "Wyoming"},        {"AK", "Alaska"},
        {"MI", "Michigan"},       {"OH", "Ohio"},           {"WV", "West Virginia"},
        {"IL", "Illinois"},       {"IN", "Indiana"},        {"WI", "Wisconsin"},
        {"CO", "Colorado"},       {"IA", "Iowa"},           {"KS", "Kansas"},
        {"MN", "Minnesota"},      {"MO", "Missouri"},       {"NE", "Nebraska"},
        {"ND", "North Dakota"},   {"SD", "South Dakota"},   {"NB", "New Brunswick"},
        {"NS", "Nova Scotia"},    {"QC", "Quebec"},         {"ON", "Ontario"},
        {"MB", "Manitoba"},       {"SK", "Saskatchewan"},   {"AB", "Alberta"},
        {"BC", "British Columbia"}, {"NT", "Northern Territories"}, {"NF", "Newfoundland"},
        {"LB", "Labrador"},       {"PE", "Prince Edward"},
    };
    // clang-format on
    Table table;
    for (int i = 0; i < kGridSpcCount; ++i)
        table[std::size_t(i) + 1] = {QString::fromLatin1(grid[i][0]), QString::fromLatin1(grid[i][1])};
    table[65] = {QStringLiteral("NU"), QStringLiteral("Nunavut")};
    return table;
}

const Table& table()
{
    static const Table entries = makeTable();
    return entries;
}

} // namespace

const SpcEntry& spcEntry(int number)
{
    static const SpcEntry empty;
    return number >= 1 && number <= kSpcTableSize ? table()[std::size_t(number)] : empty;
}

int findGridSpc(const QString& code)
{
    // Every grid code has two letters, so anything longer or shorter is no match without comparing.
    if (code.size() != 2)
        return 0;
    for (int i = 1; i <= kGridSpcCount; ++i) {
        if (table()[std::size_t(i)].code.compare(code, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

int bandColumn(const QString& band)
{
    const std::optional<Band> known = Band::fromText(band);
    return known ? known->column() : 0;
}

const QList<SpcGroup>& spcGroups()
{
    // The table is numbered by call area, so each group is a run of consecutive numbers.
    static const QList<SpcGroup> groups = [] {
        struct Run {
            const char* heading;
            int first, last;
        };
        static const Run runs[] = {{"1", 1, 6},   {"2", 7, 8},   {"3", 9, 11},      {"4", 12, 19},
                                   {"5", 20, 25}, {"6", 26, 27}, {"7", 28, 36},     {"8", 37, 39},
                                   {"9", 40, 42}, {"0", 43, 50}, {"Canada", 51, 62}};
        QList<SpcGroup> result;
        for (const Run& run : runs) {
            SpcGroup group{QString::fromLatin1(run.heading), {}};
            for (int n = run.first; n <= run.last; ++n)
                group.numbers.append(n);
            result.append(group);
        }
        return result;
    }();
    return groups;
}

} // namespace velm
