// The main window's contact list: rows, last 20 or all, sorting, and the edit and delete buttons.

#include "log/ui/Form1.h"

#include "log/ContactEdit.h"
#include "log/ContactRow.h"
#include "log/ui/frmEditCon.h"
#include "platform/Prompts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace velm {

namespace {

// Column widths for a window 9600 units wide; they scale with the window.
constexpr int kColumnWidths[] = {550, 900, 430, 920, 650, 420, 900, 430, 430, 370};
constexpr int kDesignWindowWidth = 9600;

// Hands the events of the objects it is installed on to a member of the window.
class EventHook final : public QObject {
public:
    explicit EventHook(std::function<bool(QObject*, QEvent*)> handler) : m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return m_handler(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> m_handler;
};

} // namespace

QWidget* Form1::buildContactListButtons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto addButton = [&](QPushButton*& button, const char* name, const QString& caption) {
        button = new QPushButton(caption, row);
        button->setObjectName(QString::fromLatin1(name));
        // Clicking a button leaves the focus where the operator types.
        button->setFocusPolicy(Qt::TabFocus);
        button->setAutoDefault(false);
        layout->addWidget(button);
    };
    addButton(cmdList, "cmdList", QStringLiteral("Last 20"));
    cmdList->setToolTip(QStringLiteral("List all or last 20 contacts (Listing all will slow the program)"));
    addButton(cmdEdit, "cmdEdit", QStringLiteral("Edit Contact"));
    addButton(cmdDelete, "cmdDelete", QStringLiteral("Delete Contact"));
    layout->addStretch(1);
    hideContactButtons();
    return row;
}

void Form1::connectContactList()
{
    connect(cmdList, &QPushButton::clicked, this, &Form1::cmdList_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &Form1::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &Form1::cmdDelete_Click);
    // A heading click sorts once; the list is not kept sorted.
    ListView1->setSortingEnabled(false);
    ListView1->header()->setSectionsClickable(true);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { ListView1->sortItems(column, Qt::AscendingOrder); });
    m_contactListEvents.reset(
        new EventHook([this](QObject* watched, QEvent* event) { return contactList_Event(watched, event); }));
    installEventFilter(m_contactListEvents.get());
    ListView1->installEventFilter(m_contactListEvents.get());
    ListView1->viewport()->installEventFilter(m_contactListEvents.get());
    sizeContactColumns();
}

bool Form1::contactList_Event(QObject* watched, QEvent* event)
{
    if (watched == this && event->type() == QEvent::Resize) {
        sizeContactColumns();
    } else if (watched == ListView1 && event->type() == QEvent::FocusIn) {
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
            QTimer::singleShot(0, this, &Form1::cmdEdit_Click);
    }
    return false;
}

void Form1::sizeContactColumns()
{
    for (int column = 0; column < int(std::size(kColumnWidths)); ++column)
        ListView1->setColumnWidth(column, kColumnWidths[column] * width() / kDesignWindowWidth);
}

void Form1::RefreshContactList()
{
    ListView1->clear();
    QList<QTreeWidgetItem*> rows;
    const int first = firstListedRecord(m_store.QsoCount(), m_listAll);
    rows.reserve(m_store.QsoCount() - first + 1);
    for (int number = m_store.QsoCount(); number >= first; --number)
        rows.append(new QTreeWidgetItem(contactRow(m_store, number).columns));
    ListView1->addTopLevelItems(rows);
}

void Form1::cmdList_Click()
{
    m_listAll = !m_listAll;
    cmdList->setText(m_listAll ? QStringLiteral("All") : QStringLiteral("Last 20"));
    RefreshContactList();
    txtCall->setFocus();
}

void Form1::contactListOnCallFocus()
{
    hideContactButtons();
    const int rows = ListView1->topLevelItemCount();
    if (txtCall->text().isEmpty() && rows < m_store.QsoCount() && rows < 18)
        RefreshContactList();
}

int Form1::selectedContactRecord() const
{
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    return selected.isEmpty() ? 0 : listedRecordNumber(selected.first()->text(0), m_store.QsoCount());
}

void Form1::showContactButtons()
{
    if (ListView1->topLevelItemCount() == 0)
        return;
    cmdEdit->show();
    cmdDelete->show();
}

void Form1::hideContactButtons()
{
    cmdEdit->hide();
    cmdDelete->hide();
}

void Form1::noContactSelected()
{
    m_services.prompts.beep();
    showMessage(QStringLiteral("Select a contact in the list first!"));
}

void Form1::cmdEdit_Click()
{
    const int number = selectedContactRecord();
    if (number == 0)
        return noContactSelected();
    const LogStore before = m_store;
    frmEditCon edit(m_services.prompts, m_store, number, &m_prefixTable, this);
    m_runModal(edit);
    if (edit.deleteDupeChosen()) {
        cmdDelete_Click(); // the record being edited is still the selected row
        return;
    }
    if (edit.editedRecord())
        m_store.replace(number, *edit.editedRecord()); // Done has checked that the store takes it
    RefreshContactList();
    hideContactButtons();
    rewriteAndReload(before);
}

void Form1::cmdDelete_Click()
{
    const int number = selectedContactRecord();
    if (number == 0)
        return noContactSelected();
    const bool sure =
        m_services.prompts.askYesNo(QStringLiteral("Are you sure?"), QStringLiteral("Are you sure?"));
    hideContactButtons();
    if (!sure)
        return;
    const LogStore before = m_store;
    if (!m_store.remove(number))
        return;
    rewriteAndReload(before);
}

void Form1::rewriteAndReload(const LogStore& before)
{
    // The file was not replaced: keep the store as the file still has it, so that the operator's next
    // reload shows what was shown before, and the program goes on.
    if (!RewriteLog()) {
        m_store = before;
        RefreshContactList();
        return;
    }
    mnuOpen2();
}

} // namespace velm
