#include "spots/ui/SpectrumMap.h"

#include "log/ContestSession.h"
#include "platform/Clock.h"
#include "spots/SpotMapGeometry.h"
#include "spots/SpotStore.h"
#include "spots/SpotTuning.h"
#include "spots/ui/SpotLabel.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>

namespace velm {

namespace {

// The busy pointer for one pass, taken down on every way out of it.
struct BusyPointer {
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

SpectrumMap::SpectrumMap(SpotStore& store, const ContestSession& session, const Clock& clock,
                         SpotTuning& tuning, QWidget* parent)
    : QDialog(parent), m_store(store), m_session(session), m_clock(clock), m_tuning(tuning)
{
    setObjectName(QStringLiteral("SpectrumMap"));
    setWindowTitle(QStringLiteral(" HF Spectrum Map"));
    setModal(true);
    for (int b = 0; b < kSpectrumBands; ++b) {
        auto* strip = new QLabel(this);
        strip->setObjectName(QStringLiteral("lblHFSpots%1").arg(b));
        strip->setAccessibleName(QString::fromLatin1(spectrumBands()[std::size_t(b)].name));
        paintNavy(strip);
        lblHFSpots << strip;
        auto* line = new QFrame(this);
        line->setObjectName(QStringLiteral("lineHF%1").arg(b));
        line->setAutoFillBackground(true);
        QPalette white = line->palette();
        white.setColor(QPalette::Window, Qt::white);
        line->setPalette(white);
        lineHF << line;
        for (int i = 0; i < 5; ++i) {
            auto* label = new QLabel(this);
            label->setObjectName(QStringLiteral("lblFreqSpot%1").arg(5 * b + i));
            paintText(label, {255, 255, 255});
            lblFreqSpot << label;
        }
    }
    for (int slot = 0; slot < SpotStore::kSlots; ++slot) {
        auto* label = new SpotLabel(slot, this);
        label->setObjectName(QStringLiteral("lblDXSpot%1").arg(slot));
        label->setFocusPolicy(Qt::TabFocus); // the keyboard selection: a screen reader reads its name
        connect(label, &SpotLabel::pressed, this, &SpectrumMap::spotPressed);
        lblDXSpot << label;
    }
    if (const QScreen* screen = parent ? parent->screen() : QApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    layoutStrips();
    BandMapLabelDisplay();
}

void SpectrumMap::layoutStrips()
{
    const QFont font = spotLabelFont(size());
    for (int b = 0; b < kSpectrumBands; ++b) {
        const SpectrumStrip strip = spectrumStrip(b, size());
        lblHFSpots[b]->setGeometry(strip.strip);
        lineHF[b]->setGeometry(strip.line.x1, strip.line.y, std::max(1, strip.line.x2 - strip.line.x1), 1);
        lineHF[b]->raise();
        for (int i = 0; i < 5; ++i) {
            lblFreqSpot[5 * b + i]->setFont(font);
            lblFreqSpot[5 * b + i]->hide(); // placed again by the next pass
        }
    }
    for (SpotLabel* label : lblDXSpot)
        label->setFont(font);
}

void SpectrumMap::BandMapLabelDisplay()
{
    const BusyPointer busy;
    for (SpotLabel* label : lblDXSpot)
        label->hide();
    const ProgramPreferences& prefs = m_session.preferences();
    m_plan = planSpectrumMap(m_store, m_clock.milliseconds(), prefs.UtcOffset);
    for (int b = 0; b < kSpectrumBands; ++b) {
        const ScaleLine line = spectrumStrip(b, size()).line;
        for (int i = 0; i < 5; ++i) {
            QLabel* label = lblFreqSpot[5 * b + i];
            const QString& text = m_plan.scales[std::size_t(b)].labels[std::size_t(i)];
            if (label->text() != text || label->isHidden()) { // most scales stay as they were
                label->setText(text);
                label->adjustSize();
                label->move(scaleLabelLeft(line, i, label->width()), line.y + lineGap(height()));
                label->show();
                label->raise();
            }
        }
    }
    for (const PlacedSpot& spot : m_plan.spots) {
        const ScaleLine line = spectrumStrip(spot.band, size()).line;
        SpotLabel* label = lblDXSpot[spot.slot];
        label->showSpot(spot);
        label->move(spotLabelLeft(line, spot.position, label->width()), line.y - label->height());
        label->show();
    }
    for (SpotLabel* label : lblDXSpot) {
        if (label->isVisible())
            label->raise(); // label 49 ends on top
    }
    if (m_selected >= 0 && lblDXSpot[m_selected]->isHidden())
        m_selected = -1;
}

void SpectrumMap::spotPressed(int slot, Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        tune(slot);
    else if (!m_busy)
        m_tuning.removeSpot(slot);
}

void SpectrumMap::tune(int slot)
{
    if (m_busy || m_tuned)
        return;
    m_busy = true;
    m_tuned = m_tuning.tuneToSpot(slot, false);
    m_busy = false;
    if (m_tuned)
        accept(); // the modal loop ends; whoever opened the map destroys it after that
}

void SpectrumMap::select(int slot)
{
    m_selected = slot;
    if (slot >= 0)
        lblDXSpot[slot]->setFocus(Qt::OtherFocusReason);
}

void SpectrumMap::moveSelection(int key)
{
    if (m_plan.spots.isEmpty())
        return;
    const auto current = std::find_if(m_plan.spots.cbegin(), m_plan.spots.cend(),
                                      [this](const PlacedSpot& spot) { return spot.slot == m_selected; });
    if (current == m_plan.spots.cend()) {
        select(m_plan.spots.front().slot);
        return;
    }
    const PlacedSpot here = *current;
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        // Along the band by frequency; spots on one frequency newest first.
        QList<PlacedSpot> band;
        for (const PlacedSpot& spot : m_plan.spots) {
            if (spot.band == here.band)
                band << spot;
        }
        std::stable_sort(band.begin(), band.end(),
                         [](const PlacedSpot& a, const PlacedSpot& b) { return a.position < b.position; });
        qsizetype at = 0;
        while (band[at].slot != here.slot)
            ++at;
        at += key == Qt::Key_Right ? 1 : -1;
        if (at >= 0 && at < band.size())
            select(band[at].slot);
        return;
    }
    // Up and down: the spot nearest in frequency on the closest band above or below that has any.
    const int step = key == Qt::Key_Down ? 1 : -1;
    for (int b = here.band + step; b >= 0 && b < kSpectrumBands; b += step) {
        const PlacedSpot* nearest = nullptr;
        for (const PlacedSpot& spot : m_plan.spots) {
            if (spot.band == b &&
                (!nearest || qAbs(spot.position - here.position) < qAbs(nearest->position - here.position)))
                nearest = &spot;
        }
        if (nearest) {
            select(nearest->slot);
            return;
        }
    }
}

void SpectrumMap::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveSelection(event->key());
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_selected >= 0)
            tune(m_selected);
        return;
    case Qt::Key_Delete:
        if (m_selected >= 0 && !m_busy)
            m_tuning.removeSpot(m_selected);
        return;
    case Qt::Key_Escape:
        reject();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool SpectrumMap::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        BandMapLabelDisplay();
    // Delete and Enter belong to the map while it is open, whatever shortcut another window holds.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Return || key == Qt::Key_Enter)
            event->accept();
    }
    return QDialog::event(event);
}

void SpectrumMap::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutStrips();
    BandMapLabelDisplay();
}

} // namespace velm
