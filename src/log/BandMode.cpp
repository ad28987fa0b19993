#include "log/BandMode.h"

namespace velm {

namespace {

struct BandRow {
    const char* text;
    float above, below; // the band's edges in MHz, as the rig's frequency is compared with them
};

constexpr BandRow kBands[Band::Count] = {{"160", 1.7999f, 2.0001f},  {"80", 3.4999f, 4.0001f},
                                         {"40", 6.9999f, 7.3001f},   {"20", 13.9999f, 14.3501f},
                                         {"15", 20.9999f, 21.4501f}, {"10", 27.9999f, 29.7001f},
                                         {"6", 49.9999f, 54.0001f}};

} // namespace

const std::array<Band, Band::Count>& Band::all()
{
    static const std::array<Band, Count> bands = {Band(0), Band(1), Band(2), Band(3),
                                                  Band(4), Band(5), Band(6)};
    return bands;
}

std::optional<Band> Band::fromText(const QString& text)
{
    for (const Band& band : all()) {
        if (band.text() == text)
            return band;
    }
    return std::nullopt;
}

std::optional<Band> Band::ofFrequency(float megahertz)
{
    for (const Band& band : all()) {
        const BandRow& row = kBands[band.m_index];
        if (megahertz > row.above && megahertz < row.below)
            return band;
    }
    return std::nullopt;
}

const QString& Band::text() const
{
    return bandTexts()[m_index];
}

QString modeText(Mode mode)
{
    return mode == Mode::Cw ? QStringLiteral("CW") : QStringLiteral("PH");
}

std::optional<Mode> modeFromText(const QString& text, Qt::CaseSensitivity cs)
{
    for (const Mode mode : {Mode::Cw, Mode::Phone}) {
        if (text.compare(modeText(mode), cs) == 0)
            return mode;
    }
    return std::nullopt;
}

Mode storedMode(const QString& text)
{
    return text == modeText(Mode::Cw) ? Mode::Cw : Mode::Phone;
}

const QStringList& bandTexts()
{
    static const QStringList bands = [] {
        QStringList texts;
        for (const BandRow& row : kBands)
            texts << QString::fromLatin1(row.text);
        return texts;
    }();
    return bands;
}

bool isBand(const QString& text)
{
    return Band::fromText(text).has_value();
}

QString nextBand(const QString& band)
{
    const std::optional<Band> known = Band::fromText(band);
    return known ? known->next().text() : Band::all().front().text();
}

int reportLengthForMode(const QString& mode)
{
    return modeFromText(mode) == Mode::Phone ? 2 : 3;
}

QString defaultReport(Mode mode)
{
    return mode == Mode::Cw ? QStringLiteral("559") : QStringLiteral("55");
}

QString toggledMode(const QString& mode)
{
    return modeText(modeFromText(mode) == Mode::Cw ? Mode::Phone : Mode::Cw);
}

} // namespace velm
