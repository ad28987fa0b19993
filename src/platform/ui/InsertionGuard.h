#pragma once
// Responsibilities: catches text that reaches a line edit other than by typing (the paste keys, the middle
// mouse button, drag and drop, the context menu's Paste) and hands it to the window's own rules instead.

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;

namespace velm {

class InsertionGuard final : public QObject {
public:
    // Called with the field and the text that was about to be inserted at its caret (the caret already moved
    // to the drop point for a drop); the handler inserts what its rules let through.
    using Handler = std::function<void(QLineEdit& field, const QString& text)>;

    InsertionGuard(Handler handler, QObject* parent);

    void guard(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool contextMenu(QLineEdit& field, const QPoint& globalPos);

    Handler m_handler;
};

} // namespace velm
