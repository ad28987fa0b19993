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

void Form1::showMessage(const QString& text, MessageTone tone)
{
    setValueLabel(lblDialog, QStringLiteral("Message"), text);
    m_messageTone = tone;
    QPalette palette = lblDialog->palette();
    palette.setColor(QPalette::Window,
                     toQColor(tone == MessageTone::KeyboardCw ? kMessageLightYellow : kMessageTeal));
    palette.setColor(QPalette::WindowText, Qt::black);
    lblDialog->setPalette(palette);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && (watched == Label24 || watched == Label30)) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            watched == Label24 ? Label24_Click() : Label30_Click();
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType())
        return Form_KeyPress(watched, static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

// Every key of this window passes here once, at the widget that receives it first.
bool Form1::Form_KeyPress(QObject* watched, QKeyEvent* key)
{
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    if (widget->window() != this || !isEnabled() || (focus ? widget != focus : widget != this))
        return false;
    const KeyOutcome outcome = m_keyRouter.route(
        KeyStroke{key->key(), key->modifiers() & ~Qt::KeypadModifier, key->text()}, m_prefs.CurrentMode);
    if (outcome.message || outcome.tone)
        showMessage(outcome.message.value_or(lblDialog->text()), outcome.tone.value_or(m_messageTone));
    if (outcome.window)
        Q_EMIT windowRequested(*outcome.window);
    if (outcome.consumed)
        return true;
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

} // namespace velm
