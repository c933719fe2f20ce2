// The program and the browsed documents in folders whose names Shift-JIS
// can't hold, or holds only as double-byte text: every file is named by
// the path as the file system gave it, and only the messages use Shift-JIS.

#include "platform/codecs/displaytext.h"
#include "platform/files/nativepath.h"
#include "ui/applicationsetup.h"
#include "faketoolrun.h"
#include "formundertest.h"
#include "shellrecorder.h"
#include "testlines.h"
#include "testpage.h"

#include <QAction>
#include <QApplication>
#include <QMimeData>
#include <QPushButton>

#include <fstream>

using namespace vorelind;

class TestNativePaths : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFileKeepsItsNativePath_data();
    void everyFileKeepsItsNativePath();
    void nameThatIsNoValidTextOpens_data();
    void nameThatIsNoValidTextOpens();
};

void TestNativePaths::initTestCase()
{
    setUpApplication();
    ModalSeam::answerForTests();
}

void TestNativePaths::everyFileKeepsItsNativePath_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("folder and file named in Japanese") << QStringLiteral("目次の資料");
    QTest::newRow("names that Shift-JIS can't spell") << QStringLiteral("café_ü😀");
}

void TestNativePaths::everyFileKeepsItsNativePath()
{
    QFETCH(QString, name);
    const QString page = name + QStringLiteral(".htm");
    const WindowTestFolders firstStart(name);
    { const TStructedHtmlForm form(firstStart.executablePath()); }
    // The missing list file is named in the message as Shift-JIS spells it.
    const QList<AnsweredMessage> startMessages = ModalSeam::takeAnsweredMessages();
    QCOMPARE(startMessages.size(), 1);
    QVERIFY(startMessages.at(0).text.contains(toDisplayText(fromDisplayText(name))));

    WindowUnderTest window(name);
    window.openDocument(page, kPage);
    QCOMPARE(window.listing(), kPageListing);
    QVERIFY(QFile::exists(window.folders.document(QStringLiteral("runlog.log"))));

    writeFile(window.folders.programFile(QStringLiteral("vorelind.chm")), "help");
    {
        const ShellRecorder shell;
        control<QAction>(window.form, "Contents1")->trigger();
        control<QPushButton>(window.form, "BrowserBtn")->click();
        QCOMPARE(shell.opened,
                 (QStringList{window.folders.programFile(QStringLiteral("vorelind.chm")), window.folders.document(page)}));
    }

    const FakeToolRun tool;
    control<QAction>(window.form, "TagCheck")->trigger();
    QCOMPARE(tool.arguments().value(0), window.folders.programFile(QStringLiteral("w.htm")));
    QVERIFY(!tool.workFileSeen().isEmpty());

    const QString exported = window.folders.document(name + QStringLiteral("-out.htm"));
    ModalSeam::setNextSaveFileName(exported);
    control<QAction>(window.form, "Save1")->trigger();
    QVERIFY(QFileInfo(exported).size() > 0);

    // Every key typed into the new-tag field saves the list.
    window.form.AddTagKeyDown(Qt::Key_A);
    QVERIFY(QFile::exists(window.folders.programFile(QStringLiteral("ignore.trm"))));
    window.form.RegWrite();
    const TStructedHtmlForm restarted(window.folders.executablePath());
    QCOMPARE(control<DirectoryListBox>(restarted, "DirectoryListBox1")->directory(), window.folders.documents());
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
}

void TestNativePaths::nameThatIsNoValidTextOpens_data()
{
    QTest::addColumn<QString>("openedBy");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message"); // empty: the page loads

    QTest::newRow("file list") << "list" << kPage << QString();
    QTest::newRow("command line") << "command line" << kPage << QString();
    QTest::newRow("drop") << "drop" << kPage << QString();
    QTest::newRow("message names it with the replacement mark")
        << "list" << QByteArray("ab\x01<p>", 6) << QString("bad〓〓.htmはテキストファイルではないのでは？");
}

// A name of bytes that are no UTF-8, as another system may have written it:
// the toolkit's text would turn them into replacement characters, which
// name no file.
void TestNativePaths::nameThatIsNoValidTextOpens()
{
    QFETCH(QString, openedBy);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    WindowUnderTest window;
    const std::filesystem::path file = fileSystemPath(window.folders.documents()) / "bad\xff\xfe.htm";
    std::ofstream(file, std::ios::binary) << content.toStdString();
    auto* files = control<FileListBox>(window.form, "FileListBox1");
    files->refresh();
    QListWidgetItem* listed = itemNamed(*files, QStringLiteral("bad\uFFFD\uFFFD.htm"));
    QVERIFY(listed);

    if (openedBy == "list") {
        doubleClickItem(*files, *listed);
    } else if (openedBy == "command line") {
        window.form.openFile(file);
    } else {
        QMimeData data;
        data.setData(QStringLiteral("text/uri-list"), "file://" + QByteArray::fromStdString(file.native()).toPercentEncoding("/") + "\r\n");
        const QPoint at = window.form.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window.form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window.form, &drop);
    }

    const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
    if (!message.isEmpty()) {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).text, message);
        return;
    }
    QCOMPARE(messages.size(), 0);
    QCOMPARE(window.listing(), kPageListing);
    QCOMPARE(bytes(window.form.documentTitle()), bytes(fromDisplayText(QStringLiteral("「bad〓〓.htm」"))));
    QCOMPARE(files->selectedFile(), file);
}

QTEST_MAIN(TestNativePaths)
#include "tst_nativepaths.moc"
