#include "log/ui/Form1.h"

#include "log/BandMode.h"
#include "log/SpcTable.h"
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
#include "platform/ui/QuietValueLabel.h"
#include "platform/ui/TabOrder.h"
#include "platform/ui/ValueLabel.h"

#include <QActionGroup>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>
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
    // Set every second: read on demand, never announced.
    lblutctime = valueLabel<QuietValueLabel>(box, "lblutctime");
    lblCurTime = valueLabel<QuietValueLabel>(box, "lblCurTime");
    Label16 = valueLabel<QuietValueLabel>(box, "Label16");
    lblttrack = valueLabel<QuietValueLabel>(box, "lblttrack");
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
        label->setObjectName(QStringLiteral("lblStation%1").arg(column));
        label->setBuddy(field);
        lblStation.append(label);
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
    // Widths by what each field holds, in its own large font: the call never shrinks below a long call.
    const auto widthFor = [](QLineEdit* field, const char* sample) {
        return QFontMetrics(field->font()).horizontalAdvance(QString::fromLatin1(sample)) + 16;
    };
    txtCall->setMinimumWidth(widthFor(txtCall, "VP2V/W1ABCD"));
    txtCntry->setMinimumWidth(widthFor(txtCntry, "Germany MMM"));
    txtSec->setMinimumWidth(widthFor(txtSec, "12345W"));
    for (QLineEdit* report : {txtRSTR, txtRSTS})
        report->setFixedWidth(widthFor(report, "5999"));
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(3, 2);

    // Post-contest entry: contacts from a paper log carry their own date and time.
    const auto addPostContestField = [&](QLineEdit*& field, QLabel*& label, const char* name,
                                         const QString& caption, int maxLength, int column) {
        field = new QLineEdit(row);
        field->setObjectName(QString::fromLatin1(name));
        field->setMaxLength(maxLength);
        field->setAccessibleName(caption);
        field->setFont(txtCall->font());
        label = new QLabel(caption, row);
        label->setObjectName(QStringLiteral("lbl") + field->objectName().mid(3));
        label->setBuddy(field);
        grid->addWidget(label, 0, column);
        grid->addWidget(field, 1, column);
        field->hide();
        label->hide();
    };
    addPostContestField(txtPostConTime, lblPostConTime, "txtPostConTime", QStringLiteral("Time"), 5, 5);
    addPostContestField(txtPostConDate, lblPostConDate, "txtPostConDate", QStringLiteral("Date"), 10, 6);

    cmdClear = new QPushButton(QStringLiteral("&Clear"), row);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setToolTip(QStringLiteral("Click to clear entry fields or press ALT C"));
    cmdClear->setFocusPolicy(Qt::TabFocus); // a click leaves the focus where the operator types
    grid->addWidget(cmdClear, 1, 7);

    lblDialog = valueLabel(row, "lblDialog");
    lblDialog->setAutoFillBackground(true);
    lblDialog->setMinimumHeight(lblDialog->fontMetrics().height() * 3 / 2);
    lblDialog->setToolTip(QStringLiteral(
        "It is not necessary to press Space or Tab to tab unless the Callsign includes a \"/\"."));
    grid->addWidget(lblDialog, 2, 0, 1, 5);
    setTabChain({txtCall, txtRSTR, txtCntry, txtSec, txtRSTS, txtPostConTime, txtPostConDate, cmdClear});
    return row;
}

QWidget* Form1::buildScoreArea()
{
    auto* score = new QGroupBox(QStringLiteral("Score Statistics"), this);
    auto* grid = new QGridLayout(score);
    lblTotCon = valueLabel(score, "lblTotCon");
    lblsectogo = valueLabel(score, "lblsectogo");
    lblTotSec = valueLabel(score, "lblTotSec");
    lblTotScore = valueLabel(score, "lblTotScore");
    lblAQSO60 = valueLabel(score, "lblAQSO60");
    lblAQSO20 = valueLabel(score, "lblAQSO20");
    const std::pair<const char*, QLabel*> rows[] = {{"Total Contacts ............", lblTotCon},
                                                    {"Total Multipliers ...........", lblsectogo},
                                                    {"Total QSO Points ........", lblTotSec},
                                                    {"Total Score..................", lblTotScore},
                                                    {"QSOs / Hr (last 60 min)", lblAQSO60},
                                                    {"QSOs / Hr (last 20 min)", lblAQSO20}};
    int row = 0;
    for (const auto& [caption, label] : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption), score), row, 0);
        grid->addWidget(label, row++, 1, Qt::AlignRight);
    }
    return score;
}

QWidget* Form1::buildLookupArea()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    Label19 = valueLabel(box, "Label19");
    Label22 = valueLabel(box, "Label22");
    Label23 = valueLabel(box, "Label23");
    const std::pair<const char*, QLabel*> columns[] = {{"Continent", Label19}, {"Bearing", Label22}, {"Miles", Label23}};
    int column = 0;
    for (const auto& [caption, label] : columns) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption), box), 0, column);
        QFont large = label->font();
        large.setPointSizeF(large.pointSizeF() * 1.3);
        large.setBold(true);
        label->setFont(large);
        // Room for the widest value, so the entry row never shifts while a call is typed.
        label->setMinimumWidth(QFontMetrics(large).horizontalAdvance(QStringLiteral("12,345 ")));
        grid->addWidget(label, 1, column++);
    }
    Label3 = new QLabel(QStringLiteral("New"), box);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont bold = Label3->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    Label3->setFont(bold);
    Label3->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0)"));
    Label3->setAccessibleName(QStringLiteral("New country on this band"));
    Label3->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(Label3->text() + QLatin1Char(' ')));
    // Hidden by retaining its place, so the row does not move when it shows.
    QSizePolicy keepPlace = Label3->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    Label3->setSizePolicy(keepPlace);
    Label3->hide();
    grid->addWidget(Label3, 1, column);
    return box;
}

QWidget* Form1::buildDupeArea()
{
    auto* box = new QWidget(this);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    lblPossDup = new QLabel(QStringLiteral("               Possible Duplicates"), box);
    lblPossDup->setObjectName(QStringLiteral("lblPossDup"));
    lblPossDup->setAccessibleName(QStringLiteral("Possible Duplicates")); // without the blanks that place it
    lblDupe = valueLabel(box, "lblDupe");
    lblDupe->setAutoFillBackground(true);
    lblDupe->setMinimumHeight(lblDupe->fontMetrics().height() * 3 / 2);
    QFont larger = lblDupe->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.2);
    lblDupe->setFont(larger);
    cmdDup = new QPushButton(QStringLiteral("On"), box);
    cmdDup->setObjectName(QStringLiteral("cmdDup"));
    cmdDup->setToolTip(QStringLiteral("Displaying partial dupes slows the program on older pc's."));
    cmdDup->setAccessibleName(QStringLiteral("Possible duplicates On"));
    cmdDup->setFocusPolicy(Qt::TabFocus);
    connect(cmdDup, &QPushButton::clicked, this, &Form1::cmdDup_Click);
    layout->addWidget(lblPossDup, 0, 0);
    layout->addWidget(lblDupe, 1, 0);
    layout->addWidget(cmdDup, 1, 1);
    layout->setColumnStretch(0, 1);
    return box;
}

QWidget* Form1::buildMultiplierArea()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    Label15 = new QLabel(QStringLiteral("Multipliers worked on current band:"), box);
    Label15->setObjectName(QStringLiteral("Label15"));
    layout->addWidget(Label15);
    auto* groups = new QHBoxLayout;
    layout->addLayout(groups);
    Label10 = QList<QLabel*>(kGridSpcCount + 1, nullptr);
    for (const SpcGroup& group : spcGroups()) {
        auto* column = new QVBoxLayout;
        auto* heading = new QLabel(group.heading, box);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        column->addWidget(heading, 0, Qt::AlignHCenter);
        auto* codes = new QGridLayout;
        // Codes keep a blank's room between them however wide the score block grows ("NY NJ", never "NYNJ").
        QFont codeFont = heading->font();
        const int gap = QFontMetrics(codeFont).horizontalAdvance(QStringLiteral("  ")) * 3 / 4;
        codes->setHorizontalSpacing(gap);
        int index = 0;
        for (const int number : group.numbers) {
            auto* label = new QLabel(spcEntry(number).code, box);
            label->setObjectName(QStringLiteral("Label10_%1").arg(number));
            label->setToolTip(spcEntry(number).name);
            label->setAlignment(Qt::AlignCenter);
            label->setMouseTracking(true);
            label->setCursor(Qt::PointingHandCursor);
            label->setFont(codeFont);
            Label10[number] = label;
            codes->addWidget(label, index / 2, index % 2);
            ++index;
        }
        column->addLayout(codes);
        column->addStretch(1);
        groups->addLayout(column);
    }
    return box;
}

QWidget* Form1::buildDxArea()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* caption = valueLabel(box, "lblStation5");
    lblStation.append(caption);
    List1 = new QListWidget(box);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFocusPolicy(Qt::NoFocus);
    List1->setAccessibleName(QStringLiteral("DX countries worked on this band"));
    layout->addWidget(caption);
    layout->addWidget(List1);
    return box;
}

QWidget* Form1::buildContactList()
{
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setToolTip(QStringLiteral("Click record to edit or delete."));
    ListView1->setAccessibleName(QStringLiteral("Contacts"));
    ListView1->setHeaderLabels({QStringLiteral("Rec#"), QStringLiteral("Call"), QStringLiteral("Rec"),
                                QStringLiteral("SPC"), QStringLiteral("VELM"), QStringLiteral("Snt"),
                                QStringLiteral("Date/Time"), QStringLiteral("Mo"), QStringLiteral("Bnd"),
                                QStringLiteral("Pts")});
    ListView1->setFocusPolicy(Qt::TabFocus);
    return ListView1;
}

} // namespace velm
