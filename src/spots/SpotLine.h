#pragma once
// Responsibilities: what is read out of one DX spot line (frequency and spotted call), the test that a
// frequency text is a frequency, and CallPrefix, the short label of a call drawn on the maps.

#include <QString>
#include <QStringView>

#include <optional>

namespace velm {

// The frequency text (kHz) and the spotted call of a spot line, as handed to DispatchSpot.
struct SpotFields {
    QString frequency;
    QString call;
    friend bool operator==(const SpotFields&, const SpotFields&) = default;
};

// Whether the text begins with "DX", letter case ignored; with skipBlank, one leading blank is allowed
// ("DX" at position 1 or 2), as AGW data may carry one.
bool beginsWithDx(QStringView text, bool skipBlank = false);

// Reads a spot line "DX de SPOTTER:  FREQ  CALL  comment time" (shared/reference/dxcluster.md): the
// frequency is the first token after the spotter's colon, the call the next one. Without such a colon (it
// must stand within the first three tokens) the fixed columns are read: 16-24 for the frequency and 27-39
// for the call, counted from the "DX". On every standard cluster line both give the same; the tokens also
// keep a 10 GHz frequency ("10368100.0") and a 14-character call whole.
SpotFields spotFields(QStringView line);

// A spot frequency in kHz: a plain decimal number ("14025", "14025.0", "7005.55") above 0 and below
// 300 GHz. No sign, exponent, "nan", "inf", digit grouping or blanks inside.
std::optional<double> spotFrequencyKhz(QStringView text);

// The prefix of a call: empty for fewer than 3 characters; without "/" the call up to its last digit (the
// whole call when it has none); with "/" in the first half the part before it, otherwise the part after the
// last "/" (at most as long as the position of the call's last digit), and when that part is a number, the
// letters before the call's first digit followed by it ("K1ABC/2" gives "K2").
QString CallPrefix(QStringView call);

} // namespace velm
