// What a screen reader hears from a value label.

#include "platform/ui/Announcer.h"
#include "platform/ui/QuietValueLabel.h"
#include "platform/ui/ValueLabel.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QtTest>

class TestValueLabel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void screenReaderHearsCaptionAndValue_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("score") << "Total Score"
                               << "14,000"
                               << "Total Score: 14,000";
        QTest::newRow("continent") << "Continent"
                                   << "EU"
                                   << "Continent: EU";
        QTest::newRow("blank value speaks the caption alone") << "Message"
                                                              << " "
                                                              << "Message";
    }
    void screenReaderHearsCaptionAndValue()
    {
        QFETCH(QString, caption);
        QFETCH(QString, value);
        QFETCH(QString, spoken);
        QLabel label;
        label.show();
        velm::setValueLabel(&label, caption, value);
        QCOMPARE(label.text(), value);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&label);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), spoken);
    }

    void laterValueReplacesEarlierOne()
    {
        QLabel label;
        velm::setValueLabel(&label, QStringLiteral("Total Contacts"), QStringLiteral("1"));
        velm::setValueLabel(&label, QStringLiteral("Total Contacts"), QStringLiteral("2"));
        QCOMPARE(QAccessible::queryAccessibleInterface(&label)->text(QAccessible::Name),
                 QStringLiteral("Total Contacts: 2"));
    }

    // The clocks: named on demand from the caption and what the label shows at that moment.
    void quietLabelIsNamedWhenAsked_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("the latest value") << "UTC" << QStringList{"14:05:32", "14:05:33"} << "UTC: 14:05:33";
        QTest::newRow("blank shows the caption") << "AM or PM" << QStringList{"PM", " "} << "AM or PM";
        QTest::newRow("caption changed")
            << "Operating Time" << QStringList{"00:00:01"} << "Operating Time: 00:00:01";
    }
    void quietLabelIsNamedWhenAsked()
    {
        QFETCH(QString, caption);
        QFETCH(QStringList, values);
        QFETCH(QString, spoken);
        velm::QuietValueLabel label;
        velm::setValueLabel(&label, QStringLiteral("Clock"), QStringLiteral("00:00:00"));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&label);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::StaticText);
        for (const QString& value : values)
            velm::setValueLabel(&label, caption, value);
        QCOMPARE(label.text(), values.last());
        QCOMPARE(iface->text(QAccessible::Name), spoken);
    }

    // Read as a screen reader reads a notification: its role, and the text in its one label.
    void messageLineAnnouncesThroughANotification()
    {
        QWidget window;
        auto* line = new QLabel(&window);
        velm::setMessageLine(line, QStringLiteral("Message"), QStringLiteral("Invalid date format!"));
        velm::setMessageLine(line, QStringLiteral("Message"), QStringLiteral("Invalid time format!"));
        QCOMPARE(QAccessible::queryAccessibleInterface(line)->text(QAccessible::Name),
                 QStringLiteral("Message: Invalid time format!"));
        velm::Announcer* announcer = velm::Announcer::of(line);
        QCOMPARE(velm::Announcer::of(line), announcer); // one per line
        QTRY_COMPARE(announcer->text(), QStringLiteral("Invalid time format!"));
        QAccessibleInterface* notification = QAccessible::queryAccessibleInterface(announcer);
        QVERIFY(notification);
        QCOMPARE(notification->role(), QAccessible::Notification);
        QCOMPARE(notification->parent(), QAccessible::queryAccessibleInterface(line));
        QCOMPARE(notification->childCount(), 1);
        QAccessibleInterface* text = notification->child(0);
        QVERIFY(text);
        QCOMPARE(text->role(), QAccessible::StaticText);
        QCOMPARE(text->text(QAccessible::Name), QStringLiteral("Invalid time format!"));
        QCOMPARE(text->parent(), notification);
        QCOMPARE(notification->indexOfChild(text), 0);
        // The line is no parent of it: the window's tree, as a screen reader walks it, is unchanged.
        QCOMPARE(QAccessible::queryAccessibleInterface(line)->childCount(), 0);
    }
};

QTEST_MAIN(TestValueLabel)
#include "tst_valuelabel.moc"
