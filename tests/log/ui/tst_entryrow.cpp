// The entry row typed into as an operator does: automatic advance between the fields, the checks on Enter,
// the commit to log.txt, Clear and Esc, post-contest entry, and the refusals that keep the typed contact.

#include "log/SpcTable.h"
#include "log/ui/Form1Harness.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace velm;
using test::Running;

namespace {

// Each character goes to whichever field has the focus at that moment, as from a keyboard.
void type(const QString& keys)
{
    for (const QChar key : keys)
        QTest::keyClicks(QApplication::focusWidget(), QString(key));
}

void press(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}

QWidget* focused()
{
    return QApplication::focusWidget();
}

void fill(Form1& form, const QString& call, const QString& rstr, const QString& spc, const QString& sec,
          const QString& rsts)
{
    form.txtCall->setText(call); // first: the country lookup writes the S/P/C field
    form.txtRSTR->setText(rstr);
    form.txtCntry->setText(spc);
    form.txtSec->setText(sec);
    form.txtRSTS->setText(rsts);
}

QStringList rowTexts(const Form1& form)
{
    return {form.txtCall->text(), form.txtRSTR->text(), form.txtCntry->text(), form.txtSec->text(),
            form.txtRSTS->text()};
}

} // namespace

class TestEntryRow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aWholeContactTypedWithoutTabIsLogged()
    {
        Running r{QByteArray()};
        Form1& form = *r.form;
        type(QStringLiteral("w1abc579"));
        QCOMPARE(form.txtCall->text(), QStringLiteral("W1ABC"));
        QCOMPARE(form.txtRSTR->text(), QStringLiteral("579"));
        QCOMPARE(form.txtRSTR->cursorPosition(), 3);
        type(QStringLiteral("n")); // a letter in the report starts the S/P/C
        QCOMPARE(focused(), form.txtCntry);
        QCOMPARE(form.txtCntry->text(), QStringLiteral("N"));
        type(QStringLiteral("y1234 579")); // a digit starts the member number; the default report is replaced
        QCOMPARE(rowTexts(form), QStringList({"W1ABC", "579", "NY", "1234", "579"}));
        press(Qt::Key_Return);

        QCOMPARE(r.read(QStringLiteral("log.txt")),
                 QByteArray("\"W1ABC\",\"579\",\"1234\",\"579\",\"NY\",\"2011/03/"
                            "05\",\"15:05:33\",\"CW\",\"20\",5,\"\"\r\n"));
        QCOMPARE(rowTexts(form), QStringList({"", "", "", "", ""}));
        QCOMPARE(focused(), form.txtCall);
        QVERIFY(form.multipliers().worked(QStringLiteral("20"), findGridSpc(QStringLiteral("NY"))));
        QCOMPARE(r.fakes.prompts.beeps, 0);
    }

    void aContactCarriesTheRigsLastFrequencyOnce()
    {
        Running r{QByteArray()};
        Form1& form = *r.form;
        form.session().BandFreqConversion(14.025f); // the rig's reading
        type(QStringLiteral("w1abc579ny1234"));
        press(Qt::Key_Return);
        QCOMPARE(form.logStore().record(1).Frequency, QStringLiteral("14.025"));
        type(QStringLiteral("w1abd579ny1234"));
        press(Qt::Key_Return);
        QCOMPARE(form.logStore().record(2).Frequency, QString());
    }

    void digitsStayInTheCallWhereTheCallMayGoOn()
    {
        Running r{QByteArray()};
        Form1& form = *r.form;
        type(QStringLiteral("k1abc/45"));
        QCOMPARE(form.txtCall->text(), QStringLiteral("K1ABC/45"));
        type(QStringLiteral(" "));
        QCOMPARE(focused(), form.txtRSTR);
        form.txtCall->clear();
        form.txtCall->setFocus();
        type(QStringLiteral("dl15"));
        QCOMPARE(form.txtCall->text(), QStringLiteral("DL15"));
        QCOMPARE(focused(), form.txtCall);
    }

    void aLetterInTheReportSentKeepsTheSpcAndTheDigits()
    {
        Running r{QByteArray()};
        Form1& form = *r.form;
        fill(form, "K1XYZ", "599", "CT", "5W", "5");
        form.txtCntry->setCursorPosition(0); // a carried letter would have replaced "CT"
        form.txtRSTS->setFocus();
        form.txtRSTS->end(false);
        type(QStringLiteral("x"));
        QCOMPARE(form.txtRSTS->text(), QStringLiteral("5"));
        QCOMPARE(form.txtCntry->text(), QStringLiteral("CT"));
        QCOMPARE(focused(), form.txtRSTS);
        QCOMPARE(r.fakes.prompts.beeps, 1);
    }

    void cutNumbersInTheReportSent()
    {
        Running r{QByteArray()};
        Form1& form = *r.form;
        type(QStringLiteral("k4abc579ga5w"));
        press(Qt::Key_Tab);
        QCOMPARE(focused(), form.txtRSTS);
        form.txtRSTS->selectAll();
        type(QStringLiteral("5nn"));
        QCOMPARE(form.txtRSTS->text(), QStringLiteral("599"));
        QCOMPARE(focused(), form.txtRSTS);
        press(Qt::Key_Return);
        QVERIFY(r.read(QStringLiteral("log.txt")).startsWith("\"K4ABC\",\"579\",\"5W\",\"599\",\"GA\""));

        type(QStringLiteral("k4abd579ga5w"));
        press(Qt::Key_Tab);
        form.txtRSTS->selectAll();
        type(QStringLiteral("5TT"));
        QCOMPARE(form.txtRSTS->text(), QStringLiteral("500"));
        QCOMPARE(r.fakes.prompts.beeps, 0);
    }

    void keysHeldAfterADuplicateLandWhereTypedKeysWould()
    {
        Running r{QByteArray("\"W4ABC\",\"599\",\"1234\",\"599\",\"NY\",\"2011/03/05\",\"14:00:00\",\"CW\","
                             "\"20\",5,\"\"\r\n")};
        Form1& form = *r.form;
        type(QStringLiteral("w4abc"));
        press(Qt::Key_Tab); // leaving the call field refuses the duplicate
        QCOMPARE(form.lblDialog->text(), QStringLiteral("Duplicate W4ABC 2011/03/05 14:00:00  Rec# 1"));
        form.mnuSSB->trigger();
        press(Qt::Key_Escape);
        type(QStringLiteral("N5XX59TX1234"));
        press(Qt::Key_Return);
        QCOMPARE(form.txtCall->text(), QString()); // held until 3 s after the refusal
        r.fakes.clock.advanceMs(3000);
        QTRY_COMPARE(form.logStore().QsoCount(), 2);
        const QsoRecord& logged = form.logStore().record(2);
        QCOMPARE(QStringList(
                     {logged.Call, logged.RstRcvd, logged.Spc, logged.VelmPwr, logged.RstSnt, logged.Mode}),
                 QStringList({"N5XX", "59", "TX", "1234", "55", "PH"}));
        QCOMPARE(rowTexts(form), QStringList({"", "", "", "", ""}));
        QCOMPARE(focused(), form.txtCall);
    }

    void pastedTextFollowsTheTypingRules()
    {
        Running r(QByteArray("\"K1ABC\",\"599\",\"1234\",\"599\",\"CT\",\"2011/03/05\",\"14:00:00\",\"CW\","
                             "\"20\",5,\"\"\r\n"));
        Form1& form = *r.form;
        QClipboard* clipboard = QGuiApplication::clipboard();

        // Upper-cased, the double quote refused with a beep, the scan for possible duplicates run.
        clipboard->setText(QStringLiteral("k1\"ab"));
        QTest::keyClick(form.txtCall, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(form.txtCall->text(), QStringLiteral("K1AB"));
        QCOMPARE(r.fakes.prompts.beeps, 1);
        QCOMPARE(form.lblDupe->text(), QStringLiteral("K1ABC "));
        QCOMPARE(form.lblDialog->text(), QStringLiteral("Possible Duplicate!"));
        QCOMPARE(focused(), form.txtCall); // a paste never moves on

        // Too long: cut to the field's room, and the operator is told.
        form.txtCall->clear();
        clipboard->setText(QString(1000, QLatin1Char('w')));
        QTest::keyClick(form.txtCall, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(form.txtCall->text(), QString(12, QLatin1Char('W')));
        QCOMPARE(r.fakes.prompts.beeps, 2);
        QCOMPARE(form.lblDialog->text(),
                 QStringLiteral("Only 12 characters fit in Call; the rest was not pasted."));

        // Dropped text goes the same way; reports keep digits (and the sent report its cut numbers).
        form.txtRSTS->clear();
        QMimeData mime;
        mime.setText(QStringLiteral("5nx"));
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.txtRSTS, &enter);
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.txtRSTS, &drop);
        QCOMPARE(form.txtRSTS->text(), QStringLiteral("59"));
        QCOMPARE(r.fakes.prompts.beeps, 3);

        // A country name takes the case typing gives it; a line break from the clipboard is dropped.
        form.txtCntry->clear();
        form.txtCntry->setFocus();
        clipboard->setText(QStringLiteral("GERMANY\r\n"));
        QTest::keyClick(form.txtCntry, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(form.txtCntry->text(), QStringLiteral("Germany"));

        // The context menu's Paste takes the same path.
        form.txtSec->clear();
        form.txtSec->setFocus();
        clipboard->setText(QStringLiteral("5w\""));
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith(QLatin1String("&Paste")))
                    action->trigger();
            }
            menu->close();
        });
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                    form.txtSec->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(form.txtSec, &menuEvent);
        QCOMPARE(form.txtSec->text(), QStringLiteral("5W"));
        QCOMPARE(r.fakes.prompts.beeps, 4);
    }

    void canadianCallAreasWithoutTheirOwnEntryGetTheirProvince()
    {
        Running r{QByteArray()};
        Form1& form = *r.form;
        r.write(QStringLiteral("arrlpre2.txt"), "\"VE\",\"Canada\",\"NA\",80,44.35,5,9,1\r\n"
                                                "\"VO1\",\"Canada\",\"NA\",80,44.35,5,9,1\r\n");
        QVERIFY(form.LoadPrefixTable());
        type(QStringLiteral("vo1aa579 5w"));
        QCOMPARE(form.txtCntry->text(), QStringLiteral("NF"));
        QCOMPARE(form.Label19->text(), QStringLiteral("NA"));
        press(Qt::Key_Return);
        QCOMPARE(form.logStore().QsoCount(), 1);
        QCOMPARE(form.logStore().record(1).Spc, QStringLiteral("NF"));
        QCOMPARE(form.logStore().record(1).Points, 2.0); // same continent as the own station
    }

    void sectionsAreCheckedOnlyForTwoCharacters()
    {
        Running r{QByteArray()};
        Form1& form = *r.form;
        fill(form, "K1XYZ", "599", "XX", "5", "599");
        form.txtSec->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(form.lblDialog->text(), QStringLiteral("Invald Section!"));
        QCOMPARE(focused(), form.txtCntry);
        QCOMPARE(form.logStore().QsoCount(), 0);
        QCOMPARE(rowTexts(form), QStringList({"K1XYZ", "599", "XX", "5", "599"}));

        form.txtCntry->setText(QStringLiteral("Germany")); // never a section, even right after a refusal
        press(Qt::Key_Return);
        QCOMPARE(form.logStore().QsoCount(), 1);
        QCOMPARE(form.logStore().record(1).Points, 2.0); // "5": one digit is no member; K is in NA

        fill(form, "K1XYA", "599", "ny", "5W", "599");
        press(Qt::Key_Return);
        QCOMPARE(form.logStore().record(2).Spc, QStringLiteral("NY"));
        fill(form, "DL1ABC", "599", "Germany", "5W", "599");
        press(Qt::Key_Return);
        QCOMPARE(form.logStore().record(3).Points, 4.0);
        QCOMPARE(form.List1->count(), 1); // Germany was "New" on 20 m the first time only
        fill(form, "ZZ9ZZ", "599", "Atlantis", "5W", "599");
        press(Qt::Key_Return);
        QCOMPARE(form.logStore().record(4).Points, 0.0); // no continent known
    }

    void emptyEnterNamesEveryMissingFieldAndEndsOnTheLast()
    {
        Running r{QByteArray()};
        Form1& form = *r.form;
        press(Qt::Key_Return);
        QCOMPARE(r.fakes.prompts.beeps, 5);
        QCOMPARE(form.lblDialog->text(), QStringLiteral("Need Report Sent!"));
        QCOMPARE(focused(), form.txtRSTS);

        fill(form, "K1", "599", "CT", "5W", "599");
        press(Qt::Key_Return);
        QCOMPARE(QAccessible::queryAccessibleInterface(form.lblDialog)->text(QAccessible::Name),
                 QStringLiteral("Message: Need Call Sign!"));
        QCOMPARE(focused(), form.txtCall);
        QCOMPARE(form.logStore().QsoCount(), 0);
        press(Qt::Key_Escape);
        QCOMPARE(rowTexts(form), QStringList({"", "", "", "", ""}));
    }

    void loggedOffTheCallKeysBeepAndTheFirstCommitStartsTheClock()
    {
        Running r(QByteArray(), false);
        Form1& form = *r.form;
        type(QStringLiteral("k"));
        QCOMPARE(form.lblDialog->text(), QStringLiteral("Click Log \"Time On\"!"));
        QCOMPARE(r.fakes.prompts.beeps, 1);
        fill(form, "K1XYZ", "599", "CT", "5W", "599");
        press(Qt::Key_Return);
        QVERIFY(form.operatingClock().LoggedOn());
        QCOMPARE(form.logStore().QsoCount(), 1);
    }

    void postContestContactsCarryTheirOwnDateAndTime()
    {
        Running r{QByteArray()};
        Form1& form = *r.form;
        QVERIFY(form.txtPostConTime->isHidden());
        form.mnuPostContest->trigger();
        QVERIFY(form.mnuPostContest->isChecked() && form.txtPostConTime->isVisible());
        form.txtPostConDate->setFocus();
        QCOMPARE(form.txtPostConDate->text(), QStringLiteral("2011/03/05")); // today, local
        fill(form, "K1XYZ", "599", "CT", "5W", "599");
        form.txtPostConTime->setFocus();
        type(QStringLiteral("2500"));
        press(Qt::Key_Return);
        QCOMPARE(form.lblDialog->text(), QStringLiteral("Invalid time format!"));
        QCOMPARE(form.logStore().QsoCount(), 0);

        form.txtPostConDate->setText(QStringLiteral("2011/3/5"));
        form.txtPostConTime->setText(QStringLiteral("930"));
        press(Qt::Key_Return);
        QCOMPARE(form.logStore().QsoCount(), 1);
        QCOMPARE(form.logStore().record(1).QsoDate, QStringLiteral("2011/03/05"));
        QCOMPARE(form.logStore().record(1).QsoTime, QStringLiteral("09:30"));
        QCOMPARE(form.txtPostConTime->text(), QStringLiteral("09:30")); // kept for the next contact
    }

    void aContactThatCannotBeLoggedStaysInTheRow()
    {
        QByteArray full;
        for (int n = 0; n < LogStore::Capacity; ++n)
            full +=
                "\"W1AW\",\"599\",\"5W\",\"599\",\"CT\",\"2011/03/05\",\"14:05:33\",\"CW\",\"40\",2,\"\"\r\n";
        {
            Running r(full);
            fill(*r.form, "K1XYZ", "599", "CT", "5W", "599");
            press(Qt::Key_Return);
            QCOMPARE(r.fakes.prompts.messages.size(), 1);
            QCOMPARE(r.fakes.prompts.messages.first().title, QStringLiteral("Log Full"));
            QCOMPARE(r.form->logStore().QsoCount(), LogStore::Capacity);
            QCOMPARE(r.read(QStringLiteral("log.txt")).size(), full.size());
            QCOMPARE(r.form->txtCall->text(), QStringLiteral("K1XYZ"));
        }
        // A failed write: the record is taken back and the row kept as typed.
        Running w{QByteArray()};
        QVERIFY(QFile::remove(w.path(QStringLiteral("log.txt"))));
        QVERIFY(QDir(w.dir.path()).mkdir(QStringLiteral("log.txt")));
        fill(*w.form, "K1XYZ", "599", "CT", "5W", "599");
        press(Qt::Key_Return);
        QCOMPARE(w.fakes.prompts.messages.size(), 1);
        QCOMPARE(w.form->logStore().QsoCount(), 0);
        QCOMPARE(rowTexts(*w.form), QStringList({"K1XYZ", "599", "CT", "5W", "599"}));
    }
};

QTEST_MAIN(TestEntryRow)
#include "tst_entryrow.moc"
