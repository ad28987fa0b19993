// The privileges window over the shipped plan and over broken files: the class buttons, what is left of
// earlier drawings, the box for a plan that does not read, and what a screen reader gets.

#include "support/FakePrompts.h"
#include "views/ui/BandPlanMenu.h"
#include "views/ui/frmBandPlan.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

const QRect kWorkArea(0, 0, 1280, 960);

int labelsNamed(const QWidget& window, const char* prefix)
{
    int count = 0;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->objectName().startsWith(QLatin1String(prefix)))
            ++count;
    }
    return count;
}

} // namespace

class TestFrmBandPlan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shippedPlanAndClassSwitches()
    {
        FakePrompts prompts;
        frmBandPlan window(QStringLiteral(VELM_DATA_DIR), prompts, kWorkArea);
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(window.windowTitle(), QStringLiteral("Frequency Privileges"));
        QCOMPARE(window.size(), kWorkArea.size());
        QCOMPARE(window.Label1->text(), QStringLiteral("Frequencies Effective: February 13, 2026"));
        QCOMPARE(window.Label2->text(), QStringLiteral("Extra Frequency Privileges"));
        QCOMPARE(labelsNamed(window, "blbl"), 15);
        QCOMPARE(window.fontFactor(), 1.5);
        const int extraElements = int(window.elements().size());
        // Switching classes again and again leaves nothing of the earlier ones.
        for (int round = 0; round < 100; ++round) {
            window.Command[round % 6]->click();
            QCOMPARE(int(window.elements().size()), labelsNamed(window, "blbl") + labelsNamed(window, "bnlb") +
                                                        labelsNamed(window, "priv"));
        }
        window.Command[0]->click();
        QCOMPARE(window.Label2->text(), QStringLiteral("Novice Frequency Privileges"));
        const int novice = int(window.elements().size());
        window.Command[0]->click();
        QCOMPARE(int(window.elements().size()), novice);
        window.Command[5]->click();
        QCOMPARE(int(window.elements().size()), extraElements);
        // Screen readers: each element's tool tip is its name; the area lists the segments.
        const QLabel* first = window.findChild<QLabel*>(QStringLiteral("priv1"));
        QVERIFY(first);
        QCOMPARE(first->accessibleName(), first->toolTip());
        QCOMPARE(first->toolTip(), QStringLiteral("PH  1.800 - 2.000"));
        QVERIFY(window.drawingArea->accessibleDescription().contains(QLatin1String("CW  14.000 - 14.150")));
        // Segments lie over their bars.
        const QLabel* bar = window.findChild<QLabel*>(QStringLiteral("blbl1"));
        QVERIFY(bar->geometry().contains(first->geometry().center()));
    }

    void planThatFails_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("bars");
        QTest::newRow("missing") << QByteArray("<none>") << 0;
        QByteArray many = "\"d\"\r\n\"20\",\"O\",\"PH\",14,14.35\r\n";
        for (int i = 0; i < 200; ++i)
            many += "\"20\",\"E\",\"CW\",14,14.1\r\n";
        QTest::newRow("201 rows") << many << 1;
    }
    void planThatFails()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, bars);
        QTemporaryDir dir;
        if (file != "<none>") {
            QFile out(dir.filePath(QStringLiteral("BandPlan.txt")));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file);
        }
        FakePrompts prompts;
        frmBandPlan window(dir.path(), prompts, kWorkArea);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, QStringLiteral("Band data not available."));
        QCOMPARE(prompts.messages[0].title, QStringLiteral("Band Data Not Available."));
        QCOMPARE(window.Label2->text(), QStringLiteral("Privelages"));
        QVERIFY(window.elements().isEmpty());
        // A class button draws from the rows read before the failure.
        window.Command[5]->click();
        QCOMPARE(labelsNamed(window, "blbl"), bars);
    }

    void ctrlFAndTheMenu()
    {
        FakePrompts prompts;
        QWidget parent;
        QAction privileges(nullptr);
        privileges.setEnabled(false);
        BandPlanMenu menu(&privileges, QStringLiteral(VELM_DATA_DIR), prompts, &parent);
        QVERIFY(privileges.isEnabled());
        QPointer<QDialog> shown;
        int opened = 0;
        menu.setModalRunner([&](QDialog& dialog) {
            shown = &dialog;
            ++opened;
            auto* window = qobject_cast<frmBandPlan*>(&dialog);
            window->Command7->click(); // "Done"
            return int(QDialog::Accepted);
        });
        menu.windowRequested(WindowShortcut::BandPlan);
        privileges.trigger();
        QCOMPARE(opened, 2);
        QVERIFY(!shown); // deleted on close; read anew the next time
        menu.windowRequested(WindowShortcut::RigTune);
        QCOMPARE(opened, 2);
    }
};

QTEST_MAIN(TestFrmBandPlan)
#include "tst_frmbandplan.moc"
