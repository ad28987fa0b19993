#include "views/ui/GraphQSO.h"

#include "platform/ui/FormScaling.h"
#include "platform/ui/ValueLabel.h"
#include "views/ui/RatePlot.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velm {

const QString GraphQSO::Title =
    QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)");
const QString GraphQSO::TooFewText =
    QStringLiteral("The graph will not display with less than 7 contacts.  The graph becomes more meaningful "
                   "as several hours of contest logging are accumulated.");
const QString GraphQSO::TooFewTitle = QStringLiteral("Not Enough Contacts to Graph.");

namespace {

const QString kBlack = QStringLiteral("Black Background");
const QString kWhite = QStringLiteral("White Background");
const QString kSummaryCaption = QStringLiteral("Rate graph");

// The wait cursor for as long as the scope lasts, on every way out.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

GraphQSO::GraphQSO(const LogStore& store, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_store(store), m_prompts(prompts)
{
    setObjectName(QStringLiteral("GraphQSO"));
    setWindowTitle(Title);
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);

    plot = new RatePlot(this);
    plot->setAccessibleName(kSummaryCaption);

    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    lstRates = new QTreeWidget(this);
    lstRates->setObjectName(QStringLiteral("lstRates"));
    lstRates->setAccessibleName(QStringLiteral("Rate by time"));
    lstRates->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Rate"), QStringLiteral("Band")});
    lstRates->setRootIsDecorated(false);
    lstRates->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstRates->setMaximumHeight(lstRates->fontMetrics().height() * 7);

    auto* legend = new QHBoxLayout;
    lblBand = new QLabel(QStringLiteral("Band "), this);
    lblBand->setObjectName(QStringLiteral("lblBand"));
    legend->addWidget(lblBand);
    for (int band = 0; band < int(graphBands().size()); ++band) {
        auto* label = new QLabel(graphBands().at(band), this);
        label->setObjectName(QStringLiteral("lblBand%1").arg(graphBands().at(band)));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("1600")));
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(graphBandColour(band)));
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        label->setAccessibleName(QStringLiteral("Band colour %1 m").arg(graphBands().at(band)));
        bandLabels << label;
        legend->addWidget(label);
    }
    legend->addStretch(1);
    Command1 = new QPushButton(kBlack, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    legend->addWidget(Command1);
    connect(Command1, &QPushButton::clicked, this, &GraphQSO::Command1_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plot, 1);
    layout->addLayout(legend);
    layout->addWidget(lblSummary);
    layout->addWidget(lstRates);
    setTabOrder(plot, lstRates);
    setTabOrder(lstRates, Command1);
    paintLabels();
    applyFormScaling(*this, FormVariant::E);
}

void GraphQSO::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_drawn)
        return;
    m_drawn = true;
    // Drawn once the window stands, so that a message about too few contacts shows over its empty axes.
    QTimer::singleShot(0, this, &GraphQSO::ComputeAndDrawRateGraph);
}

void GraphQSO::ComputeAndDrawRateGraph()
{
    m_graph = computeRateGraph(m_store);
    plot->setGraph(m_graph);
    const QString summary = m_graph.summary();
    setValueLabel(lblSummary, kSummaryCaption, summary);
    plot->setAccessibleDescription(summary);
    lstRates->clear();
    for (const RateGraphRow& row : m_graph.rows())
        lstRates->addTopLevelItem(
            new QTreeWidgetItem({row.time, QString::number(row.rate, 'f', 1), row.band}));
    if (!m_graph.enough)
        m_prompts.message(TooFewText, TooFewTitle);
}

void GraphQSO::Command1_Click()
{
    WaitCursor wait;
    const bool toWhite = Command1->text() == kBlack;
    Command1->setText(toWhite ? kWhite : kBlack);
    plot->setBlackBackground(!toWhite);
    paintLabels();
    ComputeAndDrawRateGraph();
}

void GraphQSO::paintLabels()
{
    QPalette palette = lblBand->palette();
    palette.setColor(QPalette::WindowText, plot->foreground());
    palette.setColor(QPalette::Window, plot->background());
    lblBand->setAutoFillBackground(true);
    lblBand->setPalette(palette);
}

void openGraphQSO(const LogStore& store, Prompts& prompts, QWidget* parent)
{
    GraphQSO window(store, prompts, parent);
    window.exec();
}

} // namespace velm
