// Shared preferences file: the one tag line being set changes, every other byte of the file stays.
#include "log/FileIo.h"
#include "log/SharedPreferences.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {

const QByteArray HeaderLine = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<unreadable>");
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

} // namespace

class TestSharedPreferences : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void newFileIsHeaderLineAlone_data();
    void newFileIsHeaderLineAlone();
    void setPreference_data();
    void setPreference();
    void settingTwiceLeavesOneLine();
    void openAndSaveKeepsBytes_data();
    void openAndSaveKeepsBytes();
    void saveFlagDecidesWhenFileIsWritten();
    void saveFailureReachesCaller();
    void unreadableFileIsNotReplaced();

private:
    QString path() const { return m_dir.filePath(QStringLiteral("SharedUserPreferences.xml")); }

    QTemporaryDir m_dir;
};

void TestSharedPreferences::newFileIsHeaderLineAlone_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("missing file") << false;
    QTest::newRow("empty file") << true;
}

void TestSharedPreferences::newFileIsHeaderLineAlone()
{
    QFETCH(bool, fileExists);
    QFile::remove(path());
    if (fileExists)
        writeAll(path(), {});

    SharedPreferences prefs;
    prefs.OpenSharedPreferences(path());
    QCOMPARE(SharedPreferences::Header, HeaderLine);
    QCOMPARE(prefs.SharedPrefsText(), HeaderLine);
    QCOMPARE(prefs.SharedPrefsPath(), path());
    QCOMPARE(QFile::exists(path()), fileExists); // opening writes nothing

    QVERIFY(prefs.SaveSharedPreferences(path()).ok);
    QCOMPARE(readAll(path()), HeaderLine + "\r\n");
}

void TestSharedPreferences::setPreference_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("readBack");

    const QByteArray h = HeaderLine + "\r\n";
    QTest::newRow("appended in upper case")
        << h << "own_email"
        << "k1abc@example.net" << h + "<OWN_EMAIL>k1abc@example.net</OWN_EMAIL>\r\n"
        << "k1abc@example.net";
    QTest::newRow("mixed-case key upper-cased")
        << h << "OWN_ADDRESS_Line1"
        << "12 Elm St" << h + "<OWN_ADDRESS_LINE1>12 Elm St</OWN_ADDRESS_LINE1>\r\n"
        << "12 Elm St";
    QTest::newRow("existing tag replaced, neighbours kept")
        << h + "<OTHER>a</OTHER>\r\n<OWN_EMAIL>old@x.org</OWN_EMAIL>\r\n<LAST>z</LAST>\r\n"
        << "own_email"
        << "new@x.org" << h + "<OTHER>a</OTHER>\r\n<OWN_EMAIL>new@x.org</OWN_EMAIL>\r\n<LAST>z</LAST>\r\n"
        << "new@x.org";
    QTest::newRow("lower-case tag not found, second line appended")
        << h + "<own_email>old@x.org</own_email>\r\n"
        << "own_email"
        << "new@x.org" << h + "<own_email>old@x.org</own_email>\r\n<OWN_EMAIL>new@x.org</OWN_EMAIL>\r\n"
        << "new@x.org";
    QTest::newRow("longer key with same start untouched")
        << h + "<OWN_CALL_OLD>W1AW</OWN_CALL_OLD>\r\n"
        << "OWN_CALL"
        << "K1ABC" << h + "<OWN_CALL_OLD>W1AW</OWN_CALL_OLD>\r\n<OWN_CALL>K1ABC</OWN_CALL>\r\n"
        << "K1ABC";
    QTest::newRow("value emptied") << h + "<OWN_SPC>CT</OWN_SPC>\r\n"
                                   << "OWN_SPC"
                                   << "" << h + "<OWN_SPC></OWN_SPC>\r\n"
                                   << "";
    QTest::newRow("closing tag missing: rest of line replaced, next line kept")
        << h + "<OWN_EMAIL>broken\r\n<NOTE>see</OWN_EMAIL></NOTE>\r\n"
        << "OWN_EMAIL"
        << "a@b.c" << h + "<OWN_EMAIL>a@b.c</OWN_EMAIL>\r\n<NOTE>see</OWN_EMAIL></NOTE>\r\n"
        << "a@b.c";
    QTest::newRow("closing tag missing on last line without line break")
        << h + "<OWN_EMAIL>broken"
        << "OWN_EMAIL"
        << "a@b.c" << h + "<OWN_EMAIL>a@b.c</OWN_EMAIL>\r\n"
        << "a@b.c";
    QTest::newRow("bare LF lines of another program")
        << HeaderLine + "\n<A>1</A>\n<OWN_VELM>old</OWN_VELM>\n<B>2</B>\n"
        << "OWN_VELM"
        << "NEW" << HeaderLine + "\n<A>1</A>\n<OWN_VELM>NEW</OWN_VELM>\n<B>2</B>\r\n"
        << "NEW";
    QTest::newRow("line breaks in value become blanks")
        << h << "OWN_ADDRESS_NAME"
        << "Jo\r\nSmith\nJr\r" << h + "<OWN_ADDRESS_NAME>Jo  Smith Jr </OWN_ADDRESS_NAME>\r\n"
        << "Jo  Smith Jr ";
    QTest::newRow("value stored as UTF-8")
        << h << "OWN_ADDRESS_NAME" << QString::fromUtf8("J\u00fcrgen M\u00fcller")
        << h + "<OWN_ADDRESS_NAME>J\xc3\xbcrgen M\xc3\xbcller</OWN_ADDRESS_NAME>\r\n"
        << QString::fromUtf8("J\u00fcrgen M\u00fcller");
}

void TestSharedPreferences::setPreference()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QFETCH(QString, readBack);

    writeAll(path(), before);
    SharedPreferences prefs;
    prefs.OpenSharedPreferences(path());
    const SaveResult result = prefs.SetSharedPreference(key, value, 1);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(readAll(path()), after);
    QCOMPARE(prefs.value(key), readBack);

    // What was written reads back the same.
    SharedPreferences reopened;
    reopened.OpenSharedPreferences(path());
    QCOMPARE(reopened.value(key), readBack);
}

void TestSharedPreferences::settingTwiceLeavesOneLine()
{
    QFile::remove(path());
    SharedPreferences prefs;
    prefs.OpenSharedPreferences(path());
    QVERIFY(prefs.SetSharedPreference(QStringLiteral("OWN_CALL"), QStringLiteral("W1AW"), 0).ok);
    QVERIFY(prefs.SetSharedPreference(QStringLiteral("own_call"), QStringLiteral("K1ABC"), 0).ok);
    QVERIFY(prefs.SaveSharedPreferences(path()).ok);
    QCOMPARE(readAll(path()), HeaderLine + "\r\n<OWN_CALL>K1ABC</OWN_CALL>\r\n");
}

void TestSharedPreferences::openAndSaveKeepsBytes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("saved");

    const QByteArray lines = HeaderLine + "\r\n<OWN_CALL>K1ABC</OWN_CALL>\r\n<GENLOG_PORT>3</GENLOG_PORT>";
    QTest::newRow("other programs' lines") << lines + "\r\n" << lines + "\r\n";
    const QByteArray latin1 = lines + "\r\n<NAME>M\xfcller \xff\xfe\x80</NAME>\r\n";
    QTest::newRow("bytes that are not UTF-8") << latin1 << latin1;
    QTest::newRow("blank last line") << lines + "\r\n\r\n" << lines + "\r\n\r\n";
    QTest::newRow("bare LF ending") << lines + "\n" << lines + "\r\n";
    QTest::newRow("no final line break keeps last character") << lines << lines + "\r\n";
    QTest::newRow("no header") << QByteArray("<A>1</A>\r\n") << QByteArray("<A>1</A>\r\n");
}

void TestSharedPreferences::openAndSaveKeepsBytes()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, saved);

    writeAll(path(), content);
    SharedPreferences prefs;
    prefs.OpenSharedPreferences(path());
    QVERIFY(prefs.openError().isEmpty());
    QVERIFY(prefs.SaveSharedPreferences(path()).ok);
    QCOMPARE(readAll(path()), saved);
}

void TestSharedPreferences::saveFlagDecidesWhenFileIsWritten()
{
    const QByteArray before = HeaderLine + "\r\n<OWN_ADDRESS_NAME>Old</OWN_ADDRESS_NAME>\r\n";
    writeAll(path(), before);
    SharedPreferences prefs;
    prefs.OpenSharedPreferences(path());

    // The summary sheet sets four keys and saves once, on the last.
    QVERIFY(prefs.SetSharedPreference(QStringLiteral("OWN_ADDRESS_NAME"), QStringLiteral("Ann"), 0).ok);
    QVERIFY(prefs.SetSharedPreference(QStringLiteral("OWN_ADDRESS_Line1"), QStringLiteral("1 Main"), 0).ok);
    QVERIFY(prefs.SetSharedPreference(QStringLiteral("OWN_ADDRESS_Line2"), QStringLiteral("Town"), 0).ok);
    QCOMPARE(readAll(path()), before);
    QVERIFY(prefs.SetSharedPreference(QStringLiteral("OWN_EMAIL"), QStringLiteral("ann@x.org"), 1).ok);
    QCOMPARE(readAll(path()), HeaderLine + "\r\n<OWN_ADDRESS_NAME>Ann</OWN_ADDRESS_NAME>"
                                           "\r\n<OWN_ADDRESS_LINE1>1 Main</OWN_ADDRESS_LINE1>"
                                           "\r\n<OWN_ADDRESS_LINE2>Town</OWN_ADDRESS_LINE2>"
                                           "\r\n<OWN_EMAIL>ann@x.org</OWN_EMAIL>\r\n");
}

void TestSharedPreferences::saveFailureReachesCaller()
{
    const QString unreachable = m_dir.filePath(QStringLiteral("no such folder/SharedUserPreferences.xml"));
    SharedPreferences prefs;
    prefs.OpenSharedPreferences(unreachable);
    const SaveResult result =
        prefs.SetSharedPreference(QStringLiteral("OWN_CALL"), QStringLiteral("K1ABC"), 1);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(QDir::toNativeSeparators(unreachable)), qPrintable(result.error));
    QVERIFY(result.error.size() > QDir::toNativeSeparators(unreachable).size() + 2); // and a reason
    // The value is kept in memory for a later save elsewhere.
    QCOMPARE(prefs.value(QStringLiteral("OWN_CALL")), QStringLiteral("K1ABC"));
}

void TestSharedPreferences::unreadableFileIsNotReplaced()
{
    const QByteArray others = HeaderLine + "\r\n<OTHER_PROGRAM>keep me</OTHER_PROGRAM>\r\n";
    writeAll(path(), others);
    QFile::setPermissions(path(), QFileDevice::WriteOwner);
    QFile probe(path());
    if (probe.open(QIODevice::ReadOnly)) {
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QSKIP("file permissions do not stop this user (root) from reading");
    }

    SharedPreferences prefs;
    prefs.OpenSharedPreferences(path());
    QVERIFY(!prefs.openError().isEmpty());
    const SaveResult result =
        prefs.SetSharedPreference(QStringLiteral("OWN_CALL"), QStringLiteral("K1ABC"), 1);
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(!result.ok);
    QCOMPARE(readAll(path()), others);
}

QTEST_GUILESS_MAIN(TestSharedPreferences)
#include "tst_sharedpreferences.moc"
