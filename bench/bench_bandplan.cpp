// The privileges window's work when it opens: BandPlan.txt read and class "E" drawn as labels, beside the
// plain scale of reading the same file's bytes and making as many bare QLabels. Figures and how to run are
// in bench/README.md.

#include "support/FakePrompts.h"
#include "views/BandPlanFile.h"
#include "views/PrivilegeDrawing.h"
#include "views/ui/frmBandPlan.h"

#include <QFile>
#include <QLabel>
#include <QtTest>

using namespace velm;

namespace {

const QString kFolder = QStringLiteral(VELM_DATA_DIR);

} // namespace

class BenchBandPlan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plainReadAndLabels()
    {
        const int count = int(
            DrawPrivileges(readBandPlan(kFolder).rows, QStringLiteral("E"), QSizeF(1280, 960), 125, 1.5).elements.size());
        QWidget parent;
        QBENCHMARK {
            QFile file(kFolder + QStringLiteral("/BandPlan.txt"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY(!bytes.isEmpty());
            QList<QLabel*> labels;
            for (int i = 0; i < count; ++i) {
                auto* label = new QLabel(QStringLiteral("x"), &parent);
                label->show();
                labels << label;
            }
            qDeleteAll(labels);
        }
    }
    void readAndDrawExtra()
    {
        test::FakePrompts prompts;
        QBENCHMARK {
            frmBandPlan window(kFolder, prompts, QRect(0, 0, 1280, 960));
            QVERIFY(!window.elements().isEmpty());
        }
    }
    void switchToExtra()
    {
        test::FakePrompts prompts;
        frmBandPlan window(kFolder, prompts, QRect(0, 0, 1280, 960));
        QBENCHMARK {
            window.DrawPrivileges(QStringLiteral("E"));
        }
    }
    void drawingValueOnly()
    {
        const BandPlan plan = readBandPlan(kFolder);
        QBENCHMARK {
            const PrivilegeDrawing drawing = DrawPrivileges(plan.rows, QStringLiteral("E"), QSizeF(1280, 960), 125, 1.5);
            QVERIFY(!drawing.elements.isEmpty());
        }
    }
};

QTEST_MAIN(BenchBandPlan)
#include "bench_bandplan.moc"
