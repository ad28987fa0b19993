#pragma once
// Responsibilities: the main window's contact list (last 20 or all, newest first, sortable), the earlier
// contacts of a call, and "Edit Contact" / "Delete Contact" on the selected row.

#include "log/ui/Form1Parts.h"

#include <QWidget>

#include <memory>

class QPushButton;
class QTreeWidget;

namespace velm {

class ContestSession;
class LogStore;
class Prompts;
struct DupCheckResult;

class ContactListPanel final : public QWidget {
    Q_OBJECT
public:
    ContactListPanel(ContestSession& session, Prompts& prompts, const form1::ModalRunner& runModal,
                     QWidget* parent);
    ~ContactListPanel() override;

    // Rebuilds the rows (last 20 or all, newest first).
    void RefreshContactList();
    // "Last 20" / "All": lists every contact or the last 20; the caption names what is shown.
    void cmdList_Click();
    // The selected contact in the edit window, then log.txt rewritten and reloaded.
    void cmdEdit_Click();
    // The selected contact deleted after "Are you sure?"; later records move down one number.
    void cmdDelete_Click();
    // The call field gained the focus: the buttons hide; with the field empty, a list showing fewer rows than
    // the log and fewer than 18 (a short listing of a call's earlier contacts) is refreshed.
    void contactListOnCallFocus(bool callEmpty);
    // The duplicate check's listing of the call's earlier contacts.
    void showPreviousContacts(const DupCheckResult& result);

    QStringList headings() const;
    QList<QStringList> shownRows() const;

    QTreeWidget* ListView1 = nullptr;
    QPushButton *cmdList = nullptr, *cmdEdit = nullptr, *cmdDelete = nullptr;

Q_SIGNALS:
    void callFieldWanted();
    // A refusal for the message line ("Select a contact in the list first!").
    void refused(const QString& message);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool contactList_Event(QObject* watched, QEvent* event);
    int selectedContactRecord() const;
    void showContactButtons();
    void hideContactButtons();
    void sizeContactColumns();
    // An edit or deletion ends with log.txt rewritten and reloaded; a failed rewrite is shown.
    void storeEdited(const LogStore& edited);

    ContestSession& m_session;
    Prompts& m_prompts;
    const form1::ModalRunner& m_runModal;
    bool m_listAll = false;
    std::unique_ptr<QObject> m_events;
};

} // namespace velm
