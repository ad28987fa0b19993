// User folder tree and call-sign file stems, on real folders inside a temporary directory.
#include "log/CallFileStem.h"
#include "log/SharedPreferences.h"
#include "log/UserFolderSetup.h"
#include "support/FakePrompts.h"
#include "support/FakeUserFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;
using velm::test::FakePrompts;
using velm::test::FakeUserFolders;

namespace {

const QString CreateTitle = QStringLiteral("Unable to create directory.");

// The names directly inside folder, sorted: shows twins that differ only in case.
QStringList entriesOf(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

void makeFile(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// A creation failure is shown as "<reason>  <path>".
QString reportTail(const QString& path)
{
    return QStringLiteral("  ") + QDir::toNativeSeparators(path);
}

QStringList titlesOf(const FakePrompts& prompts)
{
    QStringList titles;
    for (const auto& shown : prompts.messages)
        titles << shown.title;
    return titles;
}

} // namespace

class TestUserFolders : public QObject {
    Q_OBJECT

private slots:
    void init();

    void callFileStem_data();
    void callFileStem();

    void startUpCreatesTreeUnderDocuments();
    void startUpReusesExistingTree();
    void startUpReusesFoldersSpelledDifferently();
    void profileDocumentsBase_data();
    void profileDocumentsBase();
    void noDocumentsFolderKnown();
    void unlistableProfileReported();
    void everyStepRunsAfterFailure();
    void ensureFolder_data();
    void ensureFolder();

private:
    QString root() const { return m_dir->path(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeUserFolders m_folders;
    FakePrompts m_prompts;
};

void TestUserFolders::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folders = FakeUserFolders();
    m_folders.documents = root() + QStringLiteral("/home/Documents");
    QVERIFY(QDir(root()).mkdir(QStringLiteral("home")));
    m_prompts.messages.clear();
}

void TestUserFolders::callFileStem_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("stem");
    QTest::newRow("portable suffix") << "K1ABC/P" << "K1ABC";
    QTest::newRow("plain call") << "W1AW" << "W1AW";
    QTest::newRow("prefix before slash") << "VE3/K1ABC" << "VE3";
    QTest::newRow("blank ends it") << "K1ABC QRP" << "K1ABC";
    QTest::newRow("lower-case letter ends it") << "K1aBC" << "K1";
    QTest::newRow("lower-case call") << "k1abc" << "YourCall";
    QTest::newRow("empty call") << "" << "YourCall";
    QTest::newRow("leading slash") << "/P" << "YourCall";
    QTest::newRow("non-ASCII letter ends it") << QString::fromUtf8("DL\u00c41") << "DL";
    QTest::newRow("full-width digit ends it") << QString::fromUtf8("K\uff11ABC") << "K";
}

void TestUserFolders::callFileStem()
{
    QFETCH(QString, call);
    QFETCH(QString, stem);
    QCOMPARE(CallFileStem(call), stem);
}

void TestUserFolders::startUpCreatesTreeUnderDocuments()
{
    SharedPreferences prefs;
    const UserFolderPaths paths = prepareUserFolders(m_folders, m_prompts, prefs);

    const QString documents = root() + QStringLiteral("/home/Documents");
    const QString orvane = documents + QStringLiteral("/Orvane Software");
    QCOMPARE(titlesOf(m_prompts), QStringList());
    QCOMPARE(paths.DocumentsBase, documents);
    QCOMPARE(paths.SharedFolder, orvane + QStringLiteral("/Shared"));
    QCOMPARE(paths.UserDataFolder, orvane + QStringLiteral("/QRP VELM"));
    QCOMPARE(entriesOf(orvane), QStringList({QStringLiteral("QRP VELM"), QStringLiteral("Shared")}));
    QCOMPARE(entriesOf(paths.UserDataFolder), QStringList(QStringLiteral("BACKUP")));
    QVERIFY(QFileInfo(paths.UserDataFolder + QStringLiteral("/BACKUP")).isDir());

    // The preferences file is opened there but not written until the first save.
    QCOMPARE(prefs.SharedPrefsPath(), paths.SharedFolder + QStringLiteral("/SharedUserPreferences.xml"));
    QCOMPARE(prefs.SharedPrefsText(), SharedPreferences::Header);
    QCOMPARE(entriesOf(paths.SharedFolder), QStringList());
}

void TestUserFolders::startUpReusesExistingTree()
{
    const QString shared = root() + QStringLiteral("/home/Documents/Orvane Software/Shared");
    QVERIFY(QDir().mkpath(shared));
    QFile file(shared + QStringLiteral("/SharedUserPreferences.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(SharedPreferences::Header + "\r\n<OWN_CALL>K1ABC</OWN_CALL>\r\n");
    file.close();

    SharedPreferences prefs;
    const UserFolderPaths first = prepareUserFolders(m_folders, m_prompts, prefs);
    QCOMPARE(prefs.value(QStringLiteral("OWN_CALL")), QStringLiteral("K1ABC"));
    const UserFolderPaths second = prepareUserFolders(m_folders, m_prompts, prefs);
    QCOMPARE(titlesOf(m_prompts), QStringList());
    QCOMPARE(second.SharedFolder, first.SharedFolder);
    QCOMPARE(second.UserDataFolder, first.UserDataFolder);
    QCOMPARE(entriesOf(root() + QStringLiteral("/home/Documents/Orvane Software")),
             QStringList({QStringLiteral("QRP VELM"), QStringLiteral("Shared")}));
}

void TestUserFolders::startUpReusesFoldersSpelledDifferently()
{
    // Left by a program on a case-blind file system, or copied over from one.
    const QString orvane = root() + QStringLiteral("/home/documents/orvane software");
    QVERIFY(QDir().mkpath(orvane + QStringLiteral("/shared")));
    QVERIFY(QDir().mkpath(orvane + QStringLiteral("/qrp velm/backup")));
    m_folders.documents = root() + QStringLiteral("/home/Documents");
    const QString prefsFile = orvane + QStringLiteral("/shared/sharedUserPreferences.XML");
    QFile file(prefsFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(SharedPreferences::Header + "\r\n<OWN_CALL>W1AW</OWN_CALL>\r\n");
    file.close();

    SharedPreferences prefs;
    const UserFolderPaths paths = prepareUserFolders(m_folders, m_prompts, prefs);
    QCOMPARE(titlesOf(m_prompts), QStringList());
    QCOMPARE(entriesOf(root() + QStringLiteral("/home")), QStringList(QStringLiteral("documents")));
    QCOMPARE(entriesOf(orvane), QStringList({QStringLiteral("qrp velm"), QStringLiteral("shared")}));
    QCOMPARE(entriesOf(orvane + QStringLiteral("/qrp velm")), QStringList(QStringLiteral("backup")));
    QCOMPARE(paths.DocumentsBase, root() + QStringLiteral("/home/documents"));
    QCOMPARE(paths.SharedFolder, orvane + QStringLiteral("/shared"));
    QCOMPARE(paths.UserDataFolder, orvane + QStringLiteral("/qrp velm"));
    QCOMPARE(prefs.SharedPrefsPath(), prefsFile);
    QCOMPARE(prefs.value(QStringLiteral("OWN_CALL")), QStringLiteral("W1AW"));
}

void TestUserFolders::profileDocumentsBase_data()
{
    // Folders and files made inside the profile folder first; the documents base expected below the
    // temporary folder; what the profile folder holds afterwards.
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("withAppData");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("profileAfter");

    QTest::newRow("My Documents created") << QStringList() << QStringList() << true
                                          << "/profile/My Documents" << QStringList{"My Documents"};
    QTest::newRow("My Documents preferred over Documents")
        << QStringList{"Documents", "My Documents"} << QStringList() << true << "/profile/My Documents"
        << QStringList{"Documents", "My Documents"};
    QTest::newRow("differently cased My Documents reused")
        << QStringList{"my documents"} << QStringList() << true << "/profile/my documents"
        << QStringList{"my documents"};
    QTest::newRow("My Documents blocked by a file: Documents")
        << QStringList{"Documents"} << QStringList{"My Documents"} << true << "/profile/Documents"
        << QStringList{"Documents", "My Documents"};
    QTest::newRow("differently cased Documents")
        << QStringList{"DOCUMENTS"} << QStringList{"My Documents"} << true << "/profile/DOCUMENTS"
        << QStringList{"DOCUMENTS", "My Documents"};
    QTest::newRow("neither: application data folder")
        << QStringList() << QStringList{"My Documents"} << true << "/appdata" << QStringList{"My Documents"};
    QTest::newRow("neither and no application data: profile itself")
        << QStringList() << QStringList{"My Documents"} << false << "/profile"
        << QStringList{"My Documents", "Orvane Software"};
}

void TestUserFolders::profileDocumentsBase()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(bool, withAppData);
    QFETCH(QString, base);
    QFETCH(QStringList, profileAfter);

    const QString profile = root() + QStringLiteral("/profile");
    QVERIFY(QDir().mkpath(profile));
    QVERIFY(QDir().mkpath(root() + QStringLiteral("/appdata")));
    for (const QString& name : folders)
        QVERIFY(QDir(profile).mkdir(name));
    for (const QString& name : files)
        makeFile(profile + u'/' + name);
    m_folders.env.insert(QStringLiteral("USERPROFILE"), profile);
    if (withAppData)
        m_folders.env.insert(QStringLiteral("APPDATA"), root() + QStringLiteral("/appdata"));

    UserFolderSetup setup(m_folders, m_prompts);
    const QString product =
        setup.ResolveUserFolder(QStringLiteral("/Orvane Software"), QStringLiteral("/Shared"));
    QCOMPARE(titlesOf(m_prompts), QStringList()); // a failed My Documents is silent
    QCOMPARE(setup.documentsBase(), root() + base);
    QCOMPARE(product, root() + base + QStringLiteral("/Orvane Software"));
    QVERIFY(QFileInfo(product + QStringLiteral("/Shared")).isDir());
    QCOMPARE(entriesOf(profile), profileAfter);
}

void TestUserFolders::noDocumentsFolderKnown()
{
    m_folders.documents.clear();
    UserFolderSetup setup(m_folders, m_prompts);
    setup.ResolveUserFolder(QStringLiteral("/Orvane Software"), QStringLiteral("/Shared"));
    QCOMPARE(titlesOf(m_prompts), QStringList(QStringLiteral("User Access Directory Error")));
    QCOMPARE(setup.documentsBase(), QString());
}

void TestUserFolders::unlistableProfileReported()
{
    const QString profile = root() + QStringLiteral("/profile");
    QVERIFY(QDir().mkpath(profile));
    QVERIFY(QDir().mkpath(root() + QStringLiteral("/appdata")));
    const auto ownerAll = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    QFile::setPermissions(profile, QFileDevice::ExeOwner);
    if (!QDir(profile).entryList().isEmpty() || QDir(profile).isReadable()) {
        QFile::setPermissions(profile, ownerAll);
        QSKIP("file permissions do not stop this user (root) from listing");
    }
    m_folders.env.insert(QStringLiteral("USERPROFILE"), profile);
    m_folders.env.insert(QStringLiteral("APPDATA"), root() + QStringLiteral("/appdata"));

    UserFolderSetup setup(m_folders, m_prompts);
    setup.ResolveUserFolder(QStringLiteral("/Orvane Software"), QStringLiteral("/Shared"));
    QFile::setPermissions(profile, ownerAll);
    // Neither "My Documents" nor "Documents" can be looked for: both are reported, and the search goes on.
    const QString accessTitle = QStringLiteral("User Access Directory Error");
    QCOMPARE(titlesOf(m_prompts), QStringList({accessTitle, accessTitle}));
    QCOMPARE(setup.documentsBase(), root() + QStringLiteral("/appdata"));
    QVERIFY(QFileInfo(root() + QStringLiteral("/appdata/Orvane Software/Shared")).isDir());
}

void TestUserFolders::everyStepRunsAfterFailure()
{
    // The documents folder cannot be made (its parent is missing): each later step still runs and reports.
    const QString documents = root() + QStringLiteral("/gone/Documents");
    m_folders.documents = documents;
    UserFolderSetup setup(m_folders, m_prompts);
    const QString product =
        setup.ResolveUserFolder(QStringLiteral("/Orvane Software"), QStringLiteral("/Shared"));
    QCOMPARE(product, documents + QStringLiteral("/Orvane Software"));
    QCOMPARE(titlesOf(m_prompts), QStringList({CreateTitle, CreateTitle, CreateTitle}));
    QVERIFY(m_prompts.messages.at(0).text.endsWith(reportTail(documents)));
    const QString sharedTail = QDir::toNativeSeparators(QStringLiteral("/Orvane Software/Shared"));
    QVERIFY(m_prompts.messages.at(2).text.endsWith(sharedTail));
    QVERIFY(!QFileInfo::exists(root() + QStringLiteral("/gone")));
}

void TestUserFolders::ensureFolder_data()
{
    // path is relative to the temporary folder, which holds the folder "Existing" and the file "Taken".
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("reportFlag");
    QTest::addColumn<bool>("created");
    QTest::addColumn<QString>("messageTitle"); // empty when nothing is shown
    QTest::addColumn<QStringList>("rootAfter");

    const QStringList untouched{"Existing", "Taken"};
    QTest::newRow("new folder") << "/New" << 1 << true << "" << QStringList{"Existing", "New", "Taken"};
    QTest::newRow("existing folder") << "/Existing" << 1 << true << "" << untouched;
    QTest::newRow("existing folder, other case") << "/EXISTING" << 1 << true << "" << untouched;
    QTest::newRow("trailing slash") << "/Existing/" << 1 << true << "" << untouched;
    QTest::newRow("parent missing, reported") << "/Missing/New" << 1 << false << CreateTitle << untouched;
    QTest::newRow("parent missing, silent") << "/Missing/New" << 0 << false << "" << untouched;
    QTest::newRow("file in the way, reported") << "/Taken" << 1 << false << CreateTitle << untouched;
    QTest::newRow("file in the way, other case, silent") << "/TAKEN" << 0 << false << "" << untouched;
    QTest::newRow("empty path") << "" << 0 << false << "Unable to Create Directory" << untouched;
}

void TestUserFolders::ensureFolder()
{
    QFETCH(QString, path);
    QFETCH(int, reportFlag);
    QFETCH(bool, created);
    QFETCH(QString, messageTitle);
    QFETCH(QStringList, rootAfter);

    QVERIFY(QDir(root()).mkdir(QStringLiteral("Existing")));
    makeFile(root() + QStringLiteral("/Taken"));
    QVERIFY(QDir(root()).rmdir(QStringLiteral("home")));
    const QString full = path.isEmpty() ? QString() : root() + path;

    UserFolderSetup setup(m_folders, m_prompts);
    QCOMPARE(setup.EnsureFolder(full, reportFlag), created);
    QCOMPARE(entriesOf(root()), rootAfter);
    QCOMPARE(titlesOf(m_prompts), messageTitle.isEmpty() ? QStringList() : QStringList(messageTitle));
    if (path.isEmpty())
        QCOMPARE(m_prompts.messages.at(0).text, QStringLiteral("Invalid Path"));
    else if (!messageTitle.isEmpty())
        QVERIFY2(m_prompts.messages.at(0).text.endsWith(reportTail(full)),
                 qPrintable(m_prompts.messages.at(0).text));
}

QTEST_GUILESS_MAIN(TestUserFolders)
#include "tst_userfolders.moc"
