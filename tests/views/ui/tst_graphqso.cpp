// Tests of the rate graph window: drawing on opening, the message for a short log, the background toggle,
// the spoken summary and list, and its names for screen readers.

#include "views/ui/GraphQSO.h"
#include "views/ui/RatePlot.h"

#include "support/AccessibleNames.h"
#include "support/FakePrompts.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace velm;

namespace {

LogStore logOf(int contacts)
{
    LogStore store;
    for (int i = 0; i < contacts; ++i) {
        QsoRecord r;
        r.Call = QStringLiteral("K%1AB").arg(i);
        r.QsoDate = QStringLiteral("2024/06/22");
        r.QsoTime = QStringLiteral("%1:%2:00").arg(14 + i / 60).arg(i % 60, 2, 10, QLatin1Char('0'));
        r.Band = i < contacts / 2 ? QStringLiteral("40") : QStringLiteral("20");
        store.add(r);
    }
    return store;
}

} // namespace

class TestGraphQSO : public QObject {
    Q_OBJECT

private slots:
    void drawsWhenOpened();
    void shortLogShowsMessageOverEmptyAxes();
    void toggleTwiceLooksTheSame();
    void screenReaderNames();
};

void TestGraphQSO::drawsWhenOpened()
{
    const LogStore store = logOf(120);
    test::FakePrompts prompts;
    GraphQSO window(store, prompts);
    QCOMPARE(window.windowTitle(),
             QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"));
    window.show();
    QTRY_VERIFY(window.graph().enough);
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(window.lstRates->topLevelItemCount(), 15);
    QCOMPARE(window.lstRates->topLevelItem(0)->text(0), QStringLiteral("06/22 14:00"));
    QCOMPARE(window.lstRates->topLevelItem(14)->text(2), QStringLiteral("20 m"));
    QVERIFY(window.lblSummary->text().startsWith(
        QStringLiteral("120 contacts, 14:00–15:59, peak 60.0 per hour")));
    QCOMPARE(window.lblSummary->accessibleName(), QStringLiteral("Rate graph: ") + window.lblSummary->text());
    QCOMPARE(window.plot->accessibleDescription(), window.lblSummary->text());
    QCOMPARE(window.bandLabels.size(), 7);
    QCOMPARE(window.bandLabels[3]->palette().color(QPalette::Window), QColor(0x00FF00));
}

void TestGraphQSO::shortLogShowsMessageOverEmptyAxes()
{
    const LogStore store = logOf(6);
    test::FakePrompts prompts;
    GraphQSO window(store, prompts);
    window.show();
    QTRY_COMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].title, GraphQSO::TooFewTitle);
    QCOMPARE(prompts.messages[0].text, GraphQSO::TooFewText);
    QCOMPARE(window.lstRates->topLevelItemCount(), 0);
    // The axes are drawn in white on black.
    const QImage image = window.plot->grab().toImage();
    const QPoint corner(int(rategraph::Left * window.plot->width() / rategraph::DesignWidth),
                        int(rategraph::Bottom * window.plot->height() / rategraph::DesignHeight));
    bool white = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            white = white || image.pixelColor(corner + QPoint(dx, dy)) == Qt::white;
    QVERIFY(white);
}

void TestGraphQSO::toggleTwiceLooksTheSame()
{
    const LogStore store = logOf(90);
    test::FakePrompts prompts;
    GraphQSO window(store, prompts);
    window.show();
    QTRY_VERIFY(window.graph().enough);
    const QImage before = window.plot->grab().toImage();
    window.Command1->click();
    QCOMPARE(window.Command1->text(), QStringLiteral("White Background"));
    QCOMPARE(window.lblBand->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(window.plot->grab().toImage().pixelColor(1, 1), QColor(Qt::white));
    QVERIFY(!QApplication::overrideCursor());
    window.Command1->click();
    QCOMPARE(window.Command1->text(), QStringLiteral("Black Background"));
    QCOMPARE(window.plot->grab().toImage(), before);
    QVERIFY(!QApplication::overrideCursor());
}

void TestGraphQSO::screenReaderNames()
{
    const LogStore store = logOf(30);
    test::FakePrompts prompts;
    GraphQSO window(store, prompts);
    window.show();
    QTRY_VERIFY(window.graph().enough);
    QCOMPARE(test::unnamedControls(window), QStringList());
    QCOMPARE(window.plot->accessibleName(), QStringLiteral("Rate graph"));
    // Tab goes from the plot to the list of rates.
    window.plot->setFocus();
    QCOMPARE(window.plot->nextInFocusChain(), window.lstRates);
}

QTEST_MAIN(TestGraphQSO)
#include "tst_graphqso.moc"
