#include "platform/codecs/displaytext.h"
#include "ui/applicationsetup.h"
#include "ui/excludedtagspane.h"
#include "formundertest.h"
#include "testlines.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QMenuBar>

using namespace vorelind;

namespace {

// A window whose program folder starts with the given "ignore.trm".
class EditorUnderTest {
public:
    explicit EditorUnderTest(const QByteArray& listFile)
    {
        writeFile(folders.programFile(QStringLiteral("ignore.trm")), listFile.toStdString());
        form = std::make_unique<TStructedHtmlForm>(folders.executablePath());
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("the window was never shown");
        ModalSeam::takeAnsweredMessages();
    }

    LineListView& tags() const { return *control<LineListView>(*form, "IgnoreTags"); }
    QLineEdit& addTag() const { return *control<QLineEdit>(*form, "AddTag"); }
    QWidget& panel() const { return *control<QFrame>(*form, "IgnoreAddPanel"); }
    QByteArray listFile() const { return bytes(readFile(folders.programFile(QStringLiteral("ignore.trm")))); }

    QStringList entries() const { return displayedRows(*tags().model()); }

    // Opens the add panel from the popup menu and types the keys: text, with
    // "\r" for Enter and "\x1b" for Esc.
    void typeIntoPanel(const QString& keys)
    {
        control<QAction>(*form, "AddIgnoreTag")->trigger();
        for (const QChar key : keys) {
            if (key == QLatin1Char('\r'))
                QTest::keyClick(&addTag(), Qt::Key_Return);
            else if (key == QLatin1Char('\x1b'))
                QTest::keyClick(&addTag(), Qt::Key_Escape);
            else if (key.unicode() > 127) // keyClicks takes ASCII only
                QTest::sendKeyEvent(QTest::Click, &addTag(), Qt::Key_unknown, QString(key), Qt::NoModifier);
            else
                QTest::keyClicks(&addTag(), QString(key));
        }
    }

    WindowTestFolders folders;
    std::unique_ptr<TStructedHtmlForm> form;
};

QByteArray crlfLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        const std::string sjis = fromDisplayText(line);
        bytes += QByteArray(sjis.data(), static_cast<qsizetype>(sjis.size())) + "\r\n";
    }
    return bytes;
}

} // namespace

class TestIgnoreTags : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void typedEntries_data();
    void typedEntries();
    void escapeNeverWritesTheFile();
    void everyOtherKeyWritesTheFile();
    void panelStaysUntilEnterOrEscape();
    void deleteKeepsTheSelectionInPlace_data();
    void deleteKeepsTheSelectionInPlace();
    void deleteWithoutSelectionAsks_data();
    void deleteWithoutSelectionAsks();
    void paneWorksWithoutTheWindow();
};

void TestIgnoreTags::initTestCase()
{
    setUpApplication();
    ModalSeam::answerForTests();
}

void TestIgnoreTags::typedEntries_data()
{
    QTest::addColumn<QByteArray>("listFile");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("angle brackets dropped, letters upper-cased") << QByteArray() << "<br>\r" << QStringList{"BR"};
    QTest::newRow("two entries in order") << QByteArray() << "td\rbr\r" << QStringList{"BR", "TD"};
    QTest::newRow("empty entry sorts first") << QByteArray("P\r\n") << "\r" << QStringList{"", "P"};
    QTest::newRow("second empty entry cleaned up at once") << QByteArray() << "\r\r" << QStringList{""};
    QTest::newRow("a name already listed stays once") << QByteArray("BR\r\nP\r\n") << "br\r" << QStringList{"BR", "P"};
    QTest::newRow("lower-case entry from the file is another name")
        << QByteArray("br\r\n") << "br\r" << QStringList{"BR", "br"};
    QTest::newRow("blanks and other characters kept") << QByteArray() << "a 表-1\r" << QStringList{"A 表-1"};
    QTest::newRow("file order does not matter, duplicates from the file stay until a key")
        << QByteArray("P\nBR\n\nBR\n") << "\x1b" << QStringList{"", "BR", "BR", "P"};
}

void TestIgnoreTags::typedEntries()
{
    QFETCH(QByteArray, listFile);
    QFETCH(QString, keys);
    QFETCH(QStringList, entries);
    EditorUnderTest editor(listFile);
    editor.typeIntoPanel(keys);
    QCOMPARE(editor.entries(), entries);
    if (!keys.endsWith(QLatin1Char('\x1b')))
        QCOMPARE(editor.listFile(), crlfLines(entries));
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
}

void TestIgnoreTags::escapeNeverWritesTheFile()
{
    EditorUnderTest editor("P\nBR\n");
    editor.typeIntoPanel(QStringLiteral("\x1b"));
    QCOMPARE(editor.listFile(), QByteArray("P\nBR\n"));
    QVERIFY(!editor.panel().isVisible());
    QCOMPARE(editor.addTag().text(), QString());
}

void TestIgnoreTags::everyOtherKeyWritesTheFile()
{
    EditorUnderTest editor("P\nBR\nBR\n");
    editor.tags().selectRow(0);
    QTest::keyClick(&editor.tags(), Qt::Key_Delete);
    // A deletion reaches the file with the next key in the add field: here a
    // lone Shift, which types nothing; the duplicate goes with it.
    QCOMPARE(editor.listFile(), QByteArray("P\nBR\nBR\n"));
    control<QAction>(*editor.form, "AddIgnoreTag")->trigger();
    QTest::keyClick(&editor.addTag(), Qt::Key_Shift);
    QCOMPARE(editor.listFile(), crlfLines({"BR", "P"}));
    QCOMPARE(editor.addTag().text(), QString());
}

void TestIgnoreTags::panelStaysUntilEnterOrEscape()
{
    EditorUnderTest editor{QByteArray()};
    auto* tabs = control<QTabWidget>(*editor.form, "PageControl1");
    tabs->setCurrentIndex(1);
    editor.typeIntoPanel(QStringLiteral("ab"));
    QVERIFY(editor.panel().isVisible());
    QCOMPARE(editor.panel().pos(), QPoint(5, editor.form->menuBar()->height() + 56));
    tabs->setCurrentIndex(4);
    QVERIFY(editor.panel().isVisible());
    QCOMPARE(editor.addTag().text(), QStringLiteral("AB"));
    // Opened again, the field keeps its text.
    editor.typeIntoPanel(QStringLiteral("c\r"));
    QVERIFY(!editor.panel().isVisible());
    QCOMPARE(editor.entries(), QStringList{"ABC"});
}

void TestIgnoreTags::deleteKeepsTheSelectionInPlace_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("selectedAfter");

    for (const bool byKey : {true, false}) {
        const char* via = byKey ? "Delete key" : "popup command";
        QTest::addRow("%s, middle entry", via) << byKey << 1 << QStringList{"A", "C"} << 1;
        QTest::addRow("%s, last entry", via) << byKey << 2 << QStringList{"A", "B"} << 1;
    }
}

void TestIgnoreTags::deleteKeepsTheSelectionInPlace()
{
    QFETCH(bool, byKey);
    QFETCH(int, selected);
    QFETCH(QStringList, entries);
    QFETCH(int, selectedAfter);
    EditorUnderTest editor("A\r\nB\r\nC\r\n");
    editor.tags().selectRow(selected);
    if (byKey)
        QTest::keyClick(&editor.tags(), Qt::Key_Delete);
    else
        control<QAction>(*editor.form, "DelIgnoreTag")->trigger();
    QCOMPARE(editor.entries(), entries);
    QCOMPARE(editor.tags().selectedRow(), selectedAfter);
    QCOMPARE(editor.listFile(), QByteArray("A\r\nB\r\nC\r\n"));
}

void TestIgnoreTags::deleteWithoutSelectionAsks_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Delete key") << true;
    QTest::newRow("popup command") << false;
}

void TestIgnoreTags::deleteWithoutSelectionAsks()
{
    QFETCH(bool, byKey);
    EditorUnderTest editor("ONLY\r\n");
    editor.tags().selectRow(0);
    QTest::keyClick(&editor.tags(), Qt::Key_Delete);
    QCOMPARE(editor.entries(), QStringList());
    QCOMPARE(editor.tags().selectedRow(), -1);

    if (byKey)
        QTest::keyClick(&editor.tags(), Qt::Key_Delete);
    else
        control<QAction>(*editor.form, "DelIgnoreTag")->trigger();
    const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).icon, MessageIcon::Information);
    QCOMPARE(messages.at(0).caption, QStringLiteral("削除？"));
    QCOMPARE(messages.at(0).text, QStringLiteral("カーソルが設定されていません"));
}

void TestIgnoreTags::paneWorksWithoutTheWindow()
{
    WindowTestFolders folders;
    const QString listFile = folders.programFile(QStringLiteral("ignore.trm"));
    writeFile(listFile, "P\r\nBR\r\n");
    QWidget host;
    auto* pane = new ExcludedTagsPane(host, [] { return QPoint(7, 9); }, &host);
    pane->loadIgnoreList(folders.programFolder());
    host.show();
    control<QAction>(host, "AddIgnoreTag")->trigger();
    auto* panel = control<QFrame>(host, "IgnoreAddPanel");
    QCOMPARE(panel->pos(), QPoint(7, 9));
    auto* field = control<QLineEdit>(host, "AddTag");
    QTest::keyClicks(field, QStringLiteral("<br>"));
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(!panel->isVisible());
    QCOMPARE(pane->tags(), (std::vector<std::string>{"BR", "P"}));
    QCOMPARE(bytes(readFile(listFile)), crlfLines({"BR", "P"}));
}

QTEST_MAIN(TestIgnoreTags)
#include "tst_ignoretags.moc"
