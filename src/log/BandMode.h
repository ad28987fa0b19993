#pragma once
// Responsibilities: the bands and modes a contact can take as value types with their file texts, the order
// the band label cycles through, the band edges the rig's frequency is placed by, and what the mode means for
// the report fields.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace velm {

// A contest band: "160", "80", "40", "20", "15", "10" or "6" in log.txt and qrppref.txt.
class Band {
public:
    static constexpr int Count = 7;

    // The seven bands in the order of the band menu and the multiplier grid's columns.
    static const std::array<Band, Count>& all();
    // The band of a file text, exactly as written; nullopt for any other text.
    static std::optional<Band> fromText(const QString& text);
    // The band whose edges hold the frequency (open interval, single precision as the rig reads it).
    static std::optional<Band> ofFrequency(float megahertz);

    const QString& text() const;
    // 1..7 in menu order.
    int column() const { return m_index + 1; }
    // The next band in the label-click cycle; "6" wraps to "160".
    Band next() const { return all()[std::size_t((m_index + 1) % Count)]; }

    friend bool operator==(const Band&, const Band&) = default;

private:
    explicit constexpr Band(int index) : m_index(index) {}
    int m_index = 0;
};

enum class Mode { Cw, Phone };

// "CW" or "PH", as log.txt and qrppref.txt hold them.
QString modeText(Mode mode);
// The mode of a file text, "CW" or "PH" exactly (or ignoring letter case); nullopt for any other text.
std::optional<Mode> modeFromText(const QString& text, Qt::CaseSensitivity cs = Qt::CaseSensitive);
// The stored mode: "CW" is CW, any other text phone (the mode selection makes any other text "PH").
Mode storedMode(const QString& text);

// "160", "80", "40", "20", "15", "10", "6", in the order of the band menu.
const QStringList& bandTexts();
bool isBand(const QString& text);
// The band after band in the label-click cycle; "6" wraps to "160", and anything that is not a band
// starts the cycle again at "160".
QString nextBand(const QString& band);
// Longest report the report fields take: 2 for phone ("PH"), 3 otherwise (CW).
int reportLengthForMode(const QString& mode);
// The default report of a mode: "559" in CW, "55" in phone.
QString defaultReport(Mode mode);
// The mode a click on the mode label selects: "CW" when the mode is not "CW", phone ("PH") when it is.
QString toggledMode(const QString& mode);

} // namespace velm
