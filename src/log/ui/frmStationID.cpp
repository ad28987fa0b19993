#include "log/ui/frmStationID.h"

#include "platform/ui/FormScaling.h"
#include "log/SharedPreferences.h"
#include "log/TextInsertion.h"
#include "log/WriteFormat.h"
#include "platform/Prompts.h"
#include "platform/ui/InsertionGuard.h"
#include "platform/ui/TabOrder.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace velm {

const QString frmStationID::Title = QStringLiteral(" Amateur Station I.D.");

namespace {

// Letters typed into these fields are upper-cased as they are typed; the caret stays where it was.
void upperCaseAsTyped(QLineEdit* field)
{
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int caret = field->cursorPosition();
        field->setText(upper);
        field->setCursorPosition(caret);
    });
}

} // namespace

frmStationID::frmStationID(Prompts& prompts, SharedPreferences& shared, const CountrySource* countries,
                           QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_shared(shared), m_countries(countries)
{
    setObjectName(QStringLiteral("frmStationID"));
    setWindowTitle(Title);
    setModal(true);

    auto* form = new QFormLayout;
    const auto addField = [&](QLineEdit*& field, const char* name, const QString& caption) {
        field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(name));
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        // Screen readers read the caption without its colon.
        field->setAccessibleName(caption.chopped(1).trimmed());
        form->addRow(label, field);
        field->installEventFilter(this);
    };
    addField(Text1, "Text1", QStringLiteral("Please Enter your Call Sign:"));
    addField(Text5, "Text5", QStringLiteral("State / Province / Country:"));
    addField(Text8, "Text8", QStringLiteral("Your VELM or Power:"));
    addField(Text6, "Text6", QStringLiteral("Hours added for UTC:"));
    addField(Text2, "Text2", QStringLiteral("Your Country:"));
    addField(Text3, "Text3", QStringLiteral("Your Longitude:"));
    addField(Text4, "Text4", QStringLiteral("Your Latitude:"));
    addField(Text7, "Text7", QStringLiteral("Your Continent:"));

    for (QLineEdit* field : {Text1, Text5, Text8, Text7})
        upperCaseAsTyped(field);
    // Only "-" to "9" in character order: "-", ".", "/" and the digits (typed or pasted).
    Text6->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-./0-9]*")), Text6));
    // Pasted text keeps what the field takes, with a beep for what it does not (the validator alone would
    // drop the whole paste without a word).
    auto* guard = new InsertionGuard(
        [this](QLineEdit& field, const QString& text) {
            const InsertedText inserted = filterInsertion(
                text,
                [](QChar typed) -> std::optional<QChar> {
                    return typed >= QLatin1Char('-') && typed <= QLatin1Char('9') ? std::optional(typed)
                                                                                  : std::nullopt;
                },
                field.maxLength(), false);
            field.insert(inserted.text);
            if (inserted.refused || inserted.cut)
                m_prompts.beep();
        },
        this);
    guard->guard(Text6);

    Command1 = new QPushButton(QStringLiteral("Done"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &frmStationID::Command1_Click);
    // Enter means Done in the call, S/P/C, VELM, UTC and continent fields.
    for (QLineEdit* field : {Text1, Text5, Text8, Text6, Text7})
        connect(field, &QLineEdit::returnPressed, this, &frmStationID::Command1_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    setTabChain({Text1, Text5, Text8, Text6, Text2, Text3, Text4, Text7, Command1});
    applyFormScaling(*this, FormVariant::A);
}

void frmStationID::setFields(const StationFields& fields)
{
    Text1->setText(fields.Text1);
    Text5->setText(fields.Text5);
    Text8->setText(fields.Text8);
    Text6->setText(fields.Text6);
    Text2->setText(fields.Text2);
    Text3->setText(fields.Text3);
    Text4->setText(fields.Text4);
    Text7->setText(fields.Text7);
}

StationFields frmStationID::fields() const
{
    StationFields fields;
    fields.Text1 = Text1->text();
    fields.Text5 = Text5->text();
    fields.Text8 = Text8->text();
    fields.Text6 = Text6->text();
    fields.Text2 = Text2->text();
    fields.Text3 = Text3->text();
    fields.Text4 = Text4->text();
    fields.Text7 = Text7->text();
    return fields;
}

void frmStationID::Command1_Click()
{
    const StationFields done = normalisedOnDone(fields());
    setFields(done);
    const SaveResult saved = storeSharedStation(m_shared, done);
    m_sharedSaveError = saved.ok ? QString() : saved.error;
    accept();
}

bool frmStationID::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text2 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && text.at(0).isPrint() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return Text2_KeyPress(text);
    }
    if (watched == Text6 && event->type() == QEvent::FocusOut && isVisible())
        Text6_LostFocus();
    return QDialog::eventFilter(watched, event);
}

// Completes the country as it is typed; returns true when the key was consumed by a completion.
bool frmStationID::Text2_KeyPress(const QString& typedCharacter)
{
    QString character = typedCharacter;
    const bool atStart = Text2->cursorPosition() == 0 && !Text2->hasSelectedText();
    if (atStart || (Text2->hasSelectedText() && Text2->selectionStart() == 0))
        character = character.toUpper();
    const int caret = Text2->hasSelectedText() ? Text2->selectionStart() : Text2->cursorPosition();
    const QString typed = Text2->text().left(caret) + character;
    const std::optional<CountryMatch> match =
        m_countries ? m_countries->completeCountry(typed) : std::nullopt;
    if (!match) {
        if (character == typedCharacter)
            return false;
        Text2->insert(character); // the upper-cased first letter
        return true;
    }
    const QString rest = match->country.mid(typed.size());
    Text2->setText(typed + rest);
    Text2->setSelection(int(typed.size()), int(rest.size()));
    Text3->setText(QString::fromLatin1(formatSingle(match->longitude)));
    Text4->setText(QString::fromLatin1(formatSingle(match->latitude)));
    Text7->setText(match->continent);
    return true;
}

void frmStationID::Text6_LostFocus()
{
    if (readsAsNumber(Text6->text()))
        return;
    m_prompts.beep();
    QTimer::singleShot(0, Text6, [this] { Text6->setFocus(); });
}

} // namespace velm
