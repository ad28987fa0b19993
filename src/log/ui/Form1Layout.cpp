#include "log/ui/Form1.h"

#include "log/BandMode.h"
#include "log/Keyers.h"
#include "log/SharedPreferences.h"
#include "log/StationProfile.h"
#include "log/UtcOffsetCheck.h"
#include "log/ui/Form1Parts.h"
#include "log/ui/Form5.h"
#include "log/ui/frmStationID.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"
#include "platform/ui/ColourValue.h"
#include "platform/ui/TabOrder.h"
#include "platform/ui/ValueLabel.h"

#include <QActionGroup>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace velm {

using namespace form1;

QWidget* Form1::buildStationArea()
{
    auto* box = new QGroupBox(QStringLiteral("Station"), this);
    auto* grid = new QGridLayout(box);
    Label2 = valueLabel(box, "Label2");
    Label25 = valueLabel(box, "Label25");
    Label4 = valueLabel(box, "Label4");
    QFont large = Label2->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    for (QLabel* label : {Label2, Label25, Label4})
        label->setFont(large);
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(Label25, 0, 1);
    grid->addWidget(Label4, 0, 2);
    return box;
}

QWidget* Form1::buildClockArea()
{
    auto* box = new QGroupBox(QStringLiteral("Clock"), this);
    auto* grid = new QGridLayout(box);
    lblutctime = valueLabel(box, "lblutctime");
    lblCurTime = valueLabel(box, "lblCurTime");
    Label16 = valueLabel(box, "Label16");
    lblttrack = valueLabel(box, "lblttrack");
    grid->addWidget(new QLabel(QStringLiteral("UTC"), box), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Local"), box), 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Operating Time"), box), 0, 3);
    grid->addWidget(lblutctime, 1, 0);
    grid->addWidget(lblCurTime, 1, 1);
    grid->addWidget(Label16, 1, 2);
    grid->addWidget(lblttrack, 1, 3);
    cmdLogOn = new QPushButton(kTimeOnCaption, box);
    cmdLogOn->setObjectName(QStringLiteral("cmdLogOn"));
    cmdLogOn->setToolTip(QStringLiteral("Records On/Off times and controls duration clock."));
    cmdLogOn->setFocusPolicy(Qt::TabFocus);
    connect(cmdLogOn, &QPushButton::clicked, this, &Form1::cmdLogOn_Click);
    grid->addWidget(cmdLogOn, 1, 4);
    return box;
}

QWidget* Form1::buildBandModeArea()
{
    auto* box = new QGroupBox(QStringLiteral("Band / Mode"), this);
    auto* grid = new QHBoxLayout(box);
    Label24 = valueLabel(box, "Label24");
    Label30 = valueLabel(box, "Label30");
    for (QLabel* label : {Label24, Label30}) {
        label->setToolTip(QStringLiteral("Click to change modes."));
        label->setCursor(Qt::PointingHandCursor);
        QFont large = label->font();
        large.setPointSizeF(large.pointSizeF() * 1.4);
        large.setBold(true);
        label->setFont(large);
        label->installEventFilter(this);
        grid->addWidget(label);
    }
    return box;
}

QWidget* Form1::buildEntryRow()
{
    auto* row = new QWidget(this);
    auto* grid = new QGridLayout(row);
    const auto addField = [&](QLineEdit*& field, const char* name, const QString& caption, int maxLength,
                              int column) {
        field = new QLineEdit(row);
        field->setObjectName(QString::fromLatin1(name));
        field->setMaxLength(maxLength);
        field->setAccessibleName(caption);
        QFont large = field->font();
        large.setPointSizeF(large.pointSizeF() * 1.6);
        field->setFont(large);
        auto* label = new QLabel(caption, row);
        label->setBuddy(field);
        grid->addWidget(label, 0, column);
        grid->addWidget(field, 1, column);
    };
    // The report fields' length is checked per key (reportFieldFull), so a shorter limit after a mode
    // change never cuts a report already typed.
    addField(txtCall, "txtCall", QStringLiteral("Call"), 12, 0);
    addField(txtRSTR, "txtRSTR", QStringLiteral("RS(T) Rc"), 32767, 1);
    addField(txtCntry, "txtCntry", QStringLiteral("State/Prov/Coun"), 30, 2);
    addField(txtSec, "txtSec", QStringLiteral("VELM/PWR"), 20, 3);
    addField(txtRSTS, "txtRSTS", QStringLiteral("RS(T) Sn"), 32767, 4);
    txtCntry->setToolTip(QStringLiteral("State / Province / Country"));
    txtSec->setToolTip(QStringLiteral("Enter power followed by W"));
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(3, 2);

    lblDialog = valueLabel(row, "lblDialog");
    lblDialog->setAutoFillBackground(true);
    lblDialog->setMinimumHeight(lblDialog->fontMetrics().height() * 3 / 2);
    grid->addWidget(lblDialog, 2, 0, 1, 5);
    setTabChain({txtCall, txtRSTR, txtCntry, txtSec, txtRSTS});
    return row;
}

QWidget* Form1::buildScoreArea()
{
    auto* score = new QGroupBox(QStringLiteral("Score Statistics"), this);
    auto* grid = new QGridLayout(score);
    lblTotCon = valueLabel(score, "lblTotCon");
    lblTotSec = valueLabel(score, "lblTotSec");
    grid->addWidget(new QLabel(QStringLiteral("Total Contacts ............"), score), 0, 0);
    grid->addWidget(lblTotCon, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Total QSO Points ........"), score), 1, 0);
    grid->addWidget(lblTotSec, 1, 1);
    return score;
}

} // namespace velm
