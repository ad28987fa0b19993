// The contact list of the main window: last 20 or all, sorting, and editing or deleting a contact, each
// ending in a rewritten log.txt and a reload.

#include "log/SpcTable.h"
#include "log/ui/Form1Harness.h"
#include "log/ui/frmEditCon.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

using namespace velm;

namespace {

QByteArray logLine(const QByteArray& call, const char* band = "20", const char* spc = "CT")
{
    return "\"" + call + "\",\"559\",\"1234\",\"559\",\"" + spc + "\",\"2011/03/05\",\"14:05:33\",\"CW\",\"" +
           band + "\",5,\"\"\r\n";
}

QList<QByteArray> numberedLines(int count)
{
    QList<QByteArray> lines;
    for (int n = 1; n <= count; ++n)
        lines << logLine("W1A" + QByteArray::number(n));
    return lines;
}

struct Running : test::Form1Harness {
    explicit Running(const QByteArray& log)
    {
        write(QStringLiteral("qrppref.txt"), test::kPreferences);
        write(QStringLiteral("log.txt"), log);
        Form1& main = window();
        QVERIFY(main.ReadPreferences());
        QVERIFY(main.mnuOpen2());
        main.RefreshContactList();
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
    }

    // Clicks the row of a record, which selects it and shows the edit and delete buttons.
    void clickRecord(int number)
    {
        QTreeWidget* list = form->ListView1;
        const QList<QTreeWidgetItem*> rows = list->findItems(QString::number(number), Qt::MatchExactly, 0);
        QCOMPARE(rows.size(), 1);
        list->scrollToItem(rows.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(rows.first()).center());
    }
};

QStringList column(const QTreeWidget* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

} // namespace

class TestContactList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lastTwentyOrAll()
    {
        Running r(numberedLines(25).join());
        Form1& form = *r.form;
        QTreeWidget* list = form.ListView1;
        QCOMPARE(list->topLevelItemCount(), 20);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("25"));
        QCOMPARE(list->topLevelItem(19)->text(0), QStringLiteral("6"));
        QVERIFY(form.cmdEdit->isHidden());

        // A heading click sorts once, by the column's text.
        Q_EMIT list->header()->sectionClicked(0);
        QCOMPARE(column(list, 0).first(), QStringLiteral("10"));
        QCOMPARE(column(list, 0).last(), QStringLiteral("9"));

        QTest::mouseClick(form.cmdList, Qt::LeftButton);
        QCOMPARE(list->topLevelItemCount(), 25);
        QCOMPARE(form.cmdList->text(), QStringLiteral("All"));

        form.resize(960, form.height());
        QTRY_COMPARE(list->columnWidth(3), 92);
    }

    void deleteRenumbersRewritesAndReloads()
    {
        const QList<QByteArray> lines = numberedLines(10);
        Running r(lines.join());
        Form1& form = *r.form;
        // Nothing selected: no question, no window.
        form.cmdDelete_Click();
        form.cmdEdit_Click();
        QVERIFY(r.fakes.prompts.questions.isEmpty());
        QCOMPARE(r.modalsRun, 0);

        r.clickRecord(3);
        QTest::mouseClick(form.cmdDelete, Qt::LeftButton); // answered No
        QCOMPARE(r.fakes.prompts.questions.first().title, QStringLiteral("Are you sure?"));
        QVERIFY(form.cmdDelete->isHidden());
        QCOMPARE(form.logStore().QsoCount(), 10);

        r.clickRecord(3);
        r.fakes.prompts.yesNoAnswers = {true};
        QTest::mouseClick(form.cmdDelete, Qt::LeftButton);
        QList<QByteArray> kept = lines;
        kept.removeAt(2);
        QCOMPARE(r.read(QStringLiteral("log.txt")), kept.join());
        QCOMPARE(form.logStore().QsoCount(), 9);
        QCOMPARE(form.logStore().PointsTotal(), 45);
        QCOMPARE(form.logStore().record(3).Call, QStringLiteral("W1A4"));
        QCOMPARE(form.ListView1->findItems(QStringLiteral("3"), Qt::MatchExactly, 0).first()->text(1),
                 QStringLiteral("W1A4"));

        // A short duplicate listing is replaced when the call field is entered empty.
        form.ListView1->clear();
        form.contactListOnCallFocus();
        QCOMPARE(form.ListView1->topLevelItemCount(), 9);
    }

    void theKeyboardMovesTheRowEditAndDeleteActOn()
    {
        Running r(numberedLines(5).join());
        Form1& form = *r.form;
        QTreeWidget* list = form.ListView1;
        form.cmdDelete_Click(); // nothing selected yet: the operator is told, nothing else happens
        QCOMPARE(form.lblDialog->text(), QStringLiteral("Select a contact in the list first!"));
        QCOMPARE(r.fakes.prompts.beeps, 1);
        QVERIFY(r.fakes.prompts.questions.isEmpty());

        list->setFocus(Qt::TabFocusReason);
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(list->selectedItems().first()->text(0), QStringLiteral("5")); // newest first
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->selectedItems().first()->text(0), QStringLiteral("1"));
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(list->selectedItems().first()->text(0), QStringLiteral("2"));
        QTest::keyClick(list, Qt::Key_PageUp);
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(list->selectedItems().first()->text(0), QStringLiteral("5"));
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Tab); // leaving the list shows the buttons
        QVERIFY(form.cmdDelete->isVisible());
        r.fakes.prompts.yesNoAnswers = {true};
        form.cmdDelete->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form.cmdDelete, Qt::Key_Space);
        QCOMPARE(form.logStore().QsoCount(), 4);
        QCOMPARE(form.logStore().record(4).Call, QStringLiteral("W1A5")); // record 4 went

        // Coming back to a list whose row was chosen before keeps that row selected.
        list->setCurrentItem(list->topLevelItem(2));
        list->clearSelection();
        list->setFocus(Qt::TabFocusReason);
        QCOMPARE(list->selectedItems().value(0), list->topLevelItem(2));
    }

    void pastedTextInTheEditWindowFollowsItsKeyRules()
    {
        Running r(logLine("K1ABC"));
        Form1& form = *r.form;
        QString call, points;
        r.onModal = [&](QDialog& dialog) {
            auto& edit = static_cast<frmEditCon&>(dialog);
            QGuiApplication::clipboard()->setText(QStringLiteral("w\"1aw"));
            edit.txtEditCall->clear();
            QTest::keyClick(edit.txtEditCall, Qt::Key_Insert, Qt::ShiftModifier);
            QGuiApplication::clipboard()->setText(QStringLiteral("32.5"));
            edit.Text2->clear();
            QTest::keyClick(edit.Text2, Qt::Key_Insert, Qt::ShiftModifier);
            call = edit.txtEditCall->text();
            points = edit.Text2->text();
            return int(QDialog::Rejected);
        };
        r.clickRecord(1);
        form.cmdEdit_Click();
        QCOMPARE(call, QStringLiteral("W1AW"));
        QCOMPARE(points, QStringLiteral("2.5")); // no 3 in points
        QCOMPARE(r.fakes.prompts.beeps, 2);
    }

    void editTypedFieldsAreCheckedAndStored()
    {
        Running r(logLine("K1ABC") + logLine("W1AW"));
        Form1& form = *r.form;
        r.onModal = [&r](QDialog& dialog) {
            auto& edit = static_cast<frmEditCon&>(dialog);
            edit.show();
            edit.activateWindow();
            if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == &edit; }))
                return -1;
            edit.Text2->selectAll();
            QTest::keyClicks(edit.Text2, QStringLiteral("32.5")); // no 3 in points
            edit.Text1->setFocus();
            edit.Text1->selectAll();
            QTest::keyClicks(edit.Text1, QStringLiteral("40m"));
            QTest::keyClick(edit.Text1, Qt::Key_Tab);
            if (edit.Label6->isHidden() || r.fakes.prompts.beeps != 1)
                return -2;
            if (!QTest::qWaitFor([&] { return QApplication::focusWidget() == edit.Text1; }))
                return -3;
            QTest::keyClick(edit.Text1, Qt::Key_Backspace);
            edit.txtEditPre->setText(QStringLiteral("ny"));
            edit.txtEditPre->setFocus();
            edit.txtEditDate->setFocus(); // leaving the S/P/C upper-cases it
            edit.txtEditDate->setText(QStringLiteral("3/5/2011"));
            QTest::keyClick(edit.txtEditDate, Qt::Key_Return);
            return edit.result();
        };
        r.clickRecord(2);
        QTRY_VERIFY(form.cmdEdit->isVisible());
        QTest::mouseClick(form.cmdEdit, Qt::LeftButton);
        QCOMPARE(r.modalsRun, 1);
        QVERIFY(r.read(QStringLiteral("log.txt"))
                    .endsWith("\"NY\",\"3/5/2011\",\"14:05:33\",\"CW\",\"40\",2.5,\"\"\r\n"));
        QVERIFY(form.multipliers().worked(QStringLiteral("40"), findGridSpc(QStringLiteral("NY"))));
        QCOMPARE(form.logStore().PointsTotal(), 8); // 5 + 2.5, ties to even
        QVERIFY(form.cmdEdit->isHidden());
    }

    void editIntoDuplicateBandOffersDeleteDupe()
    {
        Running r(logLine("K1ABC", "40") + logLine("K1ABC", "20"));
        Form1& form = *r.form;
        bool stayedOpen = false;
        r.onModal = [&](QDialog& dialog) {
            auto& edit = static_cast<frmEditCon&>(dialog);
            edit.Text1->setText(QStringLiteral("40"));
            edit.cmdDone->click();
            stayedOpen = edit.result() != QDialog::Accepted && !edit.Label1->isHidden() &&
                         edit.Label1->text() == QLatin1String("  Dupe!") && !edit.cmdDeleteDupe->isHidden();
            edit.cmdDeleteDupe->click();
            return edit.result();
        };
        r.fakes.prompts.yesNoAnswers = {true};
        r.clickRecord(2);
        QTest::mouseClick(form.ListView1->viewport(), Qt::RightButton, {},
                          form.ListView1->visualItemRect(form.ListView1->topLevelItem(0)).center());
        QTRY_COMPARE(r.modalsRun, 1);
        QVERIFY(stayedOpen);
        QCOMPARE(r.fakes.prompts.beeps, 1);
        QCOMPARE(form.logStore().QsoCount(), 1);
        QCOMPARE(r.read(QStringLiteral("log.txt")), logLine("K1ABC", "40"));
    }

    void failedRewriteKeepsStoreAndFileAgreeing()
    {
        const QByteArray log = numberedLines(3).join();
        Running r(log);
        Form1& form = *r.form;
        QSignalSpy ended(&form, &Form1::programMustEnd);
        QVERIFY(QFile::remove(r.path(QStringLiteral("log.txt"))));
        QVERIFY(QDir(r.dir.path()).mkdir(QStringLiteral("log.txt")));
        r.clickRecord(1);
        r.fakes.prompts.yesNoAnswers = {true};
        QTest::mouseClick(form.cmdDelete, Qt::LeftButton);
        QCOMPARE(r.fakes.prompts.messages.size(), 1);
        QCOMPARE(r.fakes.prompts.messages.first().title, QStringLiteral("Log Write Error"));
        QCOMPARE(form.ListView1->topLevelItemCount(), 3);
        QCOMPARE(ended.count(), 0);

        QVERIFY(QDir(r.dir.path()).rmdir(QStringLiteral("log.txt")));
        r.write(QStringLiteral("log.txt"), log);
        QVERIFY(form.mnuOpen2());
    }
};

QTEST_MAIN(TestContactList)
#include "tst_contactlist.moc"
