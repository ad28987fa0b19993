#include "log/ui/Form1.h"

#include "log/BandMode.h"
#include "log/SpcTable.h"
#include "log/VoicePrompts.h"
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

namespace {
// How often held keys look whether the hold after a refused duplicate is over.
constexpr int kHoldPollMs = 50;
} // namespace

void Form1::showMessage(const QString& text, MessageTone tone)
{
    setValueLabel(lblDialog, QStringLiteral("Message"), text);
    m_messageTone = tone;
    QPalette palette = lblDialog->palette();
    const quint32 colour = tone == MessageTone::KeyboardCw ? kMessageLightYellow
                           : tone == MessageTone::Duplicate ? kMessageRed
                                                            : kMessageTeal;
    palette.setColor(QPalette::Window, toQColor(colour));
    palette.setColor(QPalette::WindowText, Qt::black);
    lblDialog->setPalette(palette);
}

// The S/P/C number of a grid label, 0 for any other object.
int Form1::gridLabelNumber(const QObject* object) const
{
    for (int number = 1; number < Label10.size(); ++number) {
        if (Label10.at(number) == object)
            return number;
    }
    return 0;
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (watched == Label24 || watched == Label30) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                watched == Label24 ? Label24_Click() : Label30_Click();
            return true;
        }
        if (const int number = gridLabelNumber(watched); number > 0) {
            txtCntry->setText(spcEntry(number).code); // a grid click fills the S/P/C field
            return true;
        }
        break;
    case QEvent::Enter:
        if (const int number = gridLabelNumber(watched); number > 0)
            gridLabelHover(number);
        break;
    case QEvent::MouseMove:
        if (watched == centralWidget())
            showPossibleDupes(QString(), false);
        break;
    case QEvent::FocusOut:
        // Leaving the field for another control counts; the window losing focus or a menu opening does not.
        if (watched == txtCall) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                txtCall_LostFocus();
        }
        break;
    case QEvent::KeyPress:
        if (watched->isWidgetType())
            return Form_KeyPress(watched, static_cast<QKeyEvent*>(event));
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// Every key of this window passes here once, at the widget that receives it first.
bool Form1::Form_KeyPress(QObject* watched, QKeyEvent* key)
{
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    if (widget->window() != this || !isEnabled() || (focus ? widget != focus : widget != this))
        return false;
    // After a refused duplicate, keys for the call field wait until the hold is over, then replay in order.
    if (widget == txtCall && (!m_heldKeys.isEmpty() || m_dupeHold.holding(m_services.clock.milliseconds()))) {
        m_heldKeys.append(key->clone());
        m_holdTimer->start(kHoldPollMs);
        return true;
    }
    const KeyOutcome outcome = m_keyRouter.route(
        KeyStroke{key->key(), key->modifiers() & ~Qt::KeypadModifier, key->text()}, m_prefs.CurrentMode);
    if (outcome.message || outcome.tone)
        showMessage(outcome.message.value_or(lblDialog->text()), outcome.tone.value_or(m_messageTone));
    if (outcome.window)
        Q_EMIT windowRequested(*outcome.window);
    if (outcome.consumed)
        return true;
    if (widget == txtCall)
        return txtCall_KeyPress(key);
    if (widget == txtCntry)
        return txtCntry_KeyPress(key);
    for (QLineEdit* report : {txtRSTR, txtRSTS}) {
        if (widget == report && reportFieldFull(report, key))
            return true;
    }
    return false;
}

bool Form1::reportFieldFull(QLineEdit* field, QKeyEvent* key) const
{
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    return field->text().size() - field->selectedText().size() + text.size() > m_reportLength;
}

// A character typed into the call field: refuse a double quote, upper-case letters, and update the
// possible-duplicates line as the call will read with this key.
bool Form1::txtCall_KeyPress(QKeyEvent* key)
{
    // A call of one letter finds no country yet; the next key starts the lookup afresh.
    if (txtCall->text().size() < 2) {
        txtCntry->clear();
        clearLookupLabels();
    }
    const QString text = key->text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return false;
    if (text == QLatin1String("\""))
        return true;
    const QChar upper = text.at(0).toUpper();
    const PartialDupeResult result = velm::PartialDupeCheck(m_store, txtCall->text(), upper, m_prefs.CurrentBand,
                                                            m_partialDupesOn, m_operatingClock.LoggedOn());
    if (result.messageToTeal)
        showMessage(lblDialog->text(), MessageTone::Normal);
    showPossibleDupes(result.list, result.listOnTeal);
    if (result.message)
        showMessage(*result.message, MessageTone::Normal);
    if (result.beep)
        m_services.prompts.beep();
    if (upper == text.at(0))
        return false;
    txtCall->insert(QString(upper));
    return true;
}

void Form1::txtCall_LostFocus()
{
    if (!txtCall->text().isEmpty())
        DupCheck();
    ProvinceFromCall();
}

bool Form1::txtCntry_KeyPress(QKeyEvent* key)
{
    const QString text = key->text();
    if (text == QLatin1String("\""))
        return true;
    if (text.size() != 1 || !text.at(0).isPrint() || txtCntry->text().size() < 2)
        return false;
    const int caret = txtCntry->hasSelectedText() ? txtCntry->selectionStart() : txtCntry->cursorPosition();
    const std::optional<PrefixTable::Completion> completion = m_prefixTable.CountryCompletion(
        txtCntry->text(), caret, text.at(0), m_prefs.OwnLatitude, m_prefs.OwnLongitude);
    if (!completion)
        return false;
    txtCntry->setText(completion->text);
    txtCntry->setSelection(completion->selectionStart, completion->selectionLength);
    setValueLabel(Label19, QStringLiteral("Continent"), completion->continent);
    setValueLabel(Label22, QStringLiteral("Bearing"), completion->bearing ? completion->bearing->bearing : QString());
    setValueLabel(Label23, QStringLiteral("Miles"), completion->bearing ? completion->bearing->miles : QString());
    return true;
}

void Form1::releaseHeldKeys()
{
    if (m_dupeHold.holding(m_services.clock.milliseconds())) {
        m_holdTimer->start(kHoldPollMs);
        return;
    }
    m_dupeHold.release();
    const QList<QKeyEvent*> keys = std::exchange(m_heldKeys, {});
    for (QKeyEvent* key : keys) {
        QCoreApplication::sendEvent(txtCall, key);
        delete key;
    }
}

bool Form1::DupCheck()
{
    const DupCheckResult result = velm::DupCheck(
        m_store, DupCheckInput{txtCall->text(), m_prefs.CurrentBand, txtSec->text(), txtCntry->text(),
                               m_prefs.ListPrevious == 1});
    if (result.listCleared)
        ListView1->clear();
    for (const ContactRow& row : result.previousRows)
        ListView1->addTopLevelItem(new QTreeWidgetItem(row.columns));
    if (result.fillVelmPwr) {
        txtSec->setText(*result.fillVelmPwr);
        txtSec->selectAll();
    }
    if (result.fillSpc) {
        txtCntry->setText(*result.fillSpc);
        txtCntry->selectAll();
    }
    if (result.duplicateRecord == 0)
        return false;

    showMessage(result.message, MessageTone::Duplicate);
    showPossibleDupes(lblDupe->text(), false);
    m_services.prompts.beep();
    m_context.voice.BlindKeyPhone(QStringLiteral("Dupe"));
    if (m_prefs.VoiceNavLevel > 0) {
        // The prompt is heard before the operator types on; painting goes on, input waits.
        while (m_context.voice.promptPlaying())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    }
    m_dupeHold.refused(m_services.clock.milliseconds());
    for (QLineEdit* field : {txtCall, txtRSTR, txtCntry, txtSec, txtRSTS})
        field->clear();
    clearLookupLabels();
    txtCall->setFocus();
    return true;
}

void Form1::cmdDup_Click()
{
    showPossibleDupes(lblDupe->text(), false);
    m_partialDupesOn = !m_partialDupesOn;
    cmdDup->setText(m_partialDupesOn ? QStringLiteral("On") : QStringLiteral("Off"));
    cmdDup->setAccessibleName(QStringLiteral("Possible duplicates ") + cmdDup->text());
    txtCall->setFocus();
}

void Form1::showPossibleDupes(const QString& list, bool onTeal)
{
    QFont font = lblDupe->font();
    font.setPointSizeF(QApplication::font().pointSizeF() * 1.2);
    lblDupe->setFont(font);
    setValueLabel(lblDupe, QStringLiteral("Possible duplicates"), list);
    QPalette palette = lblDupe->palette();
    palette.setColor(QPalette::Window, onTeal ? toQColor(kMessageTeal) : QApplication::palette().color(QPalette::Button));
    lblDupe->setPalette(palette);
}

void Form1::gridLabelHover(int number)
{
    const SpcEntry& entry = spcEntry(number);
    QFont font = lblDupe->font();
    font.setPointSizeF(QApplication::font().pointSizeF() * 1.05); // a little smaller than the duplicates list
    const QString text = QStringLiteral("  %1    Total =%2").arg(entry.name).arg(MultiplierState::spcTotal(m_store, entry.code));
    setValueLabel(lblDupe, entry.code, text);
    lblDupe->setFont(font);
}

} // namespace velm
