// The spotting window over its logic on fakes: what a screen reader hears (titled option groups, the send
// field named by its current caption, the traffic box, the listening label), the keys (Enter sends, Esc
// and Ctrl+C send the TNC's command character alone, Esc types the AGW colon) and the traffic box mirroring
// what arrives.

#include "../SpotHarness.h"
#include "spots/SpotTexts.h"
#include "spots/ui/PacketSpotfrm.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

using namespace velm;
using namespace velm::test;

class TestPacketSpotfrm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsAreNamedByCaption()
    {
        SpotHarness h;
        h->LoadSpotSettings();
        PacketSpotfrm window(*h);
        QStringList titles;
        for (const QGroupBox* group : window.findChildren<QGroupBox*>())
            if (!group->title().isEmpty())
                titles << group->title();
        for (const char* title : {"Comm Port", "Baud", "Parity", "Data Bits", "Stop Bits", "Connection Power",
                                  "Handshaking", "Main Form Display"})
            QVERIFY2(titles.contains(QString::fromLatin1(title)), title);
        QCOMPARE(window.txtUnProcessed->accessibleName(), QStringLiteral("Traffic"));
        QVERIFY(window.txtUnProcessed->isReadOnly());

        // The send field's name follows Label6 as the source changes.
        for (const QString& source : {SpotSourceName::Tnc, SpotSourceName::Telnet, SpotSourceName::Agw}) {
            window.List1->setCurrentRow(int(SpotSourceName::all().indexOf(source)));
            QCOMPARE(h->settings().source, source);
            QVERIFY(!window.Label6->text().isEmpty());
            QCOMPARE(window.txtSent->accessibleName(), window.Label6->text());
            QCOMPARE(window.Label6->buddy(), window.txtSent);
        }
    }

    void tncKeysSendTheCommandCharacterAlone_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier);
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier);
    }
    void tncKeysSendTheCommandCharacterAlone()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        SpotHarness h(spotSettingsFile("TNC"));
        h->LoadSpotSettings();
        PacketSpotfrm window(*h);
        QVERIFY(h->isOpen());
        QVERIFY(!window.Label4->isHidden()); // "Listening"
        h.serial().clearWrites();
        QTest::keyClicks(window.txtSent, QStringLiteral("MYCALL"));
        QTest::keyClick(window.txtSent, Qt::Key_Return);
        QCOMPARE(h.serial().written(), QByteArray("MYCALL\r"));
        QVERIFY(window.txtSent->text().isEmpty());
        h.serial().clearWrites();
        QTest::keyClick(window.txtUnProcessed, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(h.serial().written(), QByteArray("\x03"));
        QVERIFY(window.txtSent->text().isEmpty());
    }

    void agwEscTypesTheColon()
    {
        SpotHarness h;
        h->LoadSpotSettings();
        PacketSpotfrm window(*h);
        window.List1->setCurrentRow(int(SpotSourceName::all().indexOf(SpotSourceName::Agw)));
        QTest::keyClick(window.txtSent, Qt::Key_Escape);
        QCOMPARE(window.txtSent->text(), QStringLiteral(":"));
    }

    void telnetTrafficIsMirroredAndEnterSends()
    {
        SpotHarness h(spotSettingsFile("Telnet"));
        h->LoadSpotSettings();
        PacketSpotfrm window(*h);
        h.tcp().accept();
        h.tcp().feed("login: ");
        QTRY_VERIFY(window.txtUnProcessed->toPlainText().endsWith(QStringLiteral("login: ")));
        QTest::keyClicks(window.txtSent, QStringLiteral("K1ABC"));
        QTest::keyClick(window.txtSent, Qt::Key_Enter);
        QCOMPARE(h.tcp().sent, QByteArray("K1ABC\r\n"));
        h.tcp().feed("\r\nDX de KE8GX:     14025.0  3B9FR        599 into N. MI                 1812Z\r\n");
        QTRY_VERIFY(window.txtUnProcessed->toPlainText().contains(QStringLiteral("3B9FR")));
        // The box shows what the logic holds, line ends as line breaks.
        QCOMPARE(window.txtUnProcessed->toPlainText(), TrafficBox::displayText(h.traffic()));
        QCOMPARE(h.store->spot(SpotStore::kNewest).call, QStringLiteral("3B9FR"));
    }
};

QTEST_MAIN(TestPacketSpotfrm)
#include "tst_packetspotfrm.moc"
