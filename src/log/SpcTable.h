#pragma once
// Responsibilities: the fixed table of state, province and country (S/P/C) codes and names, which of them are
// the multipliers of the grid, how the grid groups them, and the band columns of the worked table.

#include <QList>
#include <QString>

namespace velm {

struct SpcEntry {
    QString code, name;
};

// Entries 1..100; 1..62 are the grid's multipliers, 65 is "NU" "Nunavut" (neither shown nor a multiplier),
// all others are empty. A number outside 1..100 gives an empty entry.
const SpcEntry& spcEntry(int number);

constexpr int kSpcTableSize = 100;
constexpr int kGridSpcCount = 62;

// 1..62 of the first grid code equal to code, ignoring case; 0 when none is.
int findGridSpc(const QString& code);

// "160" = 1, "80" = 2, "40" = 3, "20" = 4, "15" = 5, "10" = 6, "6" = 7; 0 for any other text.
int bandColumn(const QString& band);
constexpr int kBandColumnCount = 7;

// A call-area heading of the grid ("1".."9", "0", "Canada") and the S/P/C numbers shown under it.
struct SpcGroup {
    QString heading;
    QList<int> numbers;
};

// The grid's groups in screen order; together they hold every number 1..62 exactly once (Hawaii under "6",
// Alaska under "7").
const QList<SpcGroup>& spcGroups();

} // namespace velm
