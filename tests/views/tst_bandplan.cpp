// BandPlan.txt and the privileges drawing: the shipped plan, files that fail part-way, and the drawing's
// geometry, colours and texts for the cases where bars, boxes and segments are easy to get wrong.

#include "log/AboutText.h"
#include "views/BandPlanFile.h"
#include "views/PrivilegeDrawing.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velm;

namespace {

QList<BandPlanRow> rows(const char* text)
{
    return parseBandPlan(QByteArray("\"d\"\r\n") + text).rows;
}

QList<PrivilegeElement> ofKind(const PrivilegeDrawing& drawing, PrivilegeElement::Kind kind)
{
    QList<PrivilegeElement> found;
    for (const PrivilegeElement& element : drawing.elements) {
        if (element.kind == kind)
            found << element;
    }
    return found;
}

const QSizeF kWindow(1000, 800);
constexpr double kLine = 100;

} // namespace

class TestBandPlan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theShippedPlan()
    {
        const BandPlan plan = readBandPlan(QStringLiteral(VELM_DATA_DIR));
        QVERIFY2(plan.ok, qPrintable(plan.error));
        QCOMPARE(plan.EffectiveDate, QStringLiteral("February 13, 2026"));
        QCOMPARE(plan.rows.size(), 135);
        // The About window shows the same date.
        QCOMPARE(readDataVersions(ProgramFolder(QStringLiteral(VELM_DATA_DIR))).bandPlan, plan.EffectiveDate);
        const PrivilegeDrawing extra = DrawPrivileges(plan.rows, QStringLiteral("E"), kWindow, kLine, 1);
        QCOMPARE(ofKind(extra, PrivilegeElement::Kind::Bar).size(), 15);
        // Technician Plus has Technician privileges; every segment lies inside its band's bar.
        const PrivilegeDrawing tech = DrawPrivileges(plan.rows, QStringLiteral("T"), kWindow, kLine, 1);
        const PrivilegeDrawing plus = DrawPrivileges(plan.rows, QStringLiteral("P"), kWindow, kLine, 1);
        QCOMPARE(tech.elements.size(), plus.elements.size());
        for (const QString letter : {"N", "T", "G", "A", "E"}) {
            const PrivilegeDrawing drawing = DrawPrivileges(plan.rows, letter, kWindow, kLine, 1);
            const QList<PrivilegeElement> bars = ofKind(drawing, PrivilegeElement::Kind::Bar);
            QVERIFY(!bars.isEmpty());
            for (const PrivilegeElement& segment : ofKind(drawing, PrivilegeElement::Kind::Segment)) {
                const auto bar = std::find_if(bars.cbegin(), bars.cend(),
                                              [&](const PrivilegeElement& b) { return b.caption == segment.band; });
                QVERIFY(bar != bars.cend());
                QVERIFY2(segment.rect.left() >= bar->rect.left() - 1e-6 &&
                             segment.rect.right() <= bar->rect.right() + 1e-6,
                         qPrintable(segment.toolTip));
            }
        }
        // 60 m: the four channels and the band in between, for General and up only.
        QCOMPARE(std::count_if(plan.rows.cbegin(), plan.rows.cend(),
                               [](const BandPlanRow& r) { return r.band == QLatin1String("60") && r.licenceClass == QLatin1String("G"); }),
                 5);
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("rowsKept");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("edge not a number") << QByteArray("\"d\"\r\n\"20\",\"O\",\"PH\",14,14.35\r\n\"20\",\"E\",\"CW\",x,14\r\n") << 1;
        QTest::newRow("row cut short") << QByteArray("\"d\"\r\n\"20\",\"O\",\"PH\",14,14.35\r\n\"20\",\"E\",\"CW\"\r\n") << 1;
        QTest::newRow("quote left open") << QByteArray("\"d\"\r\n\"20\",\"O\",\"PH\",14,14.35\r\n\"20,\"E\r\n") << 1;
        static const char binary[] = "\"d\"\r\n\"20\",\"O\",\"PH\",14,14.35\r\n\x01\x02\"\xff\x00,,\r\n";
        QTest::newRow("binary bytes") << QByteArray(binary, sizeof binary - 1) << 1;
        QByteArray many = "\"d\"\r\n";
        for (int i = 0; i < 201; ++i)
            many += "\"20\",\"E\",\"CW\",14,14.1\r\n";
        QTest::newRow("201 rows") << many << 200;
    }
    void failures()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, rowsKept);
        const BandPlan plan = parseBandPlan(file);
        QVERIFY(!plan.ok);
        QCOMPARE(plan.rows.size(), rowsKept);
    }

    void fileLimits()
    {
        QTemporaryDir dir;
        QVERIFY(!readBandPlan(dir.path()).ok); // missing
        QFile file(dir.filePath(QStringLiteral("BANDPLAN.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\"d\"\r\n\"20\",\"O\",\"PH\",14,14.35\r\n");
        file.write(QByteArray(70 * 1024, 'x')); // a huge line
        file.close();
        const BandPlan plan = readBandPlan(dir.path());
        QVERIFY(!plan.ok);
        QVERIFY(plan.rows.isEmpty()); // not read at all
    }

    void effectiveDateForms_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QString>("date");
        QTest::newRow("text") << QByteArray("\"February 13, 2026\"") << QStringLiteral("February 13, 2026");
        QTest::newRow("date") << QByteArray("#2026-02-13#") << QStringLiteral("2026-02-13");
        QTest::newRow("number") << QByteArray("20260213") << QStringLiteral("20260213");
    }
    void effectiveDateForms()
    {
        QFETCH(QByteArray, first);
        QFETCH(QString, date);
        const BandPlan plan = parseBandPlan(first + "\r\n\"20\",\"O\",\"PH\",14,14.35\r\n");
        QVERIFY(plan.ok);
        QCOMPARE(plan.EffectiveDate, date);
        QCOMPARE(plan.rows.size(), 1);
    }

    void barsBoxesAndSegments()
    {
        // 20 m shown for E; 15 m has no E row and gets no bar; 40 m is shown through a later class row.
        const QList<BandPlanRow> plan = rows("\"20\",\"O\",\"PH\",14,14.35\r\n"
                                             "\"20\",\"E\",\"CW\",14,14.15\r\n"
                                             "\"20\",\"E\",\"PH\",14.15,14.35\r\n"
                                             "\"15\",\"O\",\"PH\",21,21.45\r\n"
                                             "\"15\",\"G\",\"CW\",21.025,21.2\r\n"
                                             "\"40\",\"O\",\"PH\",7,7.3\r\n"
                                             "\"40\",\"G\",\"CW\",7.025,7.125\r\n"
                                             "\"40\",\"E\",\"PH\",7.125,7.3\r\n"
                                             "\"20\",\"E\",\"CW\",14,14.35\r\n"); // after another band: drawn, not seen
        const PrivilegeDrawing d = DrawPrivileges(plan, QStringLiteral("E"), kWindow, kLine, 1.5);
        const QList<PrivilegeElement> bars = ofKind(d, PrivilegeElement::Kind::Bar);
        QCOMPARE(bars.size(), 2);
        QCOMPARE(bars[0].name, QStringLiteral("blbl1"));
        QCOMPARE(bars[1].caption, QStringLiteral("40"));
        const double spacing = 0.8 * (800 - kLine) / 2;
        QCOMPARE(bars[0].rect, QRectF(100, kLine + spacing, 850, 32));
        QCOMPARE(bars[1].rect.top(), kLine + 2 * spacing);
        QCOMPARE(bars[0].toolTip, QStringLiteral("20  14.000 - 14.350"));
        const QList<PrivilegeElement> boxes = ofKind(d, PrivilegeElement::Kind::Box);
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes[1].name, QStringLiteral("bnlb2"));
        QCOMPARE(boxes[1].rect, QRectF(40, bars[1].rect.top(), 50, 32));
        QCOMPARE(boxes[1].back, privilege::kYellow);
        QCOMPARE(boxes[1].fontSize, 12.0);
        QVERIFY(boxes[1].bold);
        const QList<PrivilegeElement> segments = ofKind(d, PrivilegeElement::Kind::Segment);
        QCOMPARE(segments.size(), 4);
        QCOMPARE(segments[0].name, QStringLiteral("priv1"));
        QCOMPARE(segments[0].toolTip, QStringLiteral("CW  14.000 - 14.150"));
        QCOMPARE(segments[0].back, privilege::kBlue);
        QCOMPARE(segments[0].fore, privilege::kWhite);
        QCOMPARE(segments[1].back, privilege::kGreen);
        QCOMPARE(segments[1].fontSize, 10.5);
        // The whole band: exactly the bar.
        QCOMPARE(segments[3].rect, bars[0].rect);
        QVERIFY(d.description().contains(QLatin1String("40: PH  7.125 - 7.300")));
    }

    void drawingsThatEndEarly()
    {
        // No band for the class: nothing at all.
        QVERIFY(DrawPrivileges(rows("\"20\",\"O\",\"PH\",14,14.35\r\n\"20\",\"G\",\"CW\",14,14.1\r\n"),
                               QStringLiteral("N"), kWindow, kLine, 1)
                    .elements.isEmpty());
        // A band whose edges are equal: its bar and box, no segment.
        const PrivilegeDrawing flat = DrawPrivileges(
            rows("\"20\",\"O\",\"PH\",14,14\r\n\"20\",\"E\",\"CW\",14,14\r\n"), QStringLiteral("E"), kWindow, kLine, 1);
        QCOMPARE(flat.elements.size(), 2);
        // Over 20 bands: the bars made so far stay, nothing more.
        QByteArray many;
        for (int i = 0; i < 21; ++i)
            many += QByteArray("\"b") + QByteArray::number(i) + "\",\"O\",\"PH\",1,2\r\n\"b" + QByteArray::number(i) +
                    "\",\"E\",\"CW\",1,2\r\n";
        const PrivilegeDrawing crowded = DrawPrivileges(rows(many.constData()), QStringLiteral("E"), kWindow, kLine, 1);
        QCOMPARE(crowded.elements.size(), 21);
        QCOMPARE(ofKind(crowded, PrivilegeElement::Kind::Bar).size(), 21);
    }

    void numbers()
    {
        QCOMPARE(privilegeNumber(1270), QStringLiteral("1,270.000"));
        QCOMPARE(privilegeNumber(double(1.8f)), QStringLiteral("1.800"));
        QCOMPARE(privilegeNumber(double(5.3515f)), QStringLiteral("5.352"));
        QCOMPARE(privilegeNumber(0.5), QStringLiteral(".500"));
    }
};

QTEST_APPLESS_MAIN(TestBandPlan)
#include "tst_bandplan.moc"
