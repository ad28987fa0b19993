// Tests of window scaling on real screens: the windows on a 1024 x 768 screen (1.6 times the design) at
// device pixel ratios 1 and 2 and under a scale factor of 1.5 keep the same logical places and point sizes;
// the main window's form size and taskbar menu items.

#include "log/ui/Form1Harness.h"
#include "log/ui/Form6.h"
#include "platform/ui/FormScaling.h"
#include "transmit/ui/frmCodePractice.h"
#include "views/ui/GraphQSO.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

using namespace velm;

namespace {

double appPoints()
{
    return QApplication::font().pointSizeF();
}

double smallestPoints()
{
    return QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont).pointSizeF();
}

QSize designPixels(QWidget& window)
{
    return (designUnitsOf(window) / formsize::UnitsPerPixel).toSize();
}

} // namespace

class TestWindowScaling : public QObject {
    Q_OBJECT

private slots:
    void screenIsOnePointSixDesigns();
    void colourWindowFollowsScreen();
    void largestFontThatFits();
    void workAreaWindows();
    void ownFontsScaledOnce();
    void mainWindowStartsOnWholeScreen();
    void formSizeAnswers_data();
    void formSizeAnswers();
    void taskbarRefusedBelowHundred();
    void taskbarTogglesReturn();
    void handEditedFormSize();
};

void TestWindowScaling::screenIsOnePointSixDesigns()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    QCOMPARE(screen->geometry(), QRect(0, 0, 1024, 768));
    qInfo() << "device pixel ratio" << screen->devicePixelRatio();
}

void TestWindowScaling::colourWindowFollowsScreen()
{
    test::FakePrompts prompts;
    Form6 window(prompts, 0xFF, 0xFF00);
    const QSize design = designPixels(window);
    QCOMPARE(window.size(), QSize(qRound(design.width() * 1.6), qRound(design.height() * 1.6)));
    QCOMPARE(window.pos(), QPoint((1024 - window.width()) / 2, (768 - window.height()) / 2));
    // Its fonts grow by 1.6, or as far as its layout still fits.
    QVERIFY(window.font().pointSizeF() <= appPoints() * 1.6);
    QVERIFY(window.font().pointSizeF() > appPoints());
    QVERIFY(window.layout()->totalMinimumSize().width() <= window.width());
}

void TestWindowScaling::largestFontThatFits()
{
    // A caption far wider than its share of the screen: the font shrinks until the layout fits, no further.
    QWidget window;
    window.setObjectName(QStringLiteral("wide"));
    auto* layout = new QVBoxLayout(&window);
    auto* caption = new QLabel(QString(QStringLiteral("W")).repeated(40), &window);
    layout->addWidget(caption);
    window.resize(caption->sizeHint().width() * 7 / 10, 100);
    QVERIFY(applyFormScaling(window, FormVariant::B));
    const double points = window.font().pointSizeF();
    QVERIFY(points < appPoints() * 1.6);
    QVERIFY(layout->totalMinimumSize().width() <= window.width());
    QFont larger = window.font();
    larger.setPointSizeF(points * 1.02);
    window.setFont(larger);
    QVERIFY(layout->totalMinimumSize().width() > window.width());
}

void TestWindowScaling::workAreaWindows()
{
    test::FakePrompts prompts;
    LogStore store;
    GraphQSO graph(store, prompts);
    const QSize design = designPixels(graph);
    QCOMPARE(graph.size(),
             QSize(qRound(design.width() * 1.6), qRound(design.height() * 1.6)).boundedTo({1024, 768}));
    // The window font follows the window's width.
    QVERIFY(qAbs(graph.font().pointSizeF() - appPoints() * graph.width() * 15 / 9600) < 0.2);

    NullCwSender cw;
    NullWinKeyState winKey;
    frmCodePractice practice(cw, winKey, 13);
    QVERIFY(practice.x() >= 0 && practice.y() >= 0);
    QVERIFY(practice.width() <= 1024 && practice.height() <= 768);
    QCOMPARE(practice.Label8->accessibleName(), QStringLiteral("Speed: 13 WPM"));
}

void TestWindowScaling::ownFontsScaledOnce()
{
    // A control with a font of its own grows by the control factor from its design font, however often the
    // window is fitted again.
    QWidget window;
    window.setObjectName(QStringLiteral("probe"));
    auto* label = new QLabel(QStringLiteral("Large"), &window);
    QFont large = label->font();
    large.setPointSizeF(appPoints() * 2);
    label->setFont(large);
    window.resize(300, 200);
    for (int i = 0; i < 100; ++i)
        QVERIFY(applyFormScaling(window, FormVariant::D));
    QCOMPARE(window.size(), QSize(480, 320));
    QCOMPARE(label->font().pointSizeF(), appPoints() * 2 * 1.5);
    // The window font follows the width (0.75), but never below the smallest readable or desktop font.
    QCOMPARE(window.font().pointSizeF(),
             std::max(appPoints() * 0.75, std::min(appPoints(), smallestPoints())));
}

void TestWindowScaling::mainWindowStartsOnWholeScreen()
{
    test::Form1Harness h;
    Form1& form = h.window();
    QCOMPARE(form.frameGeometry(), QRect(0, 0, 1024, 768));
    QVERIFY(form.mnuFormSize->isEnabled());
    QVERIFY(form.mnuTaskbar->isEnabled());
    QCOMPARE(form.mnuFormSize->text(), QStringLiteral("&Form Size"));
}

void TestWindowScaling::formSizeAnswers_data()
{
    QTest::addColumn<QString>("answer"); // null: Cancel
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("title"); // of the message shown, or empty
    const QString restart = QStringLiteral("For this setting to take effect please restart this program.");
    QTest::newRow("20") << "20" << 30 << restart;
    QTest::newRow("150") << "150" << 100 << restart;
    QTest::newRow("85") << "85" << 85 << restart;
    QTest::newRow("text") << "most" << 90 << "Numeric Values Required";
    QTest::newRow("cancel") << QString() << 90 << QString();
}

void TestWindowScaling::formSizeAnswers()
{
    QFETCH(QString, answer);
    QFETCH(int, stored);
    QFETCH(QString, title);
    test::Form1Harness h;
    Form1& form = h.window();
    h.session->setFormSizePercent(90);
    const QRect before = form.geometry();
    h.fakes.prompts.inputAnswers.push_back(answer.isNull() ? std::nullopt : std::optional<QString>(answer));
    form.mnuFormSize->trigger();
    QCOMPARE(h.fakes.prompts.inputs.size(), 1);
    QCOMPARE(h.fakes.prompts.inputs[0].title, QStringLiteral("Please enter screen percentage."));
    QCOMPARE(h.fakes.prompts.inputDefaults.value(0), QStringLiteral("90"));
    QCOMPARE(int(form.preferences().FormSizePercent), stored);
    QCOMPARE(h.fakes.prompts.messages.isEmpty() ? QString() : h.fakes.prompts.messages.last().title, title);
    QCOMPARE(form.geometry(), before); // takes effect at the next start
}

void TestWindowScaling::taskbarRefusedBelowHundred()
{
    test::Form1Harness h;
    Form1& form = h.window();
    h.session->setFormSizePercent(95);
    form.mnuTaskbar->trigger();
    QCOMPARE(form.preferences().TaskbarMode, quint8(0));
    QVERIFY(!form.mnuTaskbar->isChecked());
    QCOMPARE(h.fakes.prompts.messages.value(0).text,
             QStringLiteral("The form size must be set to 100% to use the taskbar display option."));
}

void TestWindowScaling::taskbarTogglesReturn()
{
    test::Form1Harness h;
    Form1& form = h.window();
    const QRect geometry = form.geometry();
    const QFont font = form.font();
    const QFont callFont = form.txtCall->font();
    form.mnuTaskbar->trigger();
    QCOMPARE(form.preferences().TaskbarMode, quint8(1));
    QVERIFY(form.mnuTaskbar->isChecked());
    QCOMPARE(form.frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
    for (int i = 0; i < 99; ++i)
        form.mnuTaskbar->trigger();
    QCOMPARE(form.preferences().TaskbarMode, quint8(0));
    QCOMPARE(form.geometry(), geometry);
    QCOMPARE(form.font(), font);
    QCOMPARE(form.txtCall->font(), callFont);
}

void TestWindowScaling::handEditedFormSize()
{
    // A form size of 0 written by hand: held to 30 % of the screen.
    test::Form1Harness h;
    QByteArray prefs = test::kPreferences;
    prefs.replace("\r\n100\r\n", "\r\n0\r\n");
    h.write(QStringLiteral("qrppref.txt"), prefs);
    Form1& form = h.window();
    QVERIFY(form.ReadPreferences());
    form.fitMainWindow();
    QCOMPARE(form.size(), QSize(307, 230));
    QCOMPARE(form.pos(), QPoint((1024 - 307) / 2, (768 - 230) / 2));
}

// The screen is chosen before the application starts: "dpr1", "dpr2" or "scale15" as the first argument.
int main(int argc, char** argv)
{
    QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("dpr1");
    std::vector<char*> args{argv[0]};
    for (int i = 2; i < argc; ++i)
        args.push_back(argv[i]);
    QTemporaryDir dir;
    int width = 1024, height = 768;
    double dpr = mode == "dpr2" ? 2.0 : 1.0;
    if (mode == "scale15") {
        qputenv("QT_SCALE_FACTOR", "1.5");
        width = 1536;
        height = 1152;
    }
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 2;
    file.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,
                                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": %3}]})")
                   .arg(width)
                   .arg(height)
                   .arg(dpr)
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toUtf8());
    int count = int(args.size());
    QApplication app(count, args.data());
    TestWindowScaling test;
    return QTest::qExec(&test, count, args.data());
}

#include "tst_windowscaling.moc"
