// The main window while a call is typed: country lookup, possible duplicates, the duplicate refusal and its
// hold, the multiplier grid, the DX list, the colours window and "List Previous Contacts".

#include "log/ui/Form1Harness.h"
#include "log/ui/Form6.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace velm;

namespace {

QByteArray logLine(const char* call, const char* spc, const char* band, const char* time = "14:05:33")
{
    return QByteArray("\"") + call + "\",\"559\",\"1234\",\"559\",\"" + spc + "\",\"2011/03/05\",\"" + time +
           "\",\"CW\",\"" + band + "\",5,\"\"\r\n";
}

QString spoken(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

using test::Running;

} // namespace

class TestForm1Checks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typingACallShowsItsCountry()
    {
        Running r{QByteArray()};
        Form1& form = *r.form;
        QTest::keyClicks(form.txtCall, QStringLiteral("dl1abc"));
        QCOMPARE(form.txtCall->text(), QStringLiteral("DL1ABC"));
        QCOMPARE(form.txtCntry->text(), QStringLiteral("Germany"));
        QCOMPARE(form.Label19->text(), QStringLiteral("EU"));
        QVERIFY(form.Label22->text().endsWith(QLatin1Char(' ')));
        QVERIFY(!form.Label23->text().trimmed().isEmpty());
        QCOMPARE(spoken(form.Label19), QStringLiteral("Continent: EU"));
        QVERIFY(form.Label3->isVisible()); // Germany not yet worked on 20 m

        form.txtCall->clear();
        QTest::keyClicks(form.txtCall, QStringLiteral("kh6xx"));
        QCOMPARE(form.txtCntry->text(), QStringLiteral("HI"));
        form.txtCall->clear();
        form.txtCntry->clear();
        QTest::keyClicks(form.txtCall, QStringLiteral("ve3abc"));
        QCOMPARE(form.txtCntry->text(), QString()); // the operator types the province
        QCOMPARE(form.Label19->text(), QStringLiteral("NA"));
        QCOMPARE(form.Label22->text(), QString());
        form.txtRSTR->setFocus(); // leaving the call fills the province
        QCOMPARE(form.txtCntry->text(), QStringLiteral("ON"));
        form.txtCall->clear();
        QTest::keyClicks(form.txtCall, QStringLiteral("zz9"));
        QCOMPARE(form.txtCntry->text(), QStringLiteral("Not Found"));
        QCOMPARE(form.Label19->text(), QString());
    }

    void possibleDuplicatesListNewestFirst()
    {
        Running r(logLine("K1ABC", "CT", "20") + logLine("K1ABD", "MA", "20") + logLine("K1ABE", "ME", "40"));
        Form1& form = *r.form;
        QTest::keyClicks(form.txtCall, QStringLiteral("k1ab"));
        QCOMPARE(form.lblDupe->text(), QStringLiteral("K1ABD K1ABC "));
        QCOMPARE(form.lblDialog->text(), QStringLiteral("Possible Duplicate!"));
        QCOMPARE(spoken(form.lblDupe), QStringLiteral("Possible duplicates: K1ABD K1ABC"));
        // The heading's leading blanks place it on screen; a screen reader hears just the words.
        QCOMPARE(form.lblPossDup->text(), QStringLiteral("               Possible Duplicates"));
        QCOMPARE(spoken(form.lblPossDup), QStringLiteral("Possible Duplicates"));
        QTest::mouseClick(form.cmdDup, Qt::LeftButton);
        QCOMPARE(form.cmdDup->text(), QStringLiteral("Off"));
        form.txtCall->clear();
        QTest::keyClicks(form.txtCall, QStringLiteral("k1ab"));
        QCOMPARE(form.lblDupe->text(), QString());
    }

    void duplicateIsRefusedAndTheNextKeyHeld()
    {
        Running r(logLine("K1ABC", "CT", "40") + logLine("K1ABC", "CT", "20", "15:00:00"));
        Form1& form = *r.form;
        QTest::keyClicks(form.txtCall, QStringLiteral("k1abc"));
        form.txtRSTR->setFocus();
        QCOMPARE(form.lblDialog->text(), QStringLiteral("Duplicate K1ABC 2011/03/05 15:00:00  Rec# 2"));
        QCOMPARE(form.lblDialog->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(form.txtCall->text(), QString());
        QCOMPARE(form.txtCntry->text(), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.txtCall));
        QCOMPARE(r.fakes.prompts.beeps, 1);
        QCOMPARE(r.voice.prompts, QStringList({QStringLiteral("Dupe")}));
        QCOMPARE(r.voice.promptWaits, 0); // voice navigation off: the warning plays, nothing waits for it

        // Typed within 3 seconds of the refusal: held, not lost, shown once the 3 seconds are over.
        r.fakes.clock.advanceMs(2000);
        QTest::keyClicks(form.txtCall, QStringLiteral("w1"));
        QTest::qWait(120);
        QCOMPARE(form.txtCall->text(), QString());
        r.fakes.clock.advanceMs(1000);
        QTRY_COMPARE(form.txtCall->text(), QStringLiteral("W1"));
    }

    void nothingOfABandShowsBeforeThePreferencesAreRead()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("qrppref.txt"), QByteArray(test::kPreferences).replace("\"20\"", "\"80\""));
        Form1& form = h.window();
        form.show();
        QCOMPARE(form.Label24->text(), QString());
        QCOMPARE(form.lblStation.at(5)->text(), QString());
        QVERIFY(!form.Label10.at(1)->isVisible());
        QVERIFY(form.ReadPreferences());
        QCOMPARE(form.Label24->text(), QStringLiteral("80"));
        QCOMPARE(form.lblStation.at(5)->text(), QStringLiteral("DX 80 -0"));
        QVERIFY(form.Label10.at(1)->isVisible());
        QCOMPARE(form.Label10.at(1)->palette().color(QPalette::WindowText), QColor(255, 0, 0)); // remaining
    }

    void aWideScoreLeavesTheGridItsColumns()
    {
        Running r(QByteArray("\"K1ABC\",\"559\",\"1234\",\"559\",\"NY\",\"2011/03/05\",\"14:05:33\",\"CW\","
                             "\"20\",2000000000,\"\"\r\n"));
        Form1& form = *r.form;
        QCOMPARE(form.lblTotScore->text(), QStringLiteral("2,000,000,000"));
        form.resize(1, form.height()); // as narrow as the window lets itself be
        QTest::qWait(20);
        QList<QRect> cells;
        for (int number = 1; number < form.Label10.size(); ++number) {
            const QLabel* label = form.Label10.at(number);
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
            cells << QRect(label->mapTo(&form, QPoint(0, 0)), label->size());
        }
        const int blank = QFontMetrics(form.Label10.at(1)->font()).horizontalAdvance(QLatin1Char(' '));
        for (const QRect& left : cells) {
            for (const QRect& right : cells) {
                if (right.left() > left.left() && right.top() == left.top())
                    QVERIFY(right.left() - left.right() > blank);
            }
        }
    }

    void gridAndDxListFollowTheBand()
    {
        Running r(logLine("K1ABC", "CT", "20") + logLine("DL1ABC", "Germany", "20") +
                  logLine("W1AW", "ct", "40"));
        Form1& form = *r.form;
        QCOMPARE(spoken(form.Label10.at(1)), QStringLiteral("CT Connecticut worked"));
        QCOMPARE(spoken(form.Label10.at(2)), QStringLiteral("MA Massachusetts not worked"));
        QCOMPARE(form.List1->count(), 1);
        QCOMPARE(form.lblStation.at(5)->text(), QStringLiteral("DX 20 -1"));
        QCOMPARE(form.lblsectogo->text(), QStringLiteral("3")); // CT on 20 and 40, Germany on 20
        QCOMPARE(form.lblTotScore->text(), QStringLiteral("45"));
        QCOMPARE(form.Label10.at(1)->palette().color(QPalette::WindowText), QColor(0, 0, 255));

        form.mnuBand15Ch->trigger();
        QCOMPARE(spoken(form.Label10.at(1)), QStringLiteral("CT Connecticut not worked"));
        QCOMPARE(form.List1->count(), 0);
        QCOMPARE(form.lblStation.at(5)->text(), QStringLiteral("DX 15 -0"));

        // A click on a grid label puts its code in the S/P/C field; hovering counts it over all bands.
        QTest::mouseClick(form.Label10.at(1), Qt::LeftButton);
        QCOMPARE(form.txtCntry->text(), QStringLiteral("CT"));
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(form.Label10.at(1), &enter);
        QCOMPARE(form.lblDupe->text(), QStringLiteral("  Connecticut    Total =2"));
    }

    void coloursAreChosenSavedAndRepainted()
    {
        Running r(logLine("K1ABC", "CT", "20"));
        Form1& form = *r.form;
        r.fakes.prompts.colourAnswers.push_back(quint32(0x00FF00)); // pure green
        r.onModal = [](QDialog& dialog) {
            auto& colours = static_cast<Form6&>(dialog);
            colours.cmdWorked->click();
            colours.cmdDone->click();
            return colours.result();
        };
        form.mnuColors->trigger();
        QCOMPARE(form.Label10.at(1)->palette().color(QPalette::WindowText), QColor(0, 255, 0));
        ProgramPreferences saved;
        QVERIFY(PreferencesFile(r.dir.path()).ReadPreferences(saved).ok);
        QCOMPARE(saved.WorkedColour, 0x00FF00);
    }

    void listPreviousContactsFillsTheList()
    {
        Running r(logLine("K1ABC", "CT", "40") + logLine("K1ABC", "CT", "80"));
        Form1& form = *r.form;
        form.mnuListPrevious->trigger();
        ProgramPreferences saved;
        QVERIFY(PreferencesFile(r.dir.path()).ReadPreferences(saved).ok);
        QCOMPARE(saved.ListPrevious, quint8(1));
        QTest::keyClicks(form.txtCall, QStringLiteral("k1abc"));
        form.txtRSTR->setFocus();
        QCOMPARE(form.ListView1->topLevelItemCount(), 2);
        QCOMPARE(form.ListView1->topLevelItem(0)->text(0), QStringLiteral("1"));
        QCOMPARE(form.txtSec->text(), QStringLiteral("1234")); // filled from the earlier contact
        QCOMPARE(form.txtCntry->text(), QStringLiteral("CT"));
    }
};

QTEST_MAIN(TestForm1Checks)
#include "tst_form1checks.moc"
