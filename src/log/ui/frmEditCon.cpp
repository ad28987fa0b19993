#include "log/ui/frmEditCon.h"

#include "platform/ui/FormScaling.h"
#include "log/BandMode.h"
#include "log/TextInsertion.h"
#include "platform/Prompts.h"
#include "platform/ui/Announcer.h"
#include "platform/ui/InsertionGuard.h"
#include "platform/ui/TabOrder.h"
#include "platform/ui/ValueLabel.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace velm {

const QString frmEditCon::Title = QStringLiteral("Edit Contact Entry");

namespace {

const QString kInvalid = QStringLiteral("   Invalid!");

EditKeyRule keyRuleOf(const frmEditCon& window, const QLineEdit* field)
{
    if (field == window.txtEditPre)
        return EditKeyRule::AnyCase;
    if (field == window.txtEditDate)
        return EditKeyRule::Date;
    if (field == window.txtEditTime)
        return EditKeyRule::Time;
    if (field == window.Text2)
        return EditKeyRule::Points;
    return EditKeyRule::UpperCase;
}

} // namespace

frmEditCon::frmEditCon(Prompts& prompts, const LogStore& store, int number, const CountrySource* countries,
                       QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_store(store), m_number(number), m_countries(countries)
{
    setObjectName(QStringLiteral("frmEditCon"));
    setWindowTitle(Title);
    setModal(true);

    lblHeading = new QLabel(QStringLiteral("Edit Contact:"), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    auto* grid = new QGridLayout;
    int row = 0;
    // Pasted and dropped text passes the fields' key rules character by character.
    auto* guard = new InsertionGuard(
        [this](QLineEdit& field, const QString& text) {
            const EditKeyRule rule = keyRuleOf(*this, &field);
            const InsertedText inserted = filterInsertion(
                text, [rule](QChar typed) { return editFieldKey(rule, typed); }, field.maxLength(), true);
            field.insert(inserted.text);
            if (inserted.refused || inserted.cut)
                m_prompts.beep();
        },
        this);
    const auto addField = [&](QLineEdit*& field, const char* name, const QString& caption) {
        field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(name));
        field->setAccessibleName(caption);
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        field->installEventFilter(this);
        guard->guard(field);
        connect(field, &QLineEdit::returnPressed, this, &frmEditCon::cmdDone_Click);
        ++row;
    };
    addField(txtEditCall, "txtEditCall", QStringLiteral("Callsign"));
    addField(txtEditCk, "txtEditCk", QStringLiteral("Rst(R)"));
    addField(txtEditPre, "txtEditPre", QStringLiteral("SPC"));
    addField(txtEditSec, "txtEditSec", QStringLiteral("VELM"));
    addField(txtEditNum, "txtEditNum", QStringLiteral("Rst(S)"));
    addField(txtEditDate, "txtEditDate", QStringLiteral("Date"));
    addField(txtEditTime, "txtEditTime", QStringLiteral("Time"));
    addField(txtEditBnd, "txtEditBnd", QStringLiteral("Mode"));
    addField(Text1, "Text1", QStringLiteral("Band"));
    addField(Text2, "Text2", QStringLiteral("Points"));

    // Warnings stand beside their fields, hidden until a check fails; a screen reader reads each with the
    // field it belongs to ("Mode: Invalid!").
    const auto addWarning = [&](QLabel*& warning, const char* name, const QString& text, QLineEdit* field,
                                int fieldRow) {
        warning = new QLabel(this);
        warning->setObjectName(QString::fromLatin1(name));
        setValueLabel(warning, field->accessibleName(), text);
        warning->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
        warning->hide();
        grid->addWidget(warning, fieldRow, 2);
    };
    addWarning(Label1, "Label1", QStringLiteral("  Dupe!"), txtEditCall, 0);
    addWarning(Label2, "Label2", kInvalid, txtEditPre, 2);
    addWarning(Label3, "Label3", kInvalid, txtEditBnd, 7);
    addWarning(Label6, "Label6", kInvalid, Text1, 8);
    grid->setColumnMinimumWidth(2, Label1->sizeHint().width());

    cmdDone = new QPushButton(QStringLiteral("Done"), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    cmdDeleteDupe = new QPushButton(QStringLiteral("Delete Dupe"), this);
    cmdDeleteDupe->setObjectName(QStringLiteral("cmdDeleteDupe"));
    cmdDeleteDupe->hide();
    for (QPushButton* button : {cmdDone, cmdDeleteDupe}) {
        // Enter belongs to the fields (each runs Done), never to a default button.
        button->setAutoDefault(false);
    }
    connect(cmdDone, &QPushButton::clicked, this, &frmEditCon::cmdDone_Click);
    connect(cmdDeleteDupe, &QPushButton::clicked, this, &frmEditCon::cmdDeleteDupe_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdDone);
    buttons->addWidget(cmdDeleteDupe);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHeading);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setTabChain({txtEditCall, txtEditCk, txtEditPre, txtEditSec, txtEditNum, txtEditDate, txtEditTime,
                 txtEditBnd, Text1, Text2, cmdDone, cmdDeleteDupe});

    if (number >= 1 && number <= store.QsoCount())
        setFields(contactEditFieldsFrom(store.record(number)));
    applyFormScaling(*this, FormVariant::C);
}

void frmEditCon::setFields(const ContactEditFields& fields)
{
    txtEditCall->setText(fields.txtEditCall);
    txtEditCk->setText(fields.txtEditCk);
    txtEditPre->setText(fields.txtEditPre);
    txtEditSec->setText(fields.txtEditSec);
    txtEditNum->setText(fields.txtEditNum);
    txtEditDate->setText(fields.txtEditDate);
    txtEditTime->setText(fields.txtEditTime);
    txtEditBnd->setText(fields.txtEditBnd);
    Text1->setText(fields.Text1);
    Text2->setText(fields.Text2);
}

ContactEditFields frmEditCon::fields() const
{
    return {txtEditCall->text(), txtEditCk->text(),   txtEditPre->text(),  txtEditSec->text(),
            txtEditNum->text(),  txtEditDate->text(), txtEditTime->text(), txtEditBnd->text(),
            Text1->text(),       Text2->text()};
}

void frmEditCon::cmdDone_Click()
{
    const EditDoneResult done = contactEditDone(m_store, m_number, fields());
    // A mode or band that reads now loses its warning, however it was corrected (Enter in the field itself
    // never leaves it). Time, date, mode and band are checked in that order.
    if (done.stop == EditStop::Band || done.stop == EditStop::Points || done.stop == EditStop::None)
        setWarning(Label3, txtEditBnd, false);
    if (done.stop == EditStop::Points || done.stop == EditStop::None)
        setWarning(Label6, Text1, false);
    switch (done.stop) {
    case EditStop::Time:
    case EditStop::Date:
        refuseDateOrTime(done.stop == EditStop::Time ? txtEditTime : txtEditDate);
        return;
    case EditStop::Mode:
    case EditStop::Band:
        m_prompts.beep();
        announceWarnings({setWarning(done.stop == EditStop::Mode ? Label3 : Label6,
                                     done.stop == EditStop::Mode ? txtEditBnd : Text1, true)});
        focusLater(done.stop == EditStop::Mode ? txtEditBnd : Text1);
        return;
    case EditStop::Points:
        m_prompts.beep();
        focusLater(Text2);
        return;
    case EditStop::None:
        break;
    }
    txtEditPre->setText(done.spc);
    for (qsizetype i = 0; i < done.duplicates.size(); ++i)
        m_prompts.beep();
    const QString dupe = setWarning(Label1, txtEditCall, !done.duplicates.isEmpty());
    // Shown only while there is a duplicate to delete; a corrected band leaves nothing for it to do.
    cmdDeleteDupe->setVisible(!done.duplicates.isEmpty());
    announceWarnings({dupe, setWarning(Label2, txtEditPre, done.spcInvalid)});
    if (done.spcInvalid)
        m_prompts.beep();
    if (!done.record)
        return;
    m_edited = done.record;
    accept();
}

void frmEditCon::cmdDeleteDupe_Click()
{
    m_deleteDupe = true;
    reject();
}

bool frmEditCon::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && field->parent() == this) {
        if (event->type() == QEvent::KeyPress)
            return field_KeyPress(field, static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut && isVisible()) {
            // Leaving for another control counts; the window losing focus (a message box) does not.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                field_LostFocus(field);
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool frmEditCon::field_KeyPress(QLineEdit* field, QKeyEvent* key)
{
    const QString text = key->text();
    if (text.size() != 1 || !text.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false; // Enter, Backspace and the editing keys work as usual
    const std::optional<QChar> character = editFieldKey(keyRuleOf(*this, field), text.at(0));
    if (!character)
        return true;
    if (field == txtEditPre) {
        const int caret = field->hasSelectedText() ? field->selectionStart() : field->cursorPosition();
        if (const std::optional<SpcKeyResult> result =
                editSpcKey(field->text(), caret, *character, m_countries)) {
            field->setText(result->text);
            if (result->selectionLength > 0)
                field->setSelection(result->selectionStart, result->selectionLength);
            else
                field->setCursorPosition(result->selectionStart);
            return true;
        }
    }
    if (*character == text.at(0))
        return false;
    field->insert(QString(*character));
    return true;
}

void frmEditCon::field_LostFocus(QLineEdit* field)
{
    if (field == txtEditPre) {
        txtEditPre->setText(spcOnLeave(txtEditPre->text()));
    } else if (field == txtEditDate && !readsAsDate(field->text())) {
        refuseDateOrTime(field);
    } else if (field == txtEditTime && !readsAsTime(field->text())) {
        refuseDateOrTime(field);
    } else if (field == txtEditBnd || field == Text1) {
        const bool valid = field == txtEditBnd ? isContactMode(field->text()) : isBand(field->text());
        announceWarnings({setWarning(field == txtEditBnd ? Label3 : Label6, field, !valid)});
        if (!valid) {
            m_prompts.beep();
            focusLater(field);
        }
    } else if (field == Text2) {
        Text2->setText(pointsOnLeave(Text2->text()));
    }
}

void frmEditCon::refuseDateOrTime(QLineEdit* field)
{
    m_prompts.beep();
    if (field == txtEditDate)
        m_prompts.message(QStringLiteral("You have entered an invalid date format!"),
                          QStringLiteral("Invalid Date Format!"), MessageIcon::Warning);
    else
        m_prompts.message(QStringLiteral("You have entered an invalid time format!"),
                          QStringLiteral("Invalid Time Format!"), MessageIcon::Warning);
    focusLater(field);
}

QString frmEditCon::setWarning(QLabel* warning, QLineEdit* field, bool shown)
{
    warning->setVisible(shown);
    // A screen reader on the field hears the warning after the field's name and text.
    field->setAccessibleDescription(shown ? warning->text().trimmed() : QString());
    return shown ? warning->accessibleName() : QString();
}

void frmEditCon::announceWarnings(const QStringList& warnings)
{
    QStringList shown = warnings;
    shown.removeAll(QString());
    if (!shown.isEmpty())
        Announcer::of(this)->announce(shown.join(QLatin1Char(' ')));
}

void frmEditCon::focusLater(QLineEdit* field)
{
    // After the focus change under way (the operator tabbing on) has finished.
    QTimer::singleShot(0, field, [field] { field->setFocus(); });
}

} // namespace velm
