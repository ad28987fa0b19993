#pragma once
// Responsibilities: what the About window says: the program and its licence, Qt's licence, the sources,
// dates and licences of the shipped data, and which versions of the data files the program folder holds.

#include "log/ProgramFolder.h"

#include <QString>

namespace velm {

// The release of the country file the shipped prefix and DXCC tables were generated from.
inline constexpr char ShippedCountryFileRelease[] = "2023-05-02";

struct DataVersions {
    QString countryFile; // the shipped release of the country file
    QString bandPlan;    // the band plan's effective date as BandPlan.txt gives it; empty when none is found
    QString bandPlanProblem; // why no effective date was read, when bandPlan is empty
};

// Reads the effective date, the first item of BandPlan.txt in the program folder.
DataVersions readDataVersions(const ProgramFolder& folder);

// The whole text of the About window, plain text, in reading order.
QString aboutText(const DataVersions& versions, const QString& programVersion, const QString& qtVersion);

} // namespace velm
