#pragma once
// Responsibilities: country completion as the station and edit windows ask for it (a country name from its
// first letters, with the entry's coordinates and continent), implemented by the prefix table.

#include <QString>

#include <optional>

namespace velm {

// A country found for the text typed in the country field, with the entry's coordinates and continent.
struct CountryMatch {
    QString country;
    float longitude = 0, latitude = 0;
    QString continent;
};

// Country completion for the station window. The prefix table implements it by searching from its last entry
// down to its first for a country name beginning with typed, comparing letter case exactly.
class CountrySource {
public:
    virtual ~CountrySource() = default;
    virtual std::optional<CountryMatch> completeCountry(const QString& typed) const = 0;
};

} // namespace velm
