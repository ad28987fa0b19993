#include "spots/ui/SpotArea.h"

#include "log/ContestSession.h"
#include "platform/Clock.h"
#include "spots/SpotConnection.h"
#include "spots/SpotListRow.h"
#include "spots/SpotMapGeometry.h"
#include "spots/SpotMapPlan.h"
#include "spots/SpotStore.h"
#include "spots/SpotTuning.h"
#include "spots/ui/SpotLabel.h"

#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QMouseEvent>

namespace velm {

namespace {

bool isChosen(const QString& source)
{
    return !source.isEmpty() && source != SpotSourceName::None;
}

// Runs a handler once at a time: tuning lets events run, and a second click meanwhile is dropped.
struct BusyGuard {
    explicit BusyGuard(bool& busy) : m_busy(busy), m_entered(!busy) { m_busy = true; }
    ~BusyGuard()
    {
        if (m_entered)
            m_busy = false;
    }
    bool entered() const { return m_entered; }
    bool& m_busy;
    bool m_entered;
};

} // namespace

SpotListView::SpotListView(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("txtDX"));
    setAccessibleName(QStringLiteral("Spots"));
    setFocusPolicy(Qt::NoFocus);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headings;
    for (const SpotListColumn& column : kSpotListColumns)
        headings << QString::fromLatin1(column.heading);
    setHeaderLabels(headings);
    setColumnHidden(3, true);
    header()->setStretchLastSection(false);
}

void SpotListView::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    Q_EMIT rowClicked(itemAt(event->position().toPoint()));
}

void SpotListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT doubleClicked();
}

SpotArea::SpotArea(SpotAreaContext context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("spotArea"));
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    txtDX = new SpotListView(this);
    lblDX = new SpotLabel(-1, this);
    lblDX->setObjectName(QStringLiteral("lblDX"));
    lblDX->setAccessibleName(QStringLiteral("Band map"));
    paintNavy(lblDX);
    LineDX = new QFrame(this);
    LineDX->setObjectName(QStringLiteral("LineDX"));
    LineDX->setFrameShape(QFrame::NoFrame);
    LineDX->setAutoFillBackground(true);
    QPalette white = LineDX->palette();
    white.setColor(QPalette::Window, Qt::white);
    LineDX->setPalette(white);
    LineDX->hide();
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblFreqSpot%1").arg(i));
        paintText(label, {255, 255, 255});
        label->hide();
        lblFreqSpot << label;
    }
    for (int slot = 0; slot < SpotStore::kSlots; ++slot) {
        auto* label = new SpotLabel(slot, this);
        label->setObjectName(QStringLiteral("lblDXSpot%1").arg(slot));
        connect(label, &SpotLabel::hovered, this, [this](int, const QString& tip) { Q_EMIT hovered(tip); });
        connect(label, &SpotLabel::pressed, this, &SpotArea::spotPressed);
        lblDXSpot << label;
    }
    connect(lblDX, &SpotLabel::pressed, this, [this] { Q_EMIT configureWanted(); });
    connect(lblDX, &SpotLabel::doubleClicked, this, [this] { Q_EMIT spectrumMapWanted(); });
    connect(txtDX, &SpotListView::rowClicked, this, &SpotArea::rowClicked);
    connect(txtDX, &SpotListView::doubleClicked, this, [this] { Q_EMIT spectrumMapWanted(); });
    txtDX->hide();
    lblDX->hide();
    hide(); // closed until the spotting window's first "&Done" with a source
    if (parent)
        parent->window()->installEventFilter(this);
}

QSize SpotArea::windowSize() const
{
    const QWidget* main = window();
    return main && main != this ? main->size() : size();
}

QSize SpotArea::sizeHint() const
{
    // About the tenth of the window the other rows give up, and room for a label row on each side of the
    // line.
    const int lineHeight = QFontMetrics(spotLabelFont(windowSize())).height();
    return {QWidget::sizeHint().width(), std::max(windowSize().height() / 10, 4 * lineHeight)};
}

void SpotArea::PacketResize()
{
    const SpotSettings& settings = m_context.spots.settings();
    if (!m_open && !isChosen(settings.source))
        return;
    if (m_open && settings.source == SpotSourceName::None) {
        m_open = false;
        hide();
        txtDX->hide();
        for (QWidget* each : std::initializer_list<QWidget*>{lblDX, LineDX})
            each->hide();
        for (QLabel* label : lblFreqSpot)
            label->hide();
        for (SpotLabel* label : lblDXSpot)
            label->hide();
        return;
    }
    m_list = settings.listDisplay;
    if (!m_open) {
        m_open = true;
        show();
        updateGeometry();
    }
    showView();
}

void SpotArea::showView()
{
    txtDX->setVisible(m_list);
    lblDX->setVisible(!m_list);
    LineDX->setVisible(!m_list);
    for (QLabel* label : lblFreqSpot)
        label->setVisible(!m_list);
    if (m_list) {
        for (SpotLabel* label : lblDXSpot)
            label->hide();
    }
    layoutArea();
    DisplayBandMapLabels();
}

void SpotArea::layoutArea()
{
    const QSize main = windowSize();
    const QFont font = spotLabelFont(main);
    txtDX->setGeometry(rect());
    for (int column = 0; column < int(kSpotListColumns.size()); ++column) {
        const int width = kSpotListColumns[std::size_t(column)].width;
        if (width > 0)
            txtDX->setColumnWidth(column, width * main.width() / 9600);
    }
    // "Status" hidden again once the others are sized, or its old width stays between "QTH" and "Comments".
    txtDX->setColumnHidden(3, false);
    txtDX->setColumnHidden(3, true);
    lblDX->setGeometry(rect());
    for (QLabel* label : lblFreqSpot)
        label->setFont(font);
    for (SpotLabel* label : lblDXSpot)
        label->setFont(font);
    const ScaleLine line = bandMapLine(rect(), designSpotLabelWidth(font));
    LineDX->setGeometry(line.x1, line.y, std::max(1, line.x2 - line.x1), 1);
    LineDX->raise();
}

void SpotArea::DisplayBandMapLabels()
{
    if (!bandMapShown())
        return;
    for (SpotLabel* label : lblDXSpot)
        label->hide();
    const ProgramPreferences& prefs = m_context.session.preferences();
    const BandMapPlan plan =
        planBandMap(m_context.store, prefs.CurrentBand, m_context.clock.milliseconds(), prefs.UtcOffset);
    const QSize main = windowSize();
    const ScaleLine line = bandMapLine(rect(), designSpotLabelWidth(lblDXSpot[0]->font()));
    const int gap = lineGap(main.height());
    for (int i = 0; i < 5; ++i) {
        QLabel* label = lblFreqSpot[i];
        label->setText(plan.scale.labels[std::size_t(i)]);
        label->adjustSize();
        label->move(scaleLabelLeft(line, i, label->width()), line.y + gap);
        label->raise();
    }
    // Oldest raised last, so an older label lies over a newer one where they overlap.
    for (const PlacedSpot& spot : plan.spots) {
        SpotLabel* label = lblDXSpot[spot.slot];
        label->showSpot(spot);
        label->move(spotLabelLeft(line, spot.position, label->width()), line.y - label->height() - gap);
        label->show();
        label->raise();
    }
}

void SpotArea::insertSpot(const DxSpot& spot)
{
    while (txtDX->topLevelItemCount() >= kSpotListMaxRows)
        delete txtDX->takeTopLevelItem(txtDX->topLevelItemCount() - 1);
    const QString country = m_context.session.prefixTable().DXSpotCountry(spot.call);
    txtDX->insertTopLevelItem(0, new QTreeWidgetItem(spotListRow(spot, country)));
}

void SpotArea::spotPressed(int slot, Qt::MouseButton button)
{
    const BusyGuard guard(m_busy);
    if (!guard.entered())
        return;
    if (button == Qt::RightButton)
        m_context.tuning.tuneToSpot(slot, true);
    else
        m_context.tuning.removeSpot(slot);
}

void SpotArea::rowClicked(QTreeWidgetItem* row)
{
    const BusyGuard guard(m_busy);
    if (!guard.entered())
        return;
    Q_EMIT callFieldWanted();
    if (!row)
        return; // empty space: only the call field
    m_context.tuning.tuneToListRow(row->text(0), row->text(kSpotListFrequencyColumn));
}

bool SpotArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window() && watched != this) {
        if (event->type() == QEvent::WindowActivate)
            Q_EMIT activated();
        else if (event->type() == QEvent::Resize && m_open)
            updateGeometry();
    }
    return QWidget::eventFilter(watched, event);
}

void SpotArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutArea();
    DisplayBandMapLabels();
}

void SpotArea::mouseMoveEvent(QMouseEvent* event)
{
    event->accept(); // the area is not the main window's background
}

} // namespace velm
