#pragma once
// Responsibilities: applies a window scaling rule to a real window: its place on its own screen, its font
// and its controls' own fonts, always from the design size and fonts recorded at the first call.

#include "views/ModFormResize.h"

class QWidget;

namespace velm {

class Prompts;

// The window's screen (the primary one when it has none yet) and its work area; empty when there is none.
ScreenAreas screenAreasOf(const QWidget& window);

// The window's design size in units: its size when the window set one, else its layout's size, recorded at
// the first call.
QSizeF designUnitsOf(QWidget& window);

// Places the window and scales its fonts by the fit: point sizes from the recorded design fonts, never below
// the smallest readable font, and no larger than lets the window's layout fit the size it gets.
void applyFormFit(QWidget& window, const FormFit& fit);

// The one call a window makes when it is loaded. A failure is shown as "Form Resize Error" when prompts are
// given; false then, and the window stays as far as it was scaled.
bool applyFormScaling(QWidget& window, FormVariant variant, Prompts* prompts = nullptr);

} // namespace velm
