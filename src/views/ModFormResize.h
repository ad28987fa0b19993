#pragma once
// Responsibilities: where a window stands and how much its fonts grow on a given screen: the shared scaling
// rules (screen share, work-area fit, main-window percentage and taskbar fit) as pure functions.

#include <QRect>
#include <QSizeF>
#include <QString>

#include <optional>

namespace velm {

// A window is laid out for a 9600 x 7200 unit screen, 15 units to a logical pixel (640 x 480).
namespace formsize {
inline constexpr double UnitsPerPixel = 15;
inline constexpr double DesignWidth = 9600;
inline constexpr double DesignHeight = 7200;
inline constexpr double Lift = 170;    // units a screen-scaled window stands above the middle
inline constexpr double FontCap = 1.5; // the most a control font grows in the work-area windows
inline constexpr int MinPercent = 30;
inline constexpr int MaxPercent = 100;
} // namespace formsize

// A: screen, centred and lifted; B: centred; C: fonts follow the width; D: fonts capped, E: the work area,
// F: covering the work area; G: a given area (FitFormToArea).
enum class FormVariant { A, B, C, D, E, F, G };

// The screen a window stands on and its work area (the screen less the panels), in logical pixels.
struct ScreenAreas {
    QRect screen;
    QRect workArea;
};

// A window's place and its font factors: the window's own font and the fonts controls set for themselves.
struct FormFit {
    QRect window;
    double windowFont = 1;
    double controlFont = 1;
    bool scaled = false;     // false: no usable screen, the window keeps its design size
    bool coversArea = false; // the window's frame, not only its inside, fills the rectangle
    friend bool operator==(const FormFit&, const FormFit&) = default;
};

// The generic rule: variant A.
FormFit ScaleFormToScreen(QSizeF designUnits, const ScreenAreas& areas);
// Variants A to F for a window of the given design size (units).
FormFit scaleFormVariant(FormVariant variant, QSizeF designUnits, const ScreenAreas& areas);

struct FitRequest {
    QRect area;        // where the window is centred, logical pixels
    QSizeF newSize;    // in units
    QSizeF designSize; // in units
    bool exactSize = false;
    double growth = 1.0; // how much of a growth the fonts follow
};
// Variant G: the window of designUnits sized for the request and centred in its area.
FormFit FitFormToArea(QSizeF designUnits, const FitRequest& request);

// The main window: FormSizePercent of the screen below 100, else the whole screen or the work area.
FormFit mainWindowFit(QSizeF designUnits, const ScreenAreas& areas, int formSizePercent, bool taskbarMode);

// A stored or typed percentage: fractions rounded, held to 30 ... 100.
int clampFormSizePercent(double percent);

// The answer to the "&Form Size" input box.
struct FormSizeAnswer {
    enum Kind { Cancelled, NotNumeric, Percent } kind = Cancelled;
    int percent = 0;
};
FormSizeAnswer readFormSizeAnswer(const std::optional<QString>& answer);

// Which variant a window of the program takes, by its object name; nullopt for a window not listed.
std::optional<FormVariant> formVariantOf(const QString& windowName);

} // namespace velm
