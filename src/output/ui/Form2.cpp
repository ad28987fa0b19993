#include "output/ui/Form2.h"

#include "platform/ui/FormScaling.h"
#include "log/ContestSession.h"
#include "log/ScoreStats.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"
#include "platform/ui/TabOrder.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace velm {

const QString Form2::Title = QStringLiteral("Summary Sheet Information");

namespace {

QRadioButton* option(QWidget* box, QVBoxLayout* column, const char* name, const QString& caption)
{
    auto* button = new QRadioButton(caption, box);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    column->addWidget(button);
    return button;
}

QGroupBox* frame(QWidget* parent, const QString& caption, QVBoxLayout*& column)
{
    auto* box = new QGroupBox(caption, parent);
    box->setAccessibleName(caption.chopped(1));
    column = new QVBoxLayout(box);
    return box;
}

} // namespace

Form2::Form2(const Services& services, const EntrySources& sources, SharedPreferences& shared,
             const UserFolderPaths& folders, QWidget* parent)
    : QDialog(parent), m_services(services), m_sources(sources), m_shared(shared),
      m_userDataFolder(folders.UserDataFolder)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(Title);
    setModal(true);

    Command4 = new QPushButton(QStringLiteral("Write Summary and Log Files"), this);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command3 = new QPushButton(QStringLiteral("Done"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    for (QPushButton* button : {Command4, Command3})
        button->setAutoDefault(false);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);

    auto* columns = new QHBoxLayout;
    columns->addWidget(buildOptions());
    columns->addWidget(buildFields(), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command4);
    buttons->addWidget(Command3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    setTabChain({Option16, Option15, Option14, Option13, Option12, Option11, Option10, Option6,
                 Option7,  Option1,  Option2,  Option3,  Option9,  Option5,  Option4,  Option8,
                 Option17, Option20, Option18, Option19, Text4,    Text1,    Text2,    Text10,
                 Text3,    Text11,   Text5,    Text6,    Text7,    Text8,    Command4, Command3});

    const SettingsStore& settings = m_services.settings;
    Text5->setText(settings.value(QStringLiteral("UserAddressName"), QString()));
    Text6->setText(settings.value(QStringLiteral("UserAddressLine1"), QString()));
    Text7->setText(settings.value(QStringLiteral("UserAddressLine2"), QString()));
    Text8->setText(settings.value(QStringLiteral("UserEMail"), QString()));
    applyFormScaling(*this, FormVariant::A);
}

QWidget* Form2::buildOptions()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* column = nullptr;

    QGroupBox* contest = frame(panel, QStringLiteral("Contest:"), column);
    Option16 = option(contest, column, "Option16", QStringLiteral("QRP VELM Topband CW and SSB Sprint"));
    Option15 = option(contest, column, "Option15", QStringLiteral("QRP VELM Fireside SSB Sprint"));
    Option14 = option(contest, column, "Option14", QStringLiteral("QRP VELM Spring QSO Party"));
    Option13 = option(contest, column, "Option13", QStringLiteral("QRP VELM Hootowl Sprint"));
    Option12 = option(contest, column, "Option12", QStringLiteral("QRP VELM Summer Homebrew Sprint"));
    Option11 = option(contest, column, "Option11", QStringLiteral("QRP VELM Fall QSO Party"));
    Option10 = option(contest, column, "Option10", QStringLiteral("QRP VELM Holiday Homebrew"));
    Option15->setChecked(true);
    layout->addWidget(contest);

    auto* lower = new QHBoxLayout;
    QGroupBox* category = frame(panel, QStringLiteral("Category:"), column);
    Option6 = option(category, column, "Option6", QStringLiteral("All-band"));
    Option7 = option(category, column, "Option7", QStringLiteral("Single band"));
    Option1 = option(category, column, "Option1", QStringLiteral("High bands"));
    Option2 = option(category, column, "Option2", QStringLiteral("Low bands"));
    Option3 = option(category, column, "Option3", QStringLiteral("Multi-Op"));
    Option9 = option(category, column, "Option9", QStringLiteral("DX"));
    Option6->setChecked(true);
    lower->addWidget(category);

    auto* right = new QVBoxLayout;
    QGroupBox* mode = frame(panel, QStringLiteral("Mode:"), column);
    Option5 = option(mode, column, "Option5", QStringLiteral("CW Only"));
    Option4 = option(mode, column, "Option4", QStringLiteral("Mixed"));
    Option8 = option(mode, column, "Option8", QStringLiteral("Phone Only"));
    Option5->setChecked(true);
    right->addWidget(mode);
    lower->addLayout(right);
    layout->addLayout(lower);

    QGroupBox* bonus = frame(panel, QStringLiteral("Bonus Points:"), column);
    Option17 = option(bonus, column, "Option17", QStringLiteral("None"));
    Option20 = option(bonus, column, "Option20", QStringLiteral("Home Brew Transmitter"));
    Option18 = option(bonus, column, "Option18", QStringLiteral("Home Brew Receiver"));
    Option19 = option(bonus, column, "Option19", QStringLiteral("Home Brew Transceiver"));
    Option17->setChecked(true);
    Text4 = new QLineEdit(QStringLiteral("0"), bonus);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setAccessibleName(QStringLiteral("# Bands"));
    auto* bandsRow = new QFormLayout;
    auto* bandsLabel = new QLabel(QStringLiteral("# Bands:"), bonus);
    bandsLabel->setBuddy(Text4);
    bandsRow->addRow(bandsLabel, Text4);
    column->addLayout(bandsRow);
    layout->addWidget(bonus);
    layout->addStretch();
    return panel;
}

QWidget* Form2::buildFields()
{
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    const auto addField = [&](QLineEdit*& field, const char* name, const QString& caption) {
        field = new QLineEdit(panel);
        field->setObjectName(QString::fromLatin1(name));
        field->setAccessibleName(caption.chopped(1));
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 14);
        auto* label = new QLabel(caption, panel);
        label->setBuddy(field);
        // A caption wraps only on a row of its own: a form layout gives a wrapped label beside a field the
        // height of the field, which clips the lines above and below.
        if (caption.size() > 30) {
            label->setWordWrap(true);
            form->addRow(label);
            form->addRow(field);
        } else {
            form->addRow(label, field);
        }
    };
    addField(Text1, "Text1", QStringLiteral("Power Output:"));
    addField(Text2, "Text2", QStringLiteral("Transmitter/Transceiver:"));
    addField(Text10, "Text10", QStringLiteral("Receiver:"));
    addField(Text3, "Text3", QStringLiteral("Antennas:"));
    addField(Text11, "Text11",
             QStringLiteral("Soapbox (Add any comments you would like to make about the contest):"));
    addField(Text5, "Text5", QStringLiteral("Your Name:"));
    addField(Text6, "Text6", QStringLiteral("Address Line 1:"));
    addField(Text7, "Text7", QStringLiteral("Address Line 2:"));
    addField(Text8, "Text8", QStringLiteral("Email Address:"));

    // Only "-" to "9" in character order ("-", ".", "/", digits), typed or pasted.
    const QRegularExpression numberKeys(QStringLiteral("[-./0-9]*"));
    for (QLineEdit* field : {Text1, Text4}) {
        field->setValidator(new QRegularExpressionValidator(numberKeys, field));
        field->installEventFilter(this);
    }
    return panel;
}

SummaryInput Form2::input() const
{
    SummaryInput in;
    const auto pick = [](auto none, std::initializer_list<std::pair<QRadioButton*, decltype(none)>> options) {
        for (const auto& [button, value] : options) {
            if (button->isChecked())
                return value;
        }
        return none;
    };
    in.contest = pick(ContestChoice::None, {{Option16, ContestChoice::Topband},
                                            {Option15, ContestChoice::Fireside},
                                            {Option14, ContestChoice::SpringQsoParty},
                                            {Option13, ContestChoice::Hootowl},
                                            {Option12, ContestChoice::SummerHomebrew},
                                            {Option11, ContestChoice::FallQsoParty},
                                            {Option10, ContestChoice::Holiday}});
    in.category = pick(CategoryChoice::None, {{Option6, CategoryChoice::AllBand},
                                              {Option7, CategoryChoice::SingleBand},
                                              {Option1, CategoryChoice::HighBands},
                                              {Option2, CategoryChoice::LowBands},
                                              {Option3, CategoryChoice::MultiOp},
                                              {Option9, CategoryChoice::DX}});
    in.mode =
        pick(ModeClass::None,
             {{Option5, ModeClass::CwOnly}, {Option4, ModeClass::Mixed}, {Option8, ModeClass::PhoneOnly}});
    in.bonus = pick(BonusKind::None, {{Option17, BonusKind::None},
                                      {Option20, BonusKind::Transmitter},
                                      {Option18, BonusKind::Receiver},
                                      {Option19, BonusKind::Transceiver}});
    in.bands = Text4->text();
    in.power = Text1->text();
    in.transmitter = Text2->text();
    in.receiver = Text10->text();
    in.antennas = Text3->text();
    in.soapbox = Text11->text();
    in.name = Text5->text();
    in.address1 = Text6->text();
    in.address2 = Text7->text();
    in.email = Text8->text();
    return in;
}

void Form2::Command4_Click()
{
    const WriteOutcome outcome = WriteSummaryAndLog(
        input(), m_sources,
        EntryWriteContext{m_services.prompts, m_services.settings, m_shared, m_userDataFolder});
    if (outcome == WriteOutcome::PowerNotNumeric)
        Text1->setFocus();
    else if (outcome == WriteOutcome::Written)
        Command3->setFocus();
}

void Form2::Command3_Click()
{
    accept(); // hides the window, which ends its modal run
}

bool Form2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && isVisible()) {
        // Leaving for another window (a message box, another program) is not leaving the field. "Done" stays
        // reachable from an unfinished power field, and the write button checks the power itself.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool withinWindow = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        const QWidget* next = QApplication::focusWidget();
        if (withinWindow && watched == Text1 && next != Command3 && next != Command4)
            Text1_LostFocus();
        else if (withinWindow && watched == Text4)
            Text4_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

bool Form2::Text1_LostFocus()
{
    if (powerIsNumeric(Text1->text()))
        return true;
    m_services.prompts.message(kPowerMessage, kPowerTitle, MessageIcon::Warning);
    QTimer::singleShot(0, Text1, [this] { Text1->setFocus(); });
    return false;
}

void Form2::Text4_LostFocus()
{
    if (!powerIsNumeric(Text4->text()))
        Text4->setText(QStringLiteral("0"));
}

void Form2::open(const ContestSession& session, const QString& programTitle, const Services& services,
                 SharedPreferences& shared, QWidget* parent)
{
    const LogStore& log = session.store();
    const QString multipliers =
        Labeldisplay(log.QsoCount(), log.PointsTotal(), session.multipliers().totalMultipliers()).multipliers;
    const EntrySources sources{log,          session.multipliers(), session.preferences(),
                               programTitle, multipliers,           session.operatingTimeText()};
    Form2 window(services, sources, shared, session.userFolders(), parent);
    window.exec();
}

} // namespace velm
