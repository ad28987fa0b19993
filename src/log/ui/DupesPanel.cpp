#include "log/ui/DupesPanel.h"

#include "log/ContestSession.h"
#include "log/KeyRouter.h"
#include "log/ui/Form1Parts.h"
#include "platform/ui/ColourValue.h"
#include "platform/ui/ValueLabel.h"

#include <QApplication>
#include <QGridLayout>
#include <QPushButton>

namespace velm {

DupesPanel::DupesPanel(ContestSession& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    lblPossDup = new QLabel(QStringLiteral("               Possible Duplicates"), this);
    lblPossDup->setObjectName(QStringLiteral("lblPossDup"));
    lblPossDup->setAccessibleName(QStringLiteral("Possible Duplicates")); // without the blanks that place it
    lblDupe = form1::valueLabel(this, "lblDupe");
    lblDupe->setAutoFillBackground(true);
    lblDupe->setMinimumHeight(lblDupe->fontMetrics().height() * 3 / 2);
    QFont larger = lblDupe->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.2);
    lblDupe->setFont(larger);
    cmdDup = new QPushButton(QStringLiteral("On"), this);
    cmdDup->setObjectName(QStringLiteral("cmdDup"));
    cmdDup->setToolTip(QStringLiteral("Displaying partial dupes slows the program on older pc's."));
    cmdDup->setAccessibleName(QStringLiteral("Possible duplicates On"));
    cmdDup->setFocusPolicy(Qt::TabFocus);
    connect(cmdDup, &QPushButton::clicked, this, &DupesPanel::cmdDup_Click);
    layout->addWidget(lblPossDup, 0, 0);
    layout->addWidget(lblDupe, 1, 0);
    layout->addWidget(cmdDup, 1, 1);
    layout->setColumnStretch(0, 1);
}

void DupesPanel::showPossibleDupes(const QString& list, bool onTeal)
{
    QFont font = lblDupe->font();
    font.setPointSizeF(QApplication::font().pointSizeF() * 1.2);
    lblDupe->setFont(font);
    setValueLabel(lblDupe, QStringLiteral("Possible duplicates"), list);
    QPalette palette = lblDupe->palette();
    palette.setColor(QPalette::Window,
                     onTeal ? toQColor(kMessageTeal) : QApplication::palette().color(QPalette::Button));
    lblDupe->setPalette(palette);
}

void DupesPanel::showOnButtonFace()
{
    showPossibleDupes(lblDupe->text(), false);
}

void DupesPanel::showHover(const QString& caption, const QString& text)
{
    QFont font = lblDupe->font();
    font.setPointSizeF(QApplication::font().pointSizeF() * 1.05); // a little smaller than the duplicates list
    setValueLabel(lblDupe, caption, text);
    lblDupe->setFont(font);
}

void DupesPanel::showNotice(const QString& text)
{
    setValueLabel(lblDupe, QStringLiteral("Possible duplicates"), text);
    QPalette palette = lblDupe->palette();
    palette.setColor(QPalette::Window, toQColor(kMessageWhite));
    palette.setColor(QPalette::WindowText, Qt::black);
    lblDupe->setPalette(palette);
}

void DupesPanel::cmdDup_Click()
{
    showOnButtonFace();
    m_session.togglePartialDupes();
    cmdDup->setText(m_session.partialDupesOn() ? QStringLiteral("On") : QStringLiteral("Off"));
    cmdDup->setAccessibleName(QStringLiteral("Possible duplicates ") + cmdDup->text());
    Q_EMIT callFieldWanted();
}

} // namespace velm
