#include "log/ui/MultiplierPanel.h"

#include "log/ContestSession.h"
#include "log/SpcTable.h"
#include "log/ui/Form1Parts.h"
#include "platform/ui/ColourValue.h"
#include "platform/ui/ValueLabel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace velm {

MultiplierPanel::MultiplierPanel(const ContestSession& session, QWidget* parent)
    : QWidget(parent), m_session(session)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);

    m_grid = new QWidget(this);
    auto* layout = new QVBoxLayout(m_grid);
    layout->setContentsMargins(0, 0, 0, 0);
    Label15 = new QLabel(QStringLiteral("Multipliers worked on current band:"), m_grid);
    Label15->setObjectName(QStringLiteral("Label15"));
    layout->addWidget(Label15);
    auto* groups = new QHBoxLayout;
    layout->addLayout(groups);
    Label10 = QList<QLabel*>(kGridSpcCount + 1, nullptr);
    for (const SpcGroup& group : spcGroups()) {
        auto* column = new QVBoxLayout;
        auto* heading = new QLabel(group.heading, m_grid);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        column->addWidget(heading, 0, Qt::AlignHCenter);
        auto* codes = new QGridLayout;
        // Codes keep a blank's room between them however wide the score block grows ("NY NJ", never "NYNJ").
        const int gap = QFontMetrics(bold).horizontalAdvance(QStringLiteral("  ")) * 3 / 4;
        codes->setHorizontalSpacing(gap);
        int index = 0;
        for (const int number : group.numbers) {
            auto* label = new QLabel(spcEntry(number).code, m_grid);
            label->setObjectName(QStringLiteral("Label10_%1").arg(number));
            label->setToolTip(spcEntry(number).name);
            label->setAlignment(Qt::AlignCenter);
            label->setMouseTracking(true);
            label->setCursor(Qt::PointingHandCursor);
            label->setFont(bold);
            label->installEventFilter(this);
            Label10[number] = label;
            codes->addWidget(label, index / 2, index % 2);
            ++index;
        }
        column->addLayout(codes);
        column->addStretch(1);
        groups->addLayout(column);
    }
    // Band and colours come with the preferences: until then there is nothing to show.
    m_grid->hide();
    row->addWidget(m_grid, 3);

    auto* dx = new QWidget(this);
    auto* dxLayout = new QVBoxLayout(dx);
    dxLayout->setContentsMargins(0, 0, 0, 0);
    dxCaption = form1::valueLabel(dx, "lblStation5");
    List1 = new QListWidget(dx);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFocusPolicy(Qt::NoFocus);
    List1->setAccessibleName(QStringLiteral("DX countries worked on this band"));
    dxLayout->addWidget(dxCaption);
    dxLayout->addWidget(List1);
    row->addWidget(dx, 1);
}

int MultiplierPanel::gridLabelNumber(const QObject* object) const
{
    for (int number = 1; number < Label10.size(); ++number) {
        if (Label10.at(number) == object)
            return number;
    }
    return 0;
}

bool MultiplierPanel::eventFilter(QObject* watched, QEvent* event)
{
    const int number = gridLabelNumber(watched);
    if (number > 0 && event->type() == QEvent::MouseButtonRelease) {
        Q_EMIT spcClicked(spcEntry(number).code); // a grid click fills the S/P/C field
        return true;
    }
    if (number > 0 && event->type() == QEvent::Enter) {
        const SpcEntry& entry = spcEntry(number);
        Q_EMIT spcHovered(entry.code, QStringLiteral("  %1    Total =%2")
                                          .arg(entry.name)
                                          .arg(MultiplierState::spcTotal(m_session.store(), entry.code)));
    }
    return QWidget::eventFilter(watched, event);
}

void MultiplierPanel::ListRefresh()
{
    const QString& band = m_session.preferences().CurrentBand;
    List1->clear();
    List1->addItems(m_session.multipliers().dxCountries(band));
    setValueLabel(dxCaption, QStringLiteral("DX countries"), m_session.multipliers().dxCaption(band));
}

void MultiplierPanel::RefreshGrid()
{
    for (int number = 1; number <= kGridSpcCount; ++number)
        paintGridLabel(number, m_session.multipliers().worked(m_session.preferences().CurrentBand, number));
}

void MultiplierPanel::paintAllRemaining()
{
    for (int number = 1; number <= kGridSpcCount; ++number)
        paintGridLabel(number, false);
}

void MultiplierPanel::showGrid()
{
    m_grid->show();
}

void MultiplierPanel::paintGridLabel(int number, bool worked)
{
    const ProgramPreferences& prefs = m_session.preferences();
    QLabel* label = Label10.at(number);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     toQColor(quint32(worked ? prefs.WorkedColour : prefs.RemainingColour)));
    label->setPalette(palette);
    const SpcEntry& entry = spcEntry(number);
    label->setAccessibleName(
        QStringLiteral("%1 %2 %3")
            .arg(entry.code, entry.name, worked ? QStringLiteral("worked") : QStringLiteral("not worked")));
}

} // namespace velm
