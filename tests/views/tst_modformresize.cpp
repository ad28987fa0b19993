// Tests of the window scaling rules: the variants on a screen 1.6 times the design, the work-area fits, the
// main window's percentage and taskbar fits, and odd screens.

#include "views/ModFormResize.h"

#include <QtTest>

using namespace velm;

namespace {

// 1024 x 768 is 1.6 times the 640 x 480 design screen; a 32-pixel panel at the top.
const ScreenAreas Big{QRect(0, 0, 1024, 768), QRect(0, 32, 1024, 736)};
// A window of 6000 x 4500 units: 400 x 300 pixels at design size.
const QSizeF Window(6000, 4500);

} // namespace

class TestModFormResize : public QObject {
    Q_OBJECT

private slots:
    void variantsOnBigScreen_data();
    void variantsOnBigScreen();
    void variantALiftAndTopPanel();
    void workAreaVariants();
    void fitToArea();
    void noScreen();
    void secondScreen();
    void mainWindow_data();
    void mainWindow();
    void formSizeAnswers_data();
    void formSizeAnswers();
    void taskbarTogglesReturn();
    void windowTable();
};

void TestModFormResize::variantsOnBigScreen_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<double>("windowFont");
    QTest::addColumn<double>("controlFont");
    QTest::newRow("A") << int(FormVariant::A) << 1.6 << 1.6;
    QTest::newRow("B") << int(FormVariant::B) << 1.6 << 1.6;
    QTest::newRow("C") << int(FormVariant::C) << 1.6 << 1.6;
    // The window font follows the window's width: 6000 x 1.6 / 9600.
    QTest::newRow("D") << int(FormVariant::D) << 1.0 << 1.5;
}

void TestModFormResize::variantsOnBigScreen()
{
    QFETCH(int, variant);
    QFETCH(double, windowFont);
    QFETCH(double, controlFont);
    const FormFit fit = scaleFormVariant(FormVariant(variant), Window, Big);
    QVERIFY(fit.scaled);
    QCOMPARE(fit.window.size(), QSize(640, 480));
    QCOMPARE(fit.window.left(), 192);
    QCOMPARE(fit.windowFont, windowFont);
    QCOMPARE(fit.controlFont, controlFont);
    if (FormVariant(variant) != FormVariant::A)
        QCOMPARE(fit.window.top(), 144);
}

void TestModFormResize::variantALiftAndTopPanel()
{
    // 170 units is 11 1/3 pixels above the middle: 144 - 11.33 rounds to 133.
    const ScreenAreas open{QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 768)};
    QCOMPARE(ScaleFormToScreen(Window, open).window.top(), 133);
    QCOMPARE(ScaleFormToScreen(Window, Big).window.top(), 133);
    // A window as tall as the screen would be lifted above it, and under the top panel: held at the panel.
    const FormFit tall = ScaleFormToScreen(QSizeF(6000, 7200), Big);
    QCOMPARE(tall.window.top(), 32);
    QCOMPARE(tall.window.height(), 768);
}

void TestModFormResize::workAreaVariants()
{
    // E grows with the work area and is centred in it.
    const FormFit e = scaleFormVariant(FormVariant::E, Window, Big);
    QCOMPARE(e.window.size(), QSize(640, 460));
    QCOMPARE(e.window.topLeft(), QPoint(192, 32 + 138));
    QCOMPARE(e.controlFont, 1.5);
    // F covers the work area from its corner.
    const FormFit f = scaleFormVariant(FormVariant::F, Window, Big);
    QCOMPARE(f.window, Big.workArea);
    QCOMPARE(f.controlFont, 1.5);
    // On a screen smaller than the design the cap does not bind.
    const ScreenAreas small{QRect(0, 0, 320, 240), QRect(0, 0, 320, 240)};
    QCOMPARE(scaleFormVariant(FormVariant::E, Window, small).controlFont, 0.5);
}

void TestModFormResize::fitToArea()
{
    // The WinKey window: the screen, 9600 x 7200, no exact size, growth 1.
    const FormFit g = scaleFormVariant(FormVariant::G, Window, Big);
    QCOMPARE(g.window.size(), QSize(640, 480));
    QCOMPARE(g.windowFont, 1.6);
    // Half of the growth is followed; a shrink is followed in full.
    FitRequest request{QRect(0, 0, 1024, 768), QSizeF(15360, 11520), QSizeF(9600, 7200), false, 0.5};
    QCOMPARE(FitFormToArea(Window, request).windowFont, 1.3);
    request.newSize = QSizeF(4800, 3600);
    QCOMPARE(FitFormToArea(Window, request).windowFont, 0.5);
    // Exact size: the window takes the size given, its fonts the smaller ratio.
    request = {QRect(100, 0, 800, 600), QSizeF(9000, 9000), QSizeF(9600, 7200), true, 1.0};
    const FormFit exact = FitFormToArea(Window, request);
    QCOMPARE(exact.window, QRect(200, 0, 600, 600));
    QCOMPARE(exact.windowFont, 1.5);
}

void TestModFormResize::noScreen()
{
    for (const ScreenAreas& areas : {ScreenAreas{}, ScreenAreas{QRect(0, 0, 0, 0), QRect(0, 0, 0, 0)}}) {
        for (int v = int(FormVariant::A); v <= int(FormVariant::G); ++v) {
            const FormFit fit = scaleFormVariant(FormVariant(v), Window, areas);
            QVERIFY(!fit.scaled);
            QCOMPARE(fit.window.size(), QSize(400, 300));
            QCOMPARE(fit.controlFont, 1.0);
        }
        QCOMPARE(mainWindowFit(Window, areas, 90, false).window.size(), QSize(400, 300));
    }
}

void TestModFormResize::secondScreen()
{
    const ScreenAreas right{QRect(1920, 0, 1024, 768), QRect(1920, 32, 1024, 736)};
    QCOMPARE(scaleFormVariant(FormVariant::B, Window, right).window.topLeft(), QPoint(1920 + 192, 144));
    QCOMPARE(scaleFormVariant(FormVariant::F, Window, right).window.topLeft(), QPoint(1920, 32));
    QCOMPARE(mainWindowFit(Window, right, 100, false).window, right.screen);
    QCOMPARE(mainWindowFit(Window, right, 100, true).window, right.workArea);
}

void TestModFormResize::mainWindow_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<bool>("taskbar");
    QTest::addColumn<QRect>("window");
    QTest::addColumn<double>("controlFont");
    QTest::newRow("whole screen") << 100 << false << QRect(0, 0, 1024, 768) << 1.6;
    QTest::newRow("work area") << 100 << true << QRect(0, 32, 1024, 736) << 1.6;
    QTest::newRow("90 %") << 90 << false << QRect(51, 38, 922, 691) << 1.44;
    QTest::newRow("taskbar ignored below 100") << 50 << true << QRect(256, 192, 512, 384) << 0.8;
    // A hand-edited percentage outside 30 ... 100 is held to it.
    QTest::newRow("0 %") << 0 << false << QRect(358, 269, 307, 230) << 0.48;
    QTest::newRow("250 %") << 250 << false << QRect(0, 0, 1024, 768) << 1.6;
}

void TestModFormResize::mainWindow()
{
    QFETCH(int, percent);
    QFETCH(bool, taskbar);
    QFETCH(QRect, window);
    QFETCH(double, controlFont);
    const FormFit fit = mainWindowFit(QSizeF(9600, 7200), Big, percent, taskbar);
    QCOMPARE(fit.window, window);
    QVERIFY(qAbs(fit.controlFont - controlFont) < 1e-9);
}

void TestModFormResize::formSizeAnswers_data()
{
    QTest::addColumn<QString>("answer"); // a null string: Cancel
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("percent");
    QTest::newRow("cancel") << QString() << int(FormSizeAnswer::Cancelled) << 0;
    QTest::newRow("20") << "20" << int(FormSizeAnswer::Percent) << 30;
    QTest::newRow("150") << "150" << int(FormSizeAnswer::Percent) << 100;
    QTest::newRow("fraction") << " 95.6 " << int(FormSizeAnswer::Percent) << 96;
    QTest::newRow("text") << "big" << int(FormSizeAnswer::NotNumeric) << 0;
    QTest::newRow("empty") << "" << int(FormSizeAnswer::NotNumeric) << 0;
    QTest::newRow("infinite") << "inf" << int(FormSizeAnswer::NotNumeric) << 0;
}

void TestModFormResize::formSizeAnswers()
{
    QFETCH(QString, answer);
    QFETCH(int, kind);
    QFETCH(int, percent);
    const FormSizeAnswer read =
        readFormSizeAnswer(answer.isNull() ? std::nullopt : std::optional<QString>(answer));
    QCOMPARE(int(read.kind), kind);
    QCOMPARE(read.percent, percent);
}

void TestModFormResize::taskbarTogglesReturn()
{
    // Every fit starts from the design size, so a hundred toggles end where they began.
    const FormFit first = mainWindowFit(QSizeF(9600, 7200), Big, 100, false);
    FormFit fit = first;
    for (int i = 0; i < 100; ++i)
        fit = mainWindowFit(QSizeF(9600, 7200), Big, 100, i % 2 == 0);
    QCOMPARE(fit, first);
}

void TestModFormResize::windowTable()
{
    QCOMPARE(formVariantOf(QStringLiteral("frmStationID")), std::optional(FormVariant::A));
    QCOMPARE(formVariantOf(QStringLiteral("Form5")), std::optional(FormVariant::B));
    QCOMPARE(formVariantOf(QStringLiteral("Form6")), std::optional(FormVariant::C));
    QCOMPARE(formVariantOf(QStringLiteral("PacketSpotfrm")), std::optional(FormVariant::D));
    QCOMPARE(formVariantOf(QStringLiteral("GraphQSO")), std::optional(FormVariant::E));
    QCOMPARE(formVariantOf(QStringLiteral("frmBandPlan")), std::optional(FormVariant::F));
    QCOMPARE(formVariantOf(QStringLiteral("frmWinKey")), std::optional(FormVariant::G));
    QCOMPARE(formVariantOf(QStringLiteral("Form1")), std::nullopt);
}

QTEST_APPLESS_MAIN(TestModFormResize)
#include "tst_modformresize.moc"
