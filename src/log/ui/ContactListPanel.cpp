#include "log/ui/ContactListPanel.h"

#include "log/ContactEdit.h"
#include "log/ContactRow.h"
#include "log/ContestSession.h"
#include "log/ui/frmEditCon.h"
#include "platform/Prompts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velm {

namespace {

// Column widths for a window 9600 units wide; they scale with the window.
constexpr int kColumnWidths[] = {550, 900, 430, 920, 650, 420, 900, 430, 430, 370};
constexpr int kDesignWindowWidth = 9600;

// Hands the events of the objects it is installed on to a member of the panel.
class EventHook final : public QObject {
public:
    explicit EventHook(std::function<bool(QObject*, QEvent*)> handler) : m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return m_handler(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> m_handler;
};

} // namespace

ContactListPanel::ContactListPanel(ContestSession& session, Prompts& prompts,
                                   const form1::ModalRunner& runModal, QWidget* parent)
    : QWidget(parent), m_session(session), m_prompts(prompts), m_runModal(runModal)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setToolTip(QStringLiteral("Click record to edit or delete."));
    ListView1->setAccessibleName(QStringLiteral("Contacts"));
    ListView1->setHeaderLabels({QStringLiteral("Rec#"), QStringLiteral("Call"), QStringLiteral("Rec"),
                                QStringLiteral("SPC"), QStringLiteral("VELM"), QStringLiteral("Snt"),
                                QStringLiteral("Date/Time"), QStringLiteral("Mo"), QStringLiteral("Bnd"),
                                QStringLiteral("Pts")});
    ListView1->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(ListView1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    const auto addButton = [&](QPushButton*& button, const char* name, const QString& caption) {
        button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        // Clicking a button leaves the focus where the operator types.
        button->setFocusPolicy(Qt::TabFocus);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    };
    addButton(cmdList, "cmdList", QStringLiteral("Last 20"));
    cmdList->setToolTip(QStringLiteral("List all or last 20 contacts (Listing all will slow the program)"));
    addButton(cmdEdit, "cmdEdit", QStringLiteral("Edit Contact"));
    addButton(cmdDelete, "cmdDelete", QStringLiteral("Delete Contact"));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    hideContactButtons();

    connect(cmdList, &QPushButton::clicked, this, &ContactListPanel::cmdList_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &ContactListPanel::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &ContactListPanel::cmdDelete_Click);
    // A heading click sorts once; the list is not kept sorted.
    ListView1->setSortingEnabled(false);
    ListView1->header()->setSectionsClickable(true);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { ListView1->sortItems(column, Qt::AscendingOrder); });
    m_events = std::make_unique<EventHook>(
        [this](QObject* watched, QEvent* event) { return contactList_Event(watched, event); });
    ListView1->installEventFilter(m_events.get());
    ListView1->viewport()->installEventFilter(m_events.get());
}

// The hook goes before the list, so that the list's last events never reach a half-destroyed panel.
ContactListPanel::~ContactListPanel()
{
    ListView1->removeEventFilter(m_events.get());
    ListView1->viewport()->removeEventFilter(m_events.get());
}

bool ContactListPanel::contactList_Event(QObject* watched, QEvent* event)
{
    if (watched == ListView1 && event->type() == QEvent::FocusIn) {
        // The current row is the selected row from the moment the list has the focus, so that Home, End,
        // the arrows and the page keys move a selection that Edit and Delete act on.
        if (!ListView1->currentItem() && ListView1->topLevelItemCount() > 0)
            ListView1->setCurrentItem(ListView1->topLevelItem(0));
        else if (QTreeWidgetItem* current = ListView1->currentItem())
            current->setSelected(true);
    } else if (watched == ListView1 && event->type() == QEvent::FocusOut) {
        showContactButtons();
    } else if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::LeftButton)
            showContactButtons();
        // After the view has finished with the click: the edit window runs its own event loop.
        else if (button == Qt::RightButton && ListView1->topLevelItemCount() > 0)
            QTimer::singleShot(0, this, &ContactListPanel::cmdEdit_Click);
    }
    return false;
}

void ContactListPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    sizeContactColumns();
}

void ContactListPanel::sizeContactColumns()
{
    const int windowWidth = window()->width();
    for (int column = 0; column < int(std::size(kColumnWidths)); ++column)
        ListView1->setColumnWidth(column, kColumnWidths[column] * windowWidth / kDesignWindowWidth);
}

void ContactListPanel::RefreshContactList()
{
    const LogStore& log = m_session.store();
    ListView1->clear();
    QList<QTreeWidgetItem*> rows;
    const int first = firstListedRecord(log.QsoCount(), m_listAll);
    rows.reserve(log.QsoCount() - first + 1);
    for (int number = log.QsoCount(); number >= first; --number)
        rows.append(new QTreeWidgetItem(contactRow(log, number).columns));
    ListView1->addTopLevelItems(rows);
}

void ContactListPanel::cmdList_Click()
{
    m_listAll = !m_listAll;
    cmdList->setText(m_listAll ? QStringLiteral("All") : QStringLiteral("Last 20"));
    RefreshContactList();
    Q_EMIT callFieldWanted();
}

void ContactListPanel::contactListOnCallFocus(bool callEmpty)
{
    hideContactButtons();
    const int rows = ListView1->topLevelItemCount();
    if (callEmpty && rows < m_session.store().QsoCount() && rows < 18)
        RefreshContactList();
}

void ContactListPanel::showPreviousContacts(const DupCheckResult& result)
{
    if (result.listCleared)
        ListView1->clear();
    for (const ContactRow& row : result.previousRows)
        ListView1->addTopLevelItem(new QTreeWidgetItem(row.columns));
}

int ContactListPanel::selectedContactRecord() const
{
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    return selected.isEmpty() ? 0
                              : listedRecordNumber(selected.first()->text(0), m_session.store().QsoCount());
}

void ContactListPanel::showContactButtons()
{
    if (ListView1->topLevelItemCount() == 0)
        return;
    cmdEdit->show();
    cmdDelete->show();
}

void ContactListPanel::hideContactButtons()
{
    cmdEdit->hide();
    cmdDelete->hide();
}

void ContactListPanel::cmdEdit_Click()
{
    const int number = selectedContactRecord();
    if (number == 0) {
        m_prompts.beep();
        Q_EMIT refused(QStringLiteral("Select a contact in the list first!"));
        return;
    }
    frmEditCon edit(m_prompts, m_session.store(), number, &m_session.prefixTable(), this);
    m_runModal(edit);
    if (edit.deleteDupeChosen()) {
        cmdDelete_Click(); // the record being edited is still the selected row
        return;
    }
    LogStore edited = m_session.store();
    if (edit.editedRecord())
        edited.replace(number, *edit.editedRecord()); // Done has checked that the store takes it
    hideContactButtons();
    storeEdited(edited);
}

void ContactListPanel::cmdDelete_Click()
{
    const int number = selectedContactRecord();
    if (number == 0) {
        m_prompts.beep();
        Q_EMIT refused(QStringLiteral("Select a contact in the list first!"));
        return;
    }
    const bool sure = m_prompts.askYesNo(QStringLiteral("Are you sure?"), QStringLiteral("Are you sure?"));
    hideContactButtons();
    if (!sure)
        return;
    LogStore edited = m_session.store();
    if (!edited.remove(number))
        return;
    storeEdited(edited);
}

void ContactListPanel::storeEdited(const LogStore& edited)
{
    // The file was not replaced: the store stays as the file still has it, and the program goes on.
    const FileResult rewritten = m_session.replaceStore(edited);
    if (!rewritten.ok) {
        m_prompts.message(QStringLiteral("The log could not be rewritten; log.txt is unchanged.\n\n%1")
                              .arg(rewritten.error),
                          QStringLiteral("Log Write Error"), MessageIcon::Critical);
    }
}

QStringList ContactListPanel::headings() const
{
    QStringList texts;
    const QTreeWidgetItem* header = ListView1->headerItem();
    for (int column = 0; column < ListView1->columnCount(); ++column)
        texts << (header ? header->text(column) : QString());
    return texts;
}

QList<QStringList> ContactListPanel::shownRows() const
{
    QList<QStringList> rows;
    for (int index = 0; index < ListView1->topLevelItemCount(); ++index) {
        const QTreeWidgetItem* item = ListView1->topLevelItem(index);
        if (item->isHidden())
            continue;
        QStringList cells;
        for (int column = 0; column < ListView1->columnCount(); ++column)
            cells << item->text(column);
        rows << cells;
    }
    return rows;
}

} // namespace velm
