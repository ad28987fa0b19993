#pragma once
// Responsibilities: the operator's own station as the station window edits it: its eight values, the
// window's field texts in and out, the copy into the shared preferences, and the country completion source.

#include "log/CountrySource.h"
#include "log/ProgramPreferences.h"
#include "log/SharedPreferences.h"

#include <QChar>
#include <QString>

#include <optional>

namespace velm {


// The station part of the preferences, and the preferences with a new station.
inline const StationProfile& stationProfileOf(const ProgramPreferences& prefs) { return prefs; }
inline void applyStationProfile(ProgramPreferences& prefs, const StationProfile& profile)
{
    static_cast<StationProfile&>(prefs) = profile;
}

// The station window's texts, named as its fields: Text1 call, Text5 S/P/C, Text6 UTC offset, Text2 country,
// Text3 longitude, Text4 latitude, Text7 continent, Text8 member number or power.
struct StationFields {
    QString Text1, Text5, Text6, Text2, Text3, Text4, Text7, Text8;

    friend bool operator==(const StationFields&, const StationFields&) = default;
};

// The texts the window opens with: numbers in their shortest form; an empty call takes userCallSign (the
// per-user setting UserCallSign).
StationFields stationFieldsFrom(const StationProfile& profile, const QString& userCallSign);

// What a numeric field accepts: the write format's notation of a number (blanks around it allowed, "." as
// decimal point whatever the locale) whose value a 32-bit float can hold.
bool readsAsNumber(const QString& text);

// Done: Text6, Text3 and Text4 become "0" unless they read as numbers; the other texts stay as they are.
StationFields normalisedOnDone(StationFields fields);

// Copies the fields into the shared preferences: OWN_CALL .. OWN_CONTINENT without saving, then OWN_VELM with
// saving, so that the shared file is written once. Returns the result of that write.
SaveResult storeSharedStation(SharedPreferences& shared, const StationFields& fields);

// The values taken from the window after Done (fields as normalisedOnDone leaves them; a numeric text that
// still does not read as a number gives 0).
StationProfile profileFromFields(const StationFields& fields);

// Key rule of the UTC offset field (Text6): Backspace and the characters "-" to "9" in character order,
// which are "-", ".", "/" and the digits.
bool utcFieldAccepts(QChar c);


} // namespace velm
