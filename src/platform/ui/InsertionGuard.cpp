#include "platform/ui/InsertionGuard.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include <memory>

namespace velm {

InsertionGuard::InsertionGuard(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler))
{
}

void InsertionGuard::guard(QLineEdit* field)
{
    field->installEventFilter(this);
}

bool InsertionGuard::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field || field->isReadOnly())
        return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            m_handler(*field, clipboard->text(QClipboard::Clipboard));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease: {
        // The X11 selection is pasted with the middle button where the platform has one.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::MiddleButton) {
            if (clipboard->supportsSelection()) {
                field->deselect();
                field->setCursorPosition(field->cursorPositionAt(mouse->position().toPoint()));
                m_handler(*field, clipboard->text(QClipboard::Selection));
            }
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData() && drop->mimeData()->hasText()) {
            field->deselect();
            field->setCursorPosition(field->cursorPositionAt(drop->position().toPoint()));
            field->setFocus(Qt::MouseFocusReason);
            m_handler(*field, drop->mimeData()->text());
            drop->acceptProposedAction();
        } else {
            drop->ignore();
        }
        return true;
    }
    case QEvent::ContextMenu:
        return contextMenu(*field, static_cast<QContextMenuEvent*>(event)->globalPos());
    default:
        break;
    }
    return false;
}

bool InsertionGuard::contextMenu(QLineEdit& field, const QPoint& globalPos)
{
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    // The standard menu's Paste, known by its icon name or, where the theme has no icon, by its caption.
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().remove(QLatin1Char('&')).startsWith(QLatin1String("Paste")))
            paste = action;
    }
    if (!paste)
        return false;
    paste->disconnect();
    connect(paste, &QAction::triggered, &field,
            [this, &field] { m_handler(field, QGuiApplication::clipboard()->text(QClipboard::Clipboard)); });
    menu->exec(globalPos);
    return true;
}

} // namespace velm
