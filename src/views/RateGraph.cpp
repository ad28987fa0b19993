#include "views/RateGraph.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <cmath>

namespace velm {

namespace {

constexpr qint64 UnixEpochJulianDay = 2440588;
constexpr qint64 Window = 600; // seconds counted back from each contact

QString utcText(qint64 seconds, const QString& format)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(format);
}

// Whole unsigned number of one to four digits; -1 otherwise.
int field(QStringView text)
{
    if (text.isEmpty() || text.size() > 4)
        return -1;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

std::optional<qint64> qsoSeconds(const QString& qsoDate, const QString& qsoTime)
{
    const QList<QStringView> d = QStringView(qsoDate).trimmed().split(u'/');
    const QList<QStringView> t = QStringView(qsoTime).trimmed().split(u':');
    if (d.size() != 3 || (t.size() != 2 && t.size() != 3))
        return std::nullopt;
    const QDate date(field(d[0]), field(d[1]), field(d[2]));
    const QTime time(field(t[0]), field(t[1]), t.size() == 3 ? field(t[2]) : 0);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return (date.toJulianDay() - UnixEpochJulianDay) * 86400 + time.msecsSinceStartOfDay() / 1000;
}

QVector<RateContact> rateContacts(const LogStore& store)
{
    QVector<RateContact> contacts;
    contacts.reserve(store.QsoCount());
    for (int n = 1; n <= store.QsoCount(); ++n) {
        const QsoRecord& record = store.record(n);
        if (const std::optional<qint64> seconds = qsoSeconds(record.QsoDate, record.QsoTime))
            contacts.push_back({*seconds, record.Band});
    }
    std::stable_sort(contacts.begin(), contacts.end(),
                     [](const RateContact& a, const RateContact& b) { return a.seconds < b.seconds; });
    return contacts;
}

const QStringList& graphBands()
{
    static const QStringList bands{QStringLiteral("160"), QStringLiteral("80"), QStringLiteral("40"),
                                   QStringLiteral("20"),  QStringLiteral("15"), QStringLiteral("10"),
                                   QStringLiteral("6")};
    return bands;
}

quint32 graphBandColour(int band)
{
    static constexpr std::array<quint32, 7> colours{0xFFFFFF, 0x0000FF, 0xFF0000, 0x00FF00,
                                                    0x80FFFF, 0xFF00FF, 0xFFFF00};
    return band >= 0 && band < int(colours.size()) ? colours[std::size_t(band)] : 0;
}

quint32 RateGraph::slotColour(int slot, quint32 background) const
{
    const int band = slot >= 0 && slot < rategraph::ArraySize ? SlotColour[std::size_t(slot)] : -1;
    return band < 0 ? background : graphBandColour(band);
}

RateGraph computeRateGraph(const QVector<RateContact>& contacts)
{
    using namespace rategraph;
    RateGraph g;
    g.SlotColour.fill(-1);
    g.contacts = int(contacts.size());
    g.enough = g.contacts >= MinimumContacts;
    if (!g.enough)
        return g;

    g.T0 = contacts.front().seconds;
    g.T1 = contacts.back().seconds;
    const qint64 total = g.T1 - g.T0;
    for (int i = 0; i < TimeLabels; ++i) {
        const qint64 at = g.T0 + qint64(std::llround(double(i) * double(total) / (TimeLabels - 1)));
        g.timeLabels << utcText(at, QStringLiteral("hh:mm"));
        g.dateLabels << utcText(at, QStringLiteral("MM/dd"));
    }

    g.SlotSeconds = double(total) / Slots;
    g.SlotRate[1] = 6;
    g.SlotSmooth[1] = 6;
    const QStringList& bands = graphBands();
    qsizetype first = 0; // oldest contact still inside the window of contact i
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        const qint64 at = contacts[i].seconds;
        while (at - contacts[first].seconds >= Window)
            ++first;
        const auto count = float(i - first + 1);
        // A log spanning no time at all has no slot length: every contact falls into the first slot.
        int slot = 1;
        if (i > 0 && g.SlotSeconds > 0)
            slot = std::clamp(int(std::nearbyint(double(at - g.T0) / g.SlotSeconds)), 1, Slots);
        g.SlotRate[std::size_t(slot)] = 6 * count;
        const int band = int(bands.indexOf(contacts[i].band.trimmed()));
        if (band >= 0)
            g.SlotColour[std::size_t(slot)] = qint8(band);
    }

    // Gaps of up to 15 empty slots become a straight line from the slot before; longer ones stay at zero.
    for (int k = 2; k <= Slots; ++k) {
        if (g.SlotRate[std::size_t(k)] != 0) {
            g.SlotSmooth[std::size_t(k)] = g.SlotRate[std::size_t(k)];
            continue;
        }
        int m = k + 1;
        while (m <= k + 15 && !(g.SlotRate[std::size_t(m)] > 0))
            ++m;
        if (m > k + 15)
            continue;
        const float before = g.SlotRate[std::size_t(k - 1)];
        const float slope = (g.SlotRate[std::size_t(m)] - before) / float(m - k);
        for (int n = k; n < m; ++n) {
            const float value = before + slope * float(n - k);
            g.SlotSmooth[std::size_t(n)] = value;
            g.SlotRate[std::size_t(n)] = value;
        }
    }
    for (int k = 7; k <= Slots; ++k) {
        float sum = 0;
        int used = 0;
        for (int j = k - 6; j <= k; ++j) {
            if (g.SlotRate[std::size_t(j)] > 0) {
                sum += g.SlotRate[std::size_t(j)];
                ++used;
            }
        }
        if (used > 0)
            g.SlotSmooth[std::size_t(k)] = sum / float(used);
    }
    for (int k = 1; k <= Slots; ++k) {
        g.RateMin = std::min(g.RateMin, g.SlotSmooth[std::size_t(k)]);
        g.RateMax = std::max(g.RateMax, g.SlotSmooth[std::size_t(k)]);
    }
    qint8 last = -1;
    for (int k = 1; k <= Slots; ++k) {
        qint8& colour = g.SlotColour[std::size_t(k)];
        if (g.SlotSmooth[std::size_t(k)] > 0) {
            if (colour < 0)
                colour = last;
            else
                last = colour;
        } else {
            last = -1;
        }
    }
    for (int i = 0; i < RateLabels; ++i)
        g.rateLabels << QString::number(g.RateMin + float(i) * (g.RateMax - g.RateMin) / (RateLabels - 1),
                                        'f', 1);
    return g;
}

namespace {

qint64 slotTime(const RateGraph& g, int slot)
{
    return std::min(g.T1, g.T0 + qint64(std::llround(double(slot) * g.SlotSeconds)));
}

QString bandText(qint8 band)
{
    return band < 0 ? QString() : graphBands().at(band) + QStringLiteral(" m");
}

} // namespace

QString RateGraph::summary() const
{
    if (!enough)
        return QStringLiteral("Not enough contacts to graph: %1 of at least %2.")
            .arg(contacts)
            .arg(rategraph::MinimumContacts);
    int peak = 1;
    for (int k = 2; k <= rategraph::Slots; ++k) {
        if (SlotSmooth[std::size_t(k)] > SlotSmooth[std::size_t(peak)])
            peak = k;
    }
    QString text = QStringLiteral("%1 contacts, %2–%3, peak %4 per hour at %5")
                       .arg(contacts)
                       .arg(utcText(T0, QStringLiteral("hh:mm")), utcText(T1, QStringLiteral("hh:mm")),
                            QString::number(SlotSmooth[std::size_t(peak)], 'f', 1),
                            utcText(slotTime(*this, peak), QStringLiteral("hh:mm")));
    const QString band = bandText(SlotColour[std::size_t(peak)]);
    if (!band.isEmpty())
        text += QStringLiteral(" on ") + band;
    return text;
}

QVector<RateGraphRow> RateGraph::rows() const
{
    QVector<RateGraphRow> out;
    if (!enough)
        return out;
    for (int i = 0; i < rategraph::TimeLabels; ++i) {
        const int slot =
            std::clamp(int(std::lround(double(i) * rategraph::Slots / (rategraph::TimeLabels - 1))), 1,
                       rategraph::Slots);
        out.push_back({dateLabels[i] + QLatin1Char(' ') + timeLabels[i], SlotSmooth[std::size_t(slot)],
                       bandText(SlotColour[std::size_t(slot)])});
    }
    return out;
}

RateGraphShape rateGraphShape(const RateGraph& g)
{
    using namespace rategraph;
    RateGraphShape shape;
    for (int i = 0; i < RateLabels; ++i)
        shape.rateLabelY << RateLabelBottom - double(i) * (RateLabelBottom - RateLabelTop) / (RateLabels - 1);
    for (int i = 0; i < TimeLabels; ++i)
        shape.timeLabelX << Left + double(i) * (Right - Left) / (TimeLabels - 1);
    if (!g.enough)
        return shape;
    const double xScale = (Right - Left) / Slots;
    // A flat log (every slot the same rate) has no rate range: the curve lies along the bottom.
    const double range = double(g.RateMax) - double(g.RateMin);
    const double yScale = range > 0 ? (Bottom - Top) / range * 0.995 : 0.0;
    const auto x = [&](int k) { return Left + (k - 2) * xScale + 10; };
    const auto y = [&](float value) {
        return Bottom - (double(value) - double(g.RateMin)) * yScale - (Bottom - Top) * 0.0025;
    };
    shape.curve.reserve(Slots);
    for (int k = 1; k <= Slots; ++k) {
        const float now = g.SlotSmooth[std::size_t(k)];
        const float before = g.SlotSmooth[std::size_t(k - 1)];
        shape.curve.push_back(QLineF(x(k), y(now), x(k - 1), y(before)));
        if (now > 0 || before > 0)
            shape.strip.push_back(
                {QRectF(QPointF(x(k - 1), Strip1), QPointF(x(k), Strip2)), g.SlotColour[std::size_t(k)]});
    }
    return shape;
}

} // namespace velm
