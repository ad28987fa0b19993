#pragma once
// Responsibilities: the possible-duplicates line under the entry row (calls of the band that begin with
// the typed call, or a grid label's hover text) and its On/Off button.

#include <QWidget>

class QLabel;
class QPushButton;

namespace velm {

class ContestSession;

class DupesPanel final : public QWidget {
    Q_OBJECT
public:
    DupesPanel(ContestSession& session, QWidget* parent);

    // The calls that begin with the typed call; on teal while it lists any, else on the button face.
    void showPossibleDupes(const QString& list, bool onTeal);
    // Back to the button face, keeping what it shows.
    void showOnButtonFace();
    // A grid label's name and total, under its own caption for screen readers.
    void showHover(const QString& caption, const QString& text);
    // A notice (the own call spotted) on a white background, until the line shows something else.
    void showNotice(const QString& text);
    void cmdDup_Click();

    QLabel *lblPossDup = nullptr, *lblDupe = nullptr;
    QPushButton* cmdDup = nullptr;

Q_SIGNALS:
    // The button was used; the operator goes on typing in the call field.
    void callFieldWanted();

private:
    ContestSession& m_session;
};

} // namespace velm
