#include "views/PrivilegeDrawing.h"

#include <cmath>

namespace velm {

QString PrivilegeDrawing::description() const
{
    QStringList parts;
    for (const PrivilegeElement& element : elements) {
        if (element.kind == PrivilegeElement::Kind::Segment)
            parts << QStringLiteral("%1: %2").arg(element.band, element.toolTip);
    }
    return parts.join(QStringLiteral("; "));
}

QString privilegeNumber(double megahertz)
{
    // "#,###.##0": C-locale digits, no leading zero below 1.
    const QString fixed = QString::number(std::abs(megahertz), 'f', 3);
    const qsizetype point = fixed.indexOf(QLatin1Char('.'));
    QString whole = fixed.left(point);
    if (whole == QLatin1String("0"))
        whole.clear();
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, QLatin1Char(','));
    return (megahertz < 0 ? QStringLiteral("-") : QString()) + whole + fixed.mid(point);
}

namespace {

struct Bar {
    QString band;
    int element; // index in the drawing
    float lower, upper;
};

QString edges(float lower, float upper)
{
    return privilegeNumber(lower) + QStringLiteral(" - ") + privilegeNumber(upper);
}

} // namespace

PrivilegeDrawing DrawPrivileges(const QList<BandPlanRow>& rows, const QString& licenceClass, QSizeF window,
                                double lineY, double fontFactor)
{
    using Kind = PrivilegeElement::Kind;
    PrivilegeDrawing drawing;
    const double w = window.width(), h = window.height();

    // Bands whose group (the rows after their "O" row, up to another band) holds a row of the class.
    QList<Bar> bars;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].licenceClass != QLatin1String("O"))
            continue;
        bool shown = false;
        for (qsizetype j = i + 1; j < rows.size() && rows[j].band == rows[i].band; ++j) {
            if (rows[j].licenceClass == licenceClass) {
                shown = true;
                break;
            }
        }
        if (!shown)
            continue;
        const int number = int(bars.size()) + 1;
        PrivilegeElement bar{Kind::Bar, QStringLiteral("blbl%1").arg(number),
                             QRectF(0.1 * w, number * 0.05 * h, 0.85 * w, 0.04 * h), rows[i].band,
                             rows[i].band + QStringLiteral("  ") + edges(rows[i].lower, rows[i].upper),
                             privilege::kBlack, privilege::kBlack, {}, 0, false, rows[i].band};
        drawing.elements.append(bar);
        bars.append({rows[i].band, int(drawing.elements.size()) - 1, 0, 0});
    }
    if (bars.isEmpty() || bars.size() > privilege::kMaxBars)
        return drawing;
    // Each bar spans its band as the first row of that band in the file gives it.
    for (Bar& bar : bars) {
        for (const BandPlanRow& row : rows) {
            if (row.band == bar.band) {
                bar.lower = row.lower;
                bar.upper = row.upper;
                break;
            }
        }
    }
    const double spacing = 0.8 * (h - lineY) / bars.size();
    for (qsizetype k = 0; k < bars.size(); ++k)
        drawing.elements[bars[k].element].rect.moveTop(lineY + (k + 1) * spacing);

    for (qsizetype k = 0; k < bars.size(); ++k) {
        const PrivilegeElement& bar = drawing.elements[bars[k].element];
        PrivilegeElement box{Kind::Box,       QStringLiteral("bnlb%1").arg(k + 1),
                             QRectF(0.04 * w, bar.rect.top(), 0.05 * w, bar.rect.height()),
                             bar.caption,     bar.toolTip,
                             privilege::kYellow, privilege::kBlack,
                             QStringLiteral("ARIAL"), 8 * fontFactor, true, bar.band};
        drawing.elements.append(box);
    }

    int segments = 0;
    for (const BandPlanRow& row : rows) {
        if (row.licenceClass != licenceClass)
            continue;
        for (const Bar& bar : bars) {
            if (bar.band != row.band)
                continue;
            const double span = double(bar.upper) - double(bar.lower);
            if (span == 0 || !std::isfinite(span))
                return drawing; // a band without width cannot be divided
            const QRectF barRect = drawing.elements[bar.element].rect;
            const double left = barRect.left() + barRect.width() * (double(row.lower) - bar.lower) / span;
            const double width = barRect.width() * (double(row.upper) - double(row.lower)) / span;
            const bool cw = row.mode == QLatin1String("CW");
            const QString caption = edges(row.lower, row.upper);
            ++segments;
            PrivilegeElement segment{Kind::Segment,
                                     QStringLiteral("priv%1").arg(segments),
                                     QRectF(left, barRect.top(), width, barRect.height()),
                                     caption,
                                     (cw ? QStringLiteral("CW  ") : QStringLiteral("PH  ")) + caption,
                                     cw ? privilege::kBlue : privilege::kGreen,
                                     cw ? privilege::kWhite : privilege::kBlack,
                                     QStringLiteral("ARIAL NARROW"),
                                     7 * fontFactor,
                                     false,
                                     row.band};
            drawing.elements.append(segment);
        }
    }
    return drawing;
}

const QList<LicenceClass>& licenceClasses()
{
    static const QList<LicenceClass> classes = {
        {QStringLiteral("Novice"), QStringLiteral("Novice Frequency Privileges"), QStringLiteral("N")},
        {QStringLiteral("Technician"), QStringLiteral("Technician Frequency Privileges"), QStringLiteral("T")},
        {QStringLiteral("Tech +"), QStringLiteral("Technician Plus Frequency Privileges"), QStringLiteral("P")},
        {QStringLiteral("General"), QStringLiteral("General Frequency Privileges"), QStringLiteral("G")},
        {QStringLiteral("Advanced"), QStringLiteral("Advanced Frequency Privileges"), QStringLiteral("A")},
        {QStringLiteral("Extra"), QStringLiteral("Extra Frequency Privileges"), QStringLiteral("E")},
    };
    return classes;
}

} // namespace velm
