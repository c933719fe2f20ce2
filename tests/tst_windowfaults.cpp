#include "document/sizelimits.h"
#include "platform/codecs/displaytext.h"
#include "ui/applicationsetup.h"
#include "faketoolrun.h"
#include "formundertest.h"
#include "rootoverride.h"
#include "testlines.h"
#include "testpage.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>

#include <optional>
#include <sys/stat.h>

using namespace vorelind;

namespace {

// Gives a file or folder a mode while it lives, and its own mode back after.
class ModeChange {
public:
    ModeChange(const QString& path, mode_t mode)
        : m_path(QFile::encodeName(path))
    {
        struct stat info {};
        if (::stat(m_path.constData(), &info) != 0)
            qFatal("no file %s", m_path.constData());
        m_saved = info.st_mode & 07777;
        if (::chmod(m_path.constData(), mode) != 0)
            qFatal("cannot change the mode of %s", m_path.constData());
    }
    ~ModeChange() { ::chmod(m_path.constData(), m_saved); }
    ModeChange(const ModeChange&) = delete;
    ModeChange& operator=(const ModeChange&) = delete;

private:
    QByteArray m_path;
    mode_t m_saved = 0;
};

// The system's text as the error box shows it: the program takes it as Shift-JIS.
QString systemMessage(int error)
{
    return toDisplayText(errorBoxText(strerror(error)));
}

// The texts of the message boxes answered since the last call.
QStringList answeredTexts()
{
    QStringList texts;
    for (const AnsweredMessage& message : ModalSeam::takeAnsweredMessages())
        texts << message.text;
    return texts;
}

// One run of the program that stores these settings at its exit. Its
// first start's message about the missing list file is passed over.
void storeSettings(const WindowTestFolders& folders, const std::string& mask, bool converts)
{
    {
        TStructedHtmlForm form(folders.executablePath());
        control<FileListBox>(form, "FileListBox1")->setMask(mask);
        control<QCheckBox>(form, "isShiftJis")->setChecked(converts);
    }
    ModalSeam::takeAnsweredMessages();
}

} // namespace

class TestWindowFaults : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void failedWalkKeepsThePreviousTree_data();
    void failedWalkKeepsThePreviousTree();
    void fileChangedAfterTheCheckIsLoadedAsChecked_data();
    void fileChangedAfterTheCheckIsLoadedAsChecked();
    void readOnlyProgramFolder_data();
    void readOnlyProgramFolder();
    void faultySettingsStoreIsReportedAndKept_data();
    void faultySettingsStoreIsReportedAndKept();
    void lineAnalysisAfterAFailedStartUpKeepsToTheProgramFolder();
    void lastCopyToExitWins_data();
    void lastCopyToExitWins();
};

void TestWindowFaults::initTestCase()
{
    setUpApplication();
    ModalSeam::answerForTests();
}

// Each test starts with no message left over from an earlier one's exit.
void TestWindowFaults::init()
{
    ModalSeam::takeAnsweredMessages();
}

void TestWindowFaults::failedWalkKeepsThePreviousTree_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("message");

    const QByteArray tags("<a>b</a>");
    // Every start tag nests one deeper: the listing grows with the square
    // of the source and passes its budget long before the end.
    const QByteArray bomb = QByteArray("<a>").repeated(12000);
    // The window speaks Japanese, the system's texts in its boxes too.
    QTest::newRow("run log: a folder in its place") << QString("log is a folder") << tags << QString("ディレクトリです.");
    QTest::newRow("run log: a named pipe in its place, which would hold the window")
        << QString("log is a pipe") << tags << systemMessage(EPERM);
    QTest::newRow("run log: a link to a file elsewhere") << QString("log is a link") << tags << systemMessage(EPERM);
    QTest::newRow("run log: browsed folder read-only")
        << QString("folder read-only") << tags << systemMessage(EACCES);
    QTest::newRow("nesting bomb: listing over its budget")
        << QString() << bomb << toDisplayText(errorBoxText(listingTooLargeMessage(listingBudget(bomb.size()))));
}

void TestWindowFaults::failedWalkKeepsThePreviousTree()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, source);
    QFETCH(QString, message);
    WindowUnderTest window;
    window.openDocument(QStringLiteral("page.htm"), kPage);
    const QString log = window.folders.document(QStringLiteral("runlog.log"));
    writeFile(window.folders.document(QStringLiteral("next.htm")), source.toStdString());
    std::optional<ModeChange> readOnly;
    if (!fault.isEmpty())
        QVERIFY(QFile::remove(log));
    if (fault == "log is a folder")
        QVERIFY(QDir().mkdir(log));
    else if (fault == "log is a pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(log).constData(), 0600), 0);
    else if (fault == "log is a link")
        QVERIFY(QFile::link(window.folders.document(QStringLiteral("elsewhere.log")), log));
    else if (fault == "folder read-only")
        readOnly.emplace(window.folders.documents(), 0555);
    const WithoutRootOverride asUser;
    if (readOnly && !asUser.modesBind())
        QSKIP("file modes can't be made to bind this process");

    window.doubleClick(QStringLiteral("next.htm"));

    const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).caption, QStringLiteral("Vorelind"));
    QCOMPARE(messages.at(0).text, message);
    // The source is loaded and titled, the listing stays empty, the tree
    // keeps the previous document and the source tab stays in front.
    // The sources here have no line breaks; a long one goes on over rows.
    QCOMPARE(window.source().join(QString()), QString::fromLatin1(source));
    QCOMPARE(window.tabCaptions().at(2), QStringLiteral("「next.htm」　オリジナル"));
    QCOMPARE(window.listing(), QStringList());
    QCOMPARE(window.tree(), kPageTree);
    QCOMPARE(window.currentTab(), QStringLiteral("TabOriginal"));
}

void TestWindowFaults::fileChangedAfterTheCheckIsLoadedAsChecked_data()
{
    QTest::addColumn<bool>("deleted");
    QTest::newRow("deleted") << true;
    QTest::newRow("made unreadable") << false;
}

void TestWindowFaults::fileChangedAfterTheCheckIsLoadedAsChecked()
{
    QFETCH(bool, deleted);
    WindowUnderTest window;
    window.openDocument(QStringLiteral("page.htm"), kPage);
    const QString next = window.folders.document(QStringLiteral("next.htm"));
    writeFile(next, "<a>b</a>");
    std::optional<ModeChange> unreadable;
    const WithoutRootOverride asUser;
    if (!deleted && !asUser.modesBind())
        QSKIP("file modes can't be made to bind this process");
    // The listing is cleared after the check has passed and before the rest is read.
    QObject::connect(
        control<LineListView>(window.form, "ShowResultList")->model(), &QAbstractItemModel::modelReset, this,
        [&] {
            if (deleted)
                QFile::remove(next);
            else
                unreadable.emplace(next, 0);
        },
        Qt::SingleShotConnection);

    window.doubleClick(QStringLiteral("next.htm"));

    // The file was opened for the check and is read on from there, so the
    // change at its path comes too late to matter.
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
    QCOMPARE(bytes(window.form.documentTitle()), bytes("\x81\x75next.htm\x81\x76"));
    QCOMPARE(window.source(), WindowUnderTest::pageRows("<a>b</a>"));
    QCOMPARE(window.tree(), (QStringList{"<a>b", "</a>"}));
}

void TestWindowFaults::readOnlyProgramFolder_data()
{
    QTest::addColumn<QByteArray>("listFile"); // null: no file
    QTest::addColumn<int>("fileMode");        // -1: as written
    QTest::addColumn<bool>("usersFolder");    // false: the user's data folder can't be made either
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QByteArray>("usersList"); // after the exit; null: none

    const QByteArray list("BR\r\nTD\r\n");
    const QString cannotOpen = QStringLiteral("ファイル %1 は開けません.");
    const QString cannotCreate = QStringLiteral("ファイル %1 を作成できません.");
    const QString notSaved = QStringLiteral("起動時にファイル %1 を読み込めなかったため、除外タグの一覧はこの実行中には"
                                            "保存されません。元の一覧を読み込めないまま置き換えないためです。");
    // An installed list is read-only; the user's copy must still take edits.
    QTest::newRow("list: the program's starts the user's")
        << list << 0444 << true << QString("add HR") << QStringList{"BR", "HR", "TD"} << QStringList()
        << QByteArray("BR\r\nHR\r\nTD\r\n");
    QTest::newRow("first start: no list anywhere") << QByteArray() << -1 << true << QString() << QStringList()
                                                   << QStringList{cannotOpen} << QByteArray("");
    QTest::newRow("work file: in the user's folder") << list << 0444 << true << QString("line analysis")
                                                     << QStringList{"BR", "TD"} << QStringList() << list;
    // Without a folder of the user's the program's own is used, and its faults are reported.
    QTest::newRow("no user's folder: exit after a deletion")
        << list << -1 << false << QString("delete") << QStringList{"TD"} << QStringList{cannotCreate} << QByteArray();
    QTest::newRow("no user's folder: exit after a deletion, the file read-only too")
        << list << 0444 << false << QString("delete") << QStringList{"TD"} << QStringList{cannotCreate}
        << QByteArray();
    QTest::newRow("no user's folder: an addition typed key by key: one error box, then the exit's")
        << list << -1 << false << QString("add HR") << QStringList{"BR", "HR", "TD"}
        << QStringList{cannotCreate, cannotCreate} << QByteArray();
    QTest::newRow("no user's folder: list file unreadable: the first addition tells why the list is not saved")
        << list << 0 << false << QString("add HR") << QStringList{"HR"}
        << QStringList{cannotOpen, cannotCreate, notSaved, cannotCreate} << QByteArray();
    QTest::newRow("no user's folder: first start") << QByteArray() << -1 << false << QString() << QStringList()
                                                   << QStringList{cannotOpen, cannotCreate} << QByteArray();
}

void TestWindowFaults::readOnlyProgramFolder()
{
    QFETCH(QByteArray, listFile);
    QFETCH(int, fileMode);
    QFETCH(bool, usersFolder);
    QFETCH(QString, action);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, messages);
    QFETCH(QByteArray, usersList);
    WindowTestFolders folders;
    const QString listPath = folders.programFile(QStringLiteral("ignore.trm"));
    const QString usersListPath = folders.userDataFile(QStringLiteral("ignore.trm"));
    if (!listFile.isNull())
        writeFile(listPath, listFile.toStdString());
    std::optional<ModeChange> fileModeChange;
    if (fileMode >= 0)
        fileModeChange.emplace(listPath, static_cast<mode_t>(fileMode));
    const ModeChange readOnlyFolder(folders.programFolder(), 0555);
    std::optional<ModeChange> readOnlyDataHome;
    if (!usersFolder)
        readOnlyDataHome.emplace(folders.userDataHome(), 0555);
    const WithoutRootOverride asUser;
    if (!asUser.modesBind())
        QSKIP("file modes can't be made to bind this process");
    const FakeToolRun tool;

    QStringList shown;
    {
        TStructedHtmlForm form(folders.executablePath());
        if (action == "delete") {
            control<LineListView>(form, "IgnoreTags")->selectRow(0);
            control<QAction>(form, "DelIgnoreTag")->trigger();
        } else if (action.startsWith("add ")) {
            control<QAction>(form, "AddIgnoreTag")->trigger();
            auto* field = control<QLineEdit>(form, "AddTag");
            QTest::keyClicks(field, action.mid(4));
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY(!control<QFrame>(form, "IgnoreAddPanel")->isVisible());
        } else if (action == "line analysis") {
            control<QAction>(form, "TagCheck")->trigger();
            QCOMPARE(tool.arguments().value(0), folders.userDataFile(QStringLiteral("w.htm")));
            QVERIFY(!QFile::exists(folders.userDataFile(QStringLiteral("w.htm"))));
        }
        QCOMPARE(displayedRows(*control<LineListView>(form, "IgnoreTags")->model()), entries);
        shown << answeredTexts();
    }
    shown << answeredTexts();

    QCOMPARE(shown, QStringList(messages).replaceInStrings(QStringLiteral("%1"), usersFolder ? usersListPath : listPath));
    QCOMPARE(QFile::exists(usersListPath), !usersList.isNull());
    if (!usersList.isNull())
        QCOMPARE(bytes(readFile(usersListPath)), usersList);
    QCOMPARE(QFile::exists(listPath), !listFile.isNull());
    fileModeChange.reset();
    if (!listFile.isNull())
        QCOMPARE(bytes(readFile(listPath)), listFile);
}

void TestWindowFaults::faultySettingsStoreIsReportedAndKept_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QByteArray>("mask");
    QTest::addColumn<bool>("converts");

    const QString malformed = QStringLiteral("設定ファイル %1:4 の書式が不正です.");
    const QString unreadable = QStringLiteral("設定ファイル %1 を読めません.");
    QTest::newRow("malformed: defaults") << QString("malformed") << QStringList{malformed, malformed}
                                         << QByteArray("*.htm*") << true;
    QTest::newRow("unreadable: defaults") << QString("unreadable") << QStringList{unreadable, unreadable}
                                          << QByteArray("*.htm*") << true;
    QTest::newRow("read-only folder: the stored values")
        << QString("read-only folder") << QStringList{QStringLiteral("'MASK' の設定に失敗しました.")}
        << QByteArray("*.txt") << false;
}

void TestWindowFaults::faultySettingsStoreIsReportedAndKept()
{
    QFETCH(QString, fault);
    QFETCH(QStringList, messages);
    QFETCH(QByteArray, mask);
    QFETCH(bool, converts);
    WindowTestFolders folders;
    storeSettings(folders, "*.txt", false);
    if (fault == "malformed")
        writeFile(folders.settingsFile(),
                  "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE]\r\n\"MASK\"=\"*.htm\r\n");
    const std::string stored = readFile(folders.settingsFile());
    std::optional<ModeChange> readOnly;
    if (fault == "unreadable")
        readOnly.emplace(folders.settingsFile(), 0);
    else if (fault == "read-only folder")
        readOnly.emplace(folders.settingsFolder(), 0555);
    const WithoutRootOverride asUser;
    if (!asUser.modesBind())
        QSKIP("file modes can't be made to bind this process");

    QStringList shown;
    {
        TStructedHtmlForm form(folders.executablePath());
        QCOMPARE(bytes(control<FileListBox>(form, "FileListBox1")->mask()), mask);
        QCOMPARE(control<QCheckBox>(form, "isShiftJis")->isChecked(), converts);
        shown << answeredTexts();
        control<FileListBox>(form, "FileListBox1")->setMask("*.changed");
    }
    shown << answeredTexts();

    QCOMPARE(shown, QStringList(messages).replaceInStrings(QStringLiteral("%1"), folders.settingsFile()));
    readOnly.reset();
    QCOMPARE(bytes(readFile(folders.settingsFile())), bytes(stored));
    QCOMPARE(QDir(folders.settingsFolder()).entryList(QDir::Files), QStringList{"registry.reg"});
}

void TestWindowFaults::lineAnalysisAfterAFailedStartUpKeepsToTheProgramFolder()
{
    WindowTestFolders folders;
    QVERIFY(QDir().mkpath(folders.settingsFolder()));
    writeFile(folders.settingsFile(), "not a settings file\r\n");
    // The user's own "w.htm" in the browsed folder, which is the current one.
    const QString usersFile = folders.document(QStringLiteral("w.htm"));
    writeFile(usersFile, "mine");
    QVERIFY(QDir::setCurrent(folders.documents()));
    TStructedHtmlForm form(folders.executablePath());
    QCOMPARE(form.executableFolder(), QString());
    ModalSeam::takeAnsweredMessages();
    const FakeToolRun tool;

    control<QAction>(form, "TagCheck")->trigger();

    QCOMPARE(tool.arguments().value(0), folders.programFile(QStringLiteral("w.htm")));
    QCOMPARE(bytes(readFile(usersFile)), QByteArray("mine"));
    QVERIFY(!QFile::exists(folders.programFile(QStringLiteral("w.htm"))));
}

void TestWindowFaults::lastCopyToExitWins_data()
{
    QTest::addColumn<bool>("firstExitsFirst");
    QTest::newRow("the copy started first exits first") << true;
    QTest::newRow("the copy started first exits last") << false;
}

void TestWindowFaults::lastCopyToExitWins()
{
    QFETCH(bool, firstExitsFirst);
    WindowTestFolders folders;
    const QString listPath = folders.programFile(QStringLiteral("ignore.trm"));
    writeFile(listPath, "A\r\nB\r\n");
    QVERIFY(QDir().mkpath(folders.document(QStringLiteral("first"))));
    QVERIFY(QDir().mkpath(folders.document(QStringLiteral("second"))));
    auto first = std::make_unique<TStructedHtmlForm>(folders.executablePath());
    auto second = std::make_unique<TStructedHtmlForm>(folders.executablePath());
    // Each copy keeps its own folder, mask, option and list.
    const auto change = [&](TStructedHtmlForm& form, const QString& name, bool converts, int deletedRow) {
        control<DirectoryListBox>(form, "DirectoryListBox1")->setDirectory(folders.document(name));
        control<FileListBox>(form, "FileListBox1")->setMask(fromDisplayText("*." + name));
        control<QCheckBox>(form, "isShiftJis")->setChecked(converts);
        control<LineListView>(form, "IgnoreTags")->selectRow(deletedRow);
        control<QAction>(form, "DelIgnoreTag")->trigger();
    };
    change(*first, QStringLiteral("first"), false, 1);
    change(*second, QStringLiteral("second"), true, 0);

    (firstExitsFirst ? first : second).reset();
    (firstExitsFirst ? second : first).reset();
    QCOMPARE(answeredTexts(), QStringList());

    const QString winner = firstExitsFirst ? QStringLiteral("second") : QStringLiteral("first");
    TStructedHtmlForm again(folders.executablePath());
    QCOMPARE(answeredTexts(), QStringList());
    QCOMPARE(control<DirectoryListBox>(again, "DirectoryListBox1")->directory(), folders.document(winner));
    QCOMPARE(bytes(control<FileListBox>(again, "FileListBox1")->mask()), bytes(fromDisplayText("*." + winner)));
    QCOMPARE(control<QCheckBox>(again, "isShiftJis")->isChecked(), firstExitsFirst);
    QCOMPARE(bytes(readFile(listPath)), firstExitsFirst ? QByteArray("B\r\n") : QByteArray("A\r\n"));
    // Each file was replaced whole: nothing else lies beside them.
    QCOMPARE(QDir(folders.settingsFolder()).entryList(QDir::Files), QStringList{"registry.reg"});
    QCOMPARE(QDir(folders.programFolder()).entryList(QDir::Files), QStringList{"ignore.trm"});
}

QTEST_MAIN(TestWindowFaults)
#include "tst_windowfaults.moc"
