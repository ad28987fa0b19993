#include "transmit/ui/frmCWStrings.h"

#include "platform/ui/FormScaling.h"
#include "platform/ui/ValueLabel.h"
#include "transmit/TransmitController.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace velm {

const QString frmCWStrings::Title = QStringLiteral("CW Strings");

namespace {
constexpr int kF10Classic = 121;
constexpr int kF12Classic = 123;

QString keyCaption(int index)
{
    return QStringLiteral("F%1").arg(index + 1);
}
} // namespace

frmCWStrings::frmCWStrings(TransmitController& controller, QWidget* parent)
    : QWidget(parent, Qt::Window), m_controller(controller)
{
    setObjectName(QStringLiteral("frmCWStrings"));
    setWindowTitle(Title);
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < kKeys; ++i) {
        auto* key = new QPushButton(keyCaption(i), this);
        key->setObjectName(QStringLiteral("Label1_%1").arg(i));
        key->setFlat(true);
        key->setAutoDefault(false);
        auto* text = new QLabel(this);
        text->setObjectName(QStringLiteral("Label2_%1").arg(i));
        text->setTextInteractionFlags(Qt::NoTextInteraction);
        Label1[std::size_t(i)] = key;
        Label2[std::size_t(i)] = text;
        grid->addWidget(key, i, 0);
        grid->addWidget(text, i, 1);
        connect(key, &QPushButton::clicked, this, [this, i] { Label1_Click(i); });
    }
    auto* note = new QLabel(QStringLiteral("Press Ctrl W to Show this form."), this);
    grid->addWidget(note, kKeys, 0, 1, 2);
    cmdDone = new QPushButton(QStringLiteral("Done"), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    cmdDone->setAutoDefault(false);
    grid->addWidget(cmdDone, kKeys + 1, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::showMinimized);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    refresh();
    applyFormScaling(*this, FormVariant::D);
}

void frmCWStrings::refresh()
{
    const CwSettings& settings = m_controller.settings();
    for (int i = 0; i < kKeys; ++i) {
        const QString text = i < kMessageCount ? settings.messages[std::size_t(i)] : QStringLiteral("Keyboard");
        Label2[std::size_t(i)]->setText(text);
        // The key is what a screen reader lands on: it says the key and what it sends.
        Label1[std::size_t(i)]->setAccessibleName(spokenValue(keyCaption(i), text));
    }
}

void frmCWStrings::Label1_Click(int index)
{
    if (m_controller.settings().method == KeyingMethod::None)
        return;
    int code = kF1Code + index;
    if (code == kF12Classic)
        return;
    if (code == kF10Classic)
        code = kF10Code;
    m_controller.FKeyCW(code);
}

void frmCWStrings::showNormalRaised()
{
    refresh();
    showNormal();
    raise();
    activateWindow();
}

bool frmCWStrings::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        refresh();
    return QWidget::event(e);
}

bool frmCWStrings::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && m_forward && watched->isWidgetType()) {
        // Each key once, at the widget that has it first.
        auto* widget = static_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        if ((focus ? widget == focus : widget == this) && m_forward(static_cast<QKeyEvent*>(e)))
            return true;
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace velm
