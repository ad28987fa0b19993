#pragma once
// Responsibilities: the rate graph window: computes the graph from the log when it opens and after each
// background toggle, and shows it as a plot, a legend of band colours, a spoken summary and a list.

#include "log/LogStore.h"
#include "platform/Prompts.h"
#include "views/RateGraph.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace velm {

class RatePlot;

class GraphQSO : public QDialog {
    Q_OBJECT
public:
    static const QString Title;
    static const QString TooFewText;
    static const QString TooFewTitle;

    GraphQSO(const LogStore& store, Prompts& prompts, QWidget* parent = nullptr);

    void ComputeAndDrawRateGraph();
    void Command1_Click();

    const RateGraph& graph() const { return m_graph; }

    RatePlot* plot = nullptr;
    QPushButton* Command1 = nullptr; // "Black Background" / "White Background"
    QLabel* lblBand = nullptr;       // "Band "
    QList<QLabel*> bandLabels;       // "160" ... "6" in their colours
    QLabel* lblSummary = nullptr;
    QTreeWidget* lstRates = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void paintLabels();

    const LogStore& m_store;
    Prompts& m_prompts;
    RateGraph m_graph;
    bool m_drawn = false;
};

// "&Graph": the window, modal, unloaded when it closes.
void openGraphQSO(const LogStore& store, Prompts& prompts, QWidget* parent);

} // namespace velm
