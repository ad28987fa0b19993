#pragma once
// Responsibilities: the main window's spot list: its eight columns (headings, widths in design units) and
// the row a stored spot becomes, the frequency written and read back as the shortest float text with ".".

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace velm {

struct DxSpot;

struct SpotListColumn {
    const char* heading;
    int width; // design units: the pixel width is width x window width / 9600
};
inline constexpr std::array<SpotListColumn, 8> kSpotListColumns = {{{"Call", 1040},
                                                                    {"Frequency", 880},
                                                                    {"QTH", 2000},
                                                                    {"Status", 0},
                                                                    {"Comments", 3400},
                                                                    {"Prefix", 520},
                                                                    {"Time", 600},
                                                                    {"From", 520}}};
inline constexpr int kSpotListFrequencyColumn = 1;
inline constexpr int kSpotListMaxRows = 200;

// The columns of a new row; country is the QTH (empty when no prefix matched). The comment and the prefix
// come from fixed columns of the record; the time and what follows it are read by tokens (the last "hhmmZ"
// and the token after it), which stay whole on long-call and locator lines.
QStringList spotListRow(const DxSpot& spot, const QString& country);

// The "Frequency" column: the float's shortest text ("14.025"), and the float read back from it.
QString spotListFrequency(float megahertz);
std::optional<float> readSpotListFrequency(const QString& text);

} // namespace velm
