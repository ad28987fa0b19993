#pragma once
// Responsibilities: the arithmetic of the tune window: which texts are frequencies, the band buttons'
// frequencies, a step up or down, and the next frequency of a scan, each as the text the window shows.

#include <QList>
#include <QString>

#include <optional>

namespace velm::rigtune {

// A frequency as typed or pasted: digits with at most one decimal point, at least one digit. "1e3", "-5",
// "nan", "7/" and blanks inside are not.
bool isFrequencyText(const QString& text);
std::optional<double> frequencyValue(const QString& text);

struct Band {
    QString caption;        // "160" ... "23"
    QString accessibleName; // "160 m band", "70 cm band"
    QString frequency;      // what "&Go" tunes to: "1.9", "5.3585"
};
const QList<Band>& bands(); // the 16 band buttons in order

struct Step {
    QString caption; // "10 Hz"
    double mhz;
};
const QList<Step>& steps(); // the five step sizes: index i is buttons 2i (up) and 2i + 1 (down)
const QList<Step>& scanSteps(); // Option1 ... Option5

// The frequency text after a step: the double value ± step with up to 15 significant digits and no
// trailing zeros ("14.02501"); nullopt when text is no frequency.
std::optional<QString> steppedText(const QString& text, double step);

// The scan's next frequency from the three texts: frequency + step, back to from past to; formatted with at
// most five decimals and no trailing zeros, the point kept ("14."). nullopt when a text is no frequency.
std::optional<QString> scanText(const QString& frequency, const QString& from, const QString& to, double step);

} // namespace velm::rigtune
