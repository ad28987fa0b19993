// The About window from the Help menu, and the program's icon on every window.

#include "log/ui/AboutWindow.h"
#include "platform/ui/ProgramIcon.h"

#include "Form1Harness.h"

#include <QAccessible>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace velm;

class TestAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theHelpMenuOpensTheHelpPageFirstAndTheAboutWindowBesideIt()
    {
        test::Form1Harness h;
        h.write(QStringLiteral("BandPlan.txt"), "\"2025/01/15\"\r\n\"160\",\"O\",\"CW\",1.8,2\r\n");
        Form1& form = h.window();
        auto* help = qobject_cast<QMenu*>(form.mnuAbout->parent());
        QVERIFY(help);
        QCOMPARE(help->title(), QStringLiteral("&Help"));
        QCOMPARE(help->actions().value(0), form.mnuHelp);
        QCOMPARE(form.mnuAbout->text(), QStringLiteral("&About velmlog"));
        QVERIFY(form.mnuAbout->isEnabled());

        form.mnuAbout->trigger();
        auto* about = form.findChild<AboutWindow*>();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("About velmlog"));
        QVERIFY(about->txtAbout->isReadOnly());
        QVERIFY(about->txtAbout->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        QVERIFY(!about->txtAbout->accessibleName().isEmpty());
        const QString text = about->txtAbout->toPlainText();
        QVERIFY(text.contains(QStringLiteral("effective 2025/01/15")));
        QVERIFY(text.contains(QStringLiteral("release 2023-05-02")));
        QVERIFY(text.contains(QStringLiteral("Permission is hereby granted")));
        QVERIFY(text.contains(QString::fromLatin1(qVersion())));
        // Opened at its top, the text has the focus, so the arrows read it from the first line.
        QCOMPARE(about->txtAbout->textCursor().position(), 0);

        // Escape closes it, and the same window comes back with the band plan read again.
        QTest::keyClick(about, Qt::Key_Escape);
        QVERIFY(!about->isVisible());
        h.write(QStringLiteral("BandPlan.txt"), "\"2026/07/01\"\r\n");
        form.mnuAbout->trigger();
        QCOMPARE(form.findChildren<AboutWindow*>().size(), 1);
        QVERIFY(about->txtAbout->toPlainText().contains(QStringLiteral("effective 2026/07/01")));
        QTest::mouseClick(about->cmdClose, Qt::LeftButton);
        QVERIFY(!about->isVisible());
    }

    void everyWindowCarriesTheProgramIcon()
    {
        const QIcon icon = programIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(48, 48), QSize(128, 128)}));
        QVERIFY(!icon.pixmap(48).toImage().isNull());

        applyProgramIcon();
        test::Form1Harness h;
        Form1& form = h.window();
        form.mnuAbout->trigger();
        for (QWidget* window :
             {static_cast<QWidget*>(&form), static_cast<QWidget*>(form.findChild<AboutWindow*>())})
            QCOMPARE(window->windowIcon().availableSizes(), icon.availableSizes());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
