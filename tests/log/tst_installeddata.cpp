// The installed logger's data: finding the shipped folder from the executable, seeding a working folder
// without touching the operator's files, and the data versions and licences the About window shows.

#include "log/AboutText.h"
#include "log/WorkingFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velm;

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestInstalledData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theDataFolderIsFoundBesideTheExecutableUnderAnyRoot()
    {
        QTemporaryDir root;
        const QString prefix = root.filePath(QStringLiteral("unpacked/usr"));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
        // No share/velmlog yet: a build tree, not an installation.
        QVERIFY(!installedDataFolder(prefix + QStringLiteral("/bin")));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/share/velmlog")));
        QCOMPARE(installedDataFolder(prefix + QStringLiteral("/bin")),
                 prefix + QStringLiteral("/share/velmlog"));
        // A folder that is not bin/ never counts, even with a share/velmlog beside it.
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/lib")));
        QVERIFY(!installedDataFolder(prefix + QStringLiteral("/lib")));

        QCOMPARE(installedWorkingFolder(QString(), QStringLiteral("/home/op")),
                 QStringLiteral("/home/op/velmlog"));
        QCOMPARE(installedWorkingFolder(QStringLiteral("/srv/sprint/"), QStringLiteral("/home/op")),
                 QStringLiteral("/srv/sprint"));
    }

    void seedingCopiesWhatIsMissingAndNeverWritesOver()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("share/velmlog"));
        write(data + QStringLiteral("/arrlpre2.txt"), "\"K\",\"USA\",\"NA\",91,37\r\n");
        write(data + QStringLiteral("/qrppref.txt"), "shipped settings");
        write(data + QStringLiteral("/log.txt"), QByteArray());
        write(data + QStringLiteral("/README.md"), "notes for the tree");
        write(data + QStringLiteral("/voice/cq.wav"), "RIFF");
        const QString work = dir.filePath(QStringLiteral("home/op/velmlog")); // created by the seeding
        write(dir.filePath(QStringLiteral("home/op/velmlog/QRPPREF.TXT")), "the operator's settings");

        SeedResult first = seedWorkingFolder(data, work);
        QVERIFY(first.ok());
        QCOMPARE(first.copied, QStringList({QStringLiteral("arrlpre2.txt"), QStringLiteral("log.txt")}));
        QCOMPARE(read(work + QStringLiteral("/arrlpre2.txt")), QByteArray("\"K\",\"USA\",\"NA\",91,37\r\n"));
        QCOMPARE(read(work + QStringLiteral("/QRPPREF.TXT")), QByteArray("the operator's settings"));
        QVERIFY(!QFileInfo::exists(work + QStringLiteral("/qrppref.txt")) ||
                read(work + QStringLiteral("/qrppref.txt")) ==
                    "the operator's settings"); // a case-folding disk
        QVERIFY(!QFileInfo::exists(work + QStringLiteral("/README.md")));

        // A contest later: the log has contacts; a second start copies nothing and changes nothing.
        write(work + QStringLiteral("/log.txt"), "\"K1ABC\",\"599\"\r\n");
        const SeedResult again = seedWorkingFolder(data, work);
        QVERIFY(again.ok());
        QVERIFY(again.copied.isEmpty());
        QCOMPARE(read(work + QStringLiteral("/log.txt")), QByteArray("\"K1ABC\",\"599\"\r\n"));
    }

    void aWorkingFolderThatCannotBeMadeIsAFailureThatSaysWhere()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        write(data + QStringLiteral("/log.txt"), QByteArray());
        write(dir.filePath(QStringLiteral("occupied")), "a file, not a folder");
        const SeedResult result = seedWorkingFolder(data, dir.filePath(QStringLiteral("occupied/velmlog")));
        QVERIFY(!result.ok());
        QVERIFY(result.copied.isEmpty());
        QVERIFY2(result.failures.join(QString()).contains(QStringLiteral("occupied")),
                 qPrintable(result.failures.join(QString())));
    }

    void theBandPlanDateIsItsFirstItem_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("problem");
        QTest::newRow("quoted") << QByteArray("\"2025/01/15\"\r\n\"160\",\"O\",\"CW\",1.8,2\r\n")
                                << QStringLiteral("2025/01/15") << QString();
        QTest::newRow("bare, with more on its line")
            << QByteArray("20230301,\"x\"\r\n") << QStringLiteral("20230301") << QString();
        QTest::newRow("after blank lines")
            << QByteArray("\r\n  \r\n\"March 2024\"\r\n") << QStringLiteral("March 2024") << QString();
        QTest::newRow("empty file") << QByteArray() << QString() << QStringLiteral("no effective date");
        QTest::newRow("broken first line")
            << QByteArray("\"2025/01/15\r\n") << QString() << QStringLiteral("no effective date");
        QTest::newRow("missing") << QByteArray("<none>") << QString()
                                 << QStringLiteral("is not in the program folder");
    }

    void theBandPlanDateIsItsFirstItem()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, date);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        if (file != "<none>")
            write(dir.filePath(QStringLiteral("bandplan.TXT")), file); // found in any letter case
        const DataVersions versions = readDataVersions(ProgramFolder(dir.path()));
        QCOMPARE(versions.countryFile, QStringLiteral("2023-05-02"));
        QCOMPARE(versions.bandPlan, date);
        if (problem.isEmpty())
            QVERIFY(versions.bandPlanProblem.isEmpty());
        else
            QVERIFY2(versions.bandPlanProblem.contains(problem), qPrintable(versions.bandPlanProblem));
    }

    void theAboutTextNamesEveryLicenceAndVersion()
    {
        const QString text =
            aboutText(DataVersions{QStringLiteral("2023-05-02"), QStringLiteral("2025/01/15"), {}},
                      QStringLiteral("2.4"), QStringLiteral("6.4.2"));
        for (const char* part :
             {"velmlog 2.4", "release 2023-05-02", "effective 2025/01/15", "GNU General Public License",
              "Qt toolkit, version 6.4.2", "LGPL-3.0", "Jim Reisert AD1C", "Permission is hereby granted",
              "WITHOUT WARRANTY OF ANY KIND"})
            QVERIFY2(text.contains(QString::fromUtf8(part)), part);
        // The versions come before the long licence texts, so a screen reader reaches them first.
        QVERIFY(text.indexOf(QStringLiteral("effective")) <
                text.indexOf(QStringLiteral("Licence of velmlog")));

        const QString noPlan = aboutText(DataVersions{QStringLiteral("2023-05-02"),
                                                      {},
                                                      QStringLiteral("BandPlan.txt is "
                                                                     "not in the program folder /x")},
                                         QStringLiteral("2.4"), QStringLiteral("6.4.2"));
        QVERIFY(noPlan.contains(
            QStringLiteral("Band plan: none read, BandPlan.txt is not in the program folder /x")));
    }
};

QTEST_GUILESS_MAIN(TestInstalledData)
#include "tst_installeddata.moc"
