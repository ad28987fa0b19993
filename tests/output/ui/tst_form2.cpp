// The summary window: start values, key rules, field checks, names for screen readers, and a whole write
// of both files through scripted dialogs.

#include "log/SharedPreferences.h"
#include "output/ui/Form2.h"
#include "support/TestServices.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using namespace velm;

namespace {

struct Window {
    Window()
    {
        own.OwnCall = QStringLiteral("K1ABC ");
        own.OwnSpc = QStringLiteral("MA");
        own.OwnVelmPwr = QStringLiteral("5W");
        QsoRecord r{QStringLiteral("W2XYZ"),
                    QStringLiteral("599"),
                    QStringLiteral("1234"),
                    QStringLiteral("599"),
                    QStringLiteral("NJ"),
                    QStringLiteral("2004/04/03"),
                    QStringLiteral("12:34:56"),
                    QStringLiteral("CW"),
                    QStringLiteral("40"),
                    2,
                    QString()};
        store.add(r);
        multipliers.recordLoaded(r);
        multipliers.RefreshGrid();
        folders.UserDataFolder = dir.path();
        fakes.settings.values.insert(QStringLiteral("UserAddressName"), QStringLiteral("Pat Jones"));
        shared.OpenSharedPreferences(dir.filePath(QStringLiteral("SharedUserPreferences.xml")));
        form.emplace(fakes.services(),
                     EntrySources{store, multipliers, own, QStringLiteral("Orvane's QRP VELM Log 2.4"),
                                  QStringLiteral("1"), QStringLiteral("00:10:00")},
                     shared, folders);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(&*form));
    }
    QString read(const QString& name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

    QTemporaryDir dir;
    test::TestServices fakes;
    LogStore store;
    MultiplierState multipliers;
    ProgramPreferences own;
    UserFolderPaths folders;
    SharedPreferences shared;
    std::optional<Form2> form;
};

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startValuesAndNames()
    {
        Window w;
        QCOMPARE(w.form->windowTitle(), QStringLiteral("Summary Sheet Information"));
        QVERIFY(w.form->Option15->isChecked() && w.form->Option6->isChecked() &&
                w.form->Option5->isChecked() && w.form->Option17->isChecked());
        QCOMPARE(w.form->Text4->text(), QStringLiteral("0"));
        QCOMPARE(w.form->Text5->text(), QStringLiteral("Pat Jones"));
        QCOMPARE(w.form->Text1->accessibleName(), QStringLiteral("Power Output"));
        QCOMPARE(w.form->Option10->accessibleName(), QStringLiteral("QRP VELM Holiday Homebrew"));
        w.form->Text11->setFocus(); // Tab runs soapbox, name, address, e-mail, then the write button
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.form->Command4));

        // Every caption shows whole: no line of a wrapped caption is cut off at the top or bottom.
        for (const QLabel* label : w.form->findChildren<QLabel*>()) {
            if (label->isHidden() || label->text().isEmpty())
                continue;
            const int needed =
                label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
            QVERIFY2(label->height() >= needed, qPrintable(label->text()));
        }
    }

    void numberFieldsTakeOnlyNumberKeys()
    {
        Window w;
        w.form->Text1->setFocus();
        QTest::keyClicks(w.form->Text1, QStringLiteral("0.5aW-/"));
        QCOMPARE(w.form->Text1->text(), QStringLiteral("0.5-/"));
        QTest::keyClick(w.form->Text1, Qt::Key_Backspace);
        QCOMPARE(w.form->Text1->text(), QStringLiteral("0.5-"));
    }

    void leavingTheFieldsChecksThem()
    {
        Window w;
        w.form->Text4->setFocus();
        w.form->Text4->setText(QStringLiteral("3/"));
        QTest::keyClick(w.form->Text4, Qt::Key_Tab); // on to the power field
        QCOMPARE(w.form->Text4->text(), QStringLiteral("0"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.form->Text1));
        QTest::keyClick(w.form->Text1, Qt::Key_Tab); // empty power
        QCOMPARE(w.fakes.prompts.messages.size(), 1);
        QCOMPARE(w.fakes.prompts.messages.at(0).text,
                 QStringLiteral("Please enter a numeric value in the power field."));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.form->Text1));
    }

    // Summer Homebrew Sprint, a home-brew transceiver on 3 bands, 3 W CW: 2 x 1 x 7 + 15000.
    void writesBothFiles()
    {
        Window w;
        w.form->Option12->click();
        w.form->Option19->click();
        w.form->Text4->setText(QStringLiteral("3"));
        w.form->Text1->setText(QStringLiteral("3"));
        w.form->Text11->setText(QString::fromUtf8("Caf\u00e9 \u263a"));
        w.form->Text8->setText(QStringLiteral("  pat@example.org "));
        w.fakes.prompts.fileAnswers.push_back(w.dir.filePath(QStringLiteral("entry.txt")));
        QTest::mouseClick(w.form->Command4, Qt::LeftButton);

        const QString summary = w.read(QStringLiteral("entry.sum"));
        QVERIFY(summary.startsWith(QStringLiteral("QRP VELM CONTEST SUMMARY SHEET\r\n")));
        QVERIFY(summary.contains(
            QStringLiteral("      2  X      1    X      7    +    15000  =      15014 \r\n")));
        QVERIFY(summary.endsWith(QStringLiteral("E-mail:   pat@example.org \r\n")));
        const QString log = w.read(QStringLiteral("entry.txt"));
        QVERIFY(log.contains(QStringLiteral("\r\nCLAIMED-SCORE:  15014 \r\n")));
        QVERIFY(log.contains(QString::fromLatin1("\r\nSOAPBOX: Caf\xe9 ?\r\n")));
        QVERIFY(log.endsWith(QStringLiteral("1234\r\nEND-OF-LOG:\r\n")));

        const QList<test::ShownMessage>& messages = w.fakes.prompts.messages;
        QCOMPARE(messages.size(), 2);
        QVERIFY(messages.at(0).text.startsWith(QStringLiteral("The files K1ABC.log and K1ABC.sum were")));
        QCOMPARE(messages.at(1).title, QStringLiteral("  Thanks!"));
        QCOMPARE(w.fakes.prompts.beeps, 1);
        QCOMPARE(w.fakes.settings.values.value(QStringLiteral("UserEMail")),
                 QStringLiteral("pat@example.org"));
        QFile prefs(w.dir.filePath(QStringLiteral("SharedUserPreferences.xml")));
        QVERIFY(prefs.open(QIODevice::ReadOnly));
        QVERIFY(prefs.readAll().contains("<OWN_EMAIL>pat@example.org</OWN_EMAIL>"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.form->Command3));
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
