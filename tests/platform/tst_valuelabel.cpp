// What a screen reader hears from a value label.

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
        QTest::newRow("score") << "Total Score" << "14,000" << "Total Score: 14,000";
        QTest::newRow("continent") << "Continent" << "EU" << "Continent: EU";
        QTest::newRow("blank value speaks the caption alone") << "Message" << " " << "Message";
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
};

QTEST_MAIN(TestValueLabel)
#include "tst_valuelabel.moc"
