#pragma once
// Responsibilities: the window "Frequency Privileges": BandPlan.txt read when it opens, the six licence
// class buttons, and the drawing of the chosen class rendered as labels with their tool tips, which are
// also what a screen reader says of each bar, box and segment.

#include "views/BandPlanFile.h"
#include "views/PrivilegeDrawing.h"

#include <QDialog>
#include <QList>
#include <QRect>

class QFrame;
class QLabel;
class QPushButton;

namespace velm {

class Prompts;

class frmBandPlan final : public QDialog {
    Q_OBJECT
public:
    static const QString Title; // "Frequency Privileges"

    // Reads BandPlan.txt in programFolder and draws class "E"; a file that fails is told through prompts.
    // The window takes workArea (the desktop's work area) as its size, at (0, 0).
    frmBandPlan(const QString& programFolder, Prompts& prompts, QRect workArea, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // "Frequencies Effective: " and the date
    QLabel* Label2 = nullptr; // the class shown
    QLabel* Label3 = nullptr; // legend "CW"
    QLabel* Label4 = nullptr; // legend "Phone"
    QFrame* Line1 = nullptr;
    QList<QPushButton*> Command; // Command1 ... Command6, the classes
    QPushButton* Command7 = nullptr; // "Done"
    QWidget* drawingArea = nullptr;  // holds the drawing's labels

    void DrawPrivileges(const QString& licenceClass);
    const BandPlan& plan() const { return m_plan; }
    const PrivilegeDrawing& drawing() const { return m_drawing; }
    // The drawing's labels, in drawing order.
    const QList<QLabel*>& elements() const { return m_elements; }
    double fontFactor() const { return m_fontFactor; }

private:
    void classClicked(int index);
    QLabel* render(const PrivilegeElement& element);

    BandPlan m_plan;
    PrivilegeDrawing m_drawing;
    QList<QLabel*> m_elements;
    double m_fontFactor = 1;
};

} // namespace velm
