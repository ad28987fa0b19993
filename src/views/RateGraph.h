#pragma once
// Responsibilities: the QSO rate over the whole log (ten-minute counts times six) in 1500 time slots,
// gap-filled, smoothed and coloured by band, with its axis labels, its text summary and its shape to draw.

#include "log/LogStore.h"

#include <QLineF>
#include <QRectF>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

#include <array>
#include <optional>

namespace velm {

// One contact as the graph reads it: seconds since 1970 UTC and the band text.
struct RateContact {
    qint64 seconds = 0;
    QString band;
};

// "yyyy/mm/dd" and "hh:mm:ss" (or "hh:mm", entered after the contest) read as UTC; nullopt when unreadable.
std::optional<qint64> qsoSeconds(const QString& qsoDate, const QString& qsoTime);

// The readable contacts of the store in time order (stable, so a sorted log keeps its order).
QVector<RateContact> rateContacts(const LogStore& store);

namespace rategraph {
inline constexpr int Slots = 1500;
inline constexpr int ArraySize = 1600;
inline constexpr int MinimumContacts = 7;
inline constexpr int TimeLabels = 15;
inline constexpr int RateLabels = 17;
// The plot in the window's design units.
inline constexpr double Left = 480, Right = 9240, Top = 120, Bottom = 5880, Strip1 = 5900, Strip2 = 6000;
inline constexpr double RateLabelTop = 30, RateLabelBottom = 5740;
inline constexpr double DesignWidth = 9600, DesignHeight = 6600;
} // namespace rategraph

// The seven bands with a colour, in legend order; index into this list is a slot's band.
const QStringList& graphBands();
// Band colour as 0xRRGGBB.
quint32 graphBandColour(int band);

struct RateGraphRow {
    QString time; // "MM/DD hh:mm"
    float rate = 0;
    QString band; // "20 m", or empty
};

struct RateGraph {
    bool enough = false; // 7 contacts or more were read
    int contacts = 0;    // readable contacts
    std::array<float, rategraph::ArraySize> SlotRate{};
    std::array<float, rategraph::ArraySize> SlotSmooth{};
    std::array<qint8, rategraph::ArraySize> SlotColour{}; // band index, -1 for the background
    float RateMin = 100000;
    float RateMax = -1;
    qint64 T0 = 0, T1 = 0;
    double SlotSeconds = 0;
    QStringList timeLabels; // 15 "hh:mm"
    QStringList dateLabels; // 15 "MM/DD"
    QStringList rateLabels; // 17, label 0 at the bottom

    // The slot's colour as 0xRRGGBB on the given background.
    quint32 slotColour(int slot, quint32 background) const;
    // "412 contacts, 14:00–20:10, peak 96.0 per hour at 15:12 on 20 m"; the short message when too few.
    QString summary() const;
    // One row per time label: its time, the rate and band of the slot there.
    QVector<RateGraphRow> rows() const;
};

RateGraph computeRateGraph(const QVector<RateContact>& contacts);
inline RateGraph computeRateGraph(const LogStore& store)
{
    return computeRateGraph(rateContacts(store));
}

// What to draw, in design units: the blue curve segments and the band strip boxes.
struct RateGraphShape {
    QVector<QLineF> curve;
    struct StripBox {
        QRectF box;
        int band; // -1: the background
    };
    QVector<StripBox> strip;
    QVector<double> rateLabelY; // top of label i, label 0 at the bottom
    QVector<double> timeLabelX; // centre of time label i
};
RateGraphShape rateGraphShape(const RateGraph& graph);

} // namespace velm
