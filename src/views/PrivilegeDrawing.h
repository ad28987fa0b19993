#pragma once
// Responsibilities: the privileges drawing of one licence class as a value: a black bar per band the class
// may use, a yellow box naming it, and a blue (CW) or green (phone) segment per privilege, each with its
// rectangle, caption, tool tip, colours and font, placed in proportion to the band's edges.

#include "views/BandPlanFile.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace velm {

struct PrivilegeElement {
    enum class Kind { Bar, Box, Segment };
    Kind kind = Kind::Bar;
    QString name; // "blbl1", "bnlb1", "priv1", ...
    QRectF rect;
    QString caption, toolTip;
    quint32 back = 0, fore = 0; // 0xRRGGBB
    QString fontFamily;         // empty: the window's font
    double fontSize = 0;        // points; 0: the window's
    bool bold = false;
    QString band; // the band a segment lies on
};

struct PrivilegeDrawing {
    QList<PrivilegeElement> elements; // in creation order; segments lie over the bars
    // What a screen reader says of the drawing: every segment's tool tip, band by band.
    QString description() const;
};

namespace privilege {
constexpr quint32 kBlack = 0x000000, kWhite = 0xFFFFFF, kBlue = 0x0000FF, kGreen = 0x00FF00, kYellow = 0xFFFF00;
constexpr int kMaxBars = 20;
} // namespace privilege

// A frequency as the drawing writes it: thousands separators, three decimals ("1,270.000", "1.800").
QString privilegeNumber(double megahertz);

// The drawing of class licenceClass ("E") for a window of size window whose band rows start below lineY;
// fontFactor scales the fonts. A failure (more than 20 bands, a band whose edges are equal, no band) ends
// the drawing where it happened, as far as it got.
PrivilegeDrawing DrawPrivileges(const QList<BandPlanRow>& rows, const QString& licenceClass, QSizeF window,
                                double lineY, double fontFactor);

// The six class buttons: caption, title, letter.
struct LicenceClass {
    QString caption, title, letter;
};
const QList<LicenceClass>& licenceClasses();

} // namespace velm
