#include "ui/applicationsetup.h"
#include "ui/findbar.h"
#include "ui/sourcetextedit.h"
#include "formundertest.h"
#include "testlines.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QUrl>

#include <functional>

using namespace vorelind;

namespace {

using Command = std::function<void(WindowUnderTest&)>;

// Three matches of "alpha" in three cases, the last far below the others,
// a Japanese text, a word across the cut of a long line into rows of 1024
// bytes, and the mark that stands for characters Shift-JIS lacks.
QByteArray findPage()
{
    QByteArray page = QStringLiteral("<html>\n<body>\n<div>\n<p>Alpha 日本語</p>\n<P>alpha</P>\n</div>\n").toUtf8();
    for (int line = 0; line < 80; ++line)
        page += "<i>x</i>\n";
    page += "<p>" + QByteArray(1019, 'y') + "omega</p>\n";
    return page + QStringLiteral("<p>ALPHA〓</p>\n</body>\n</html>\n").toUtf8();
}

// Runs steps: keys such as "Ctrl+F" or "Shift+F3" (to the widget that has
// the focus, as the user presses them), "type:alpha", "ime:日本語" (as the
// input method commits it), "case" and "view" (the shown view takes the focus).
void runSteps(TStructedHtmlForm& form, const QStringList& steps)
{
    auto* field = control<QLineEdit>(form, "FindText");
    for (const QString& step : steps) {
        if (step == "case") {
            control<QCheckBox>(form, "FindMatchCase")->click();
        } else if (step == "view") {
            auto* tabs = control<QTabWidget>(form, "PageControl1");
            tabs->currentWidget()->findChild<QAbstractItemView*>()->setFocus();
        } else if (step.startsWith("type:")) {
            QTest::keyClicks(field, step.mid(5));
        } else if (step.startsWith("ime:")) {
            QInputMethodEvent commit;
            commit.setCommitString(step.mid(4));
            QApplication::sendEvent(field, &commit);
        } else {
            QWidget* focus = QApplication::focusWidget();
            QTest::keySequence(focus ? focus : &form, QKeySequence(step));
        }
    }
}

// Whether the current row lies in the view's visible part.
bool currentInSight(QAbstractItemView& view)
{
    QCoreApplication::processEvents();
    return view.viewport()->rect().intersects(view.visualRect(view.currentIndex()));
}

void dropFile(TStructedHtmlForm& form, const QString& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = form.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&form, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&form, &drop);
}

// The part of the current row that the view shows as found.
QString foundPart(QAbstractItemView& view)
{
    const std::optional<TextPart> part = qobject_cast<TTreeIndent*>(&view)
        ? static_cast<TTreeIndent&>(view).markedPart(view.currentIndex())
        : static_cast<LineListView&>(view).markedPart(view.currentIndex());
    return part ? part->part : QString();
}

// Presses F5 on the window a few times at the progress bar's first paint,
// which comes during the walk: the presses wait for the walk's end, as the
// user's do.
class PressesDuringWalk : public QObject {
public:
    explicit PressesDuringWalk(TStructedHtmlForm& form)
        : m_form(form)
    {
        control<QProgressBar>(form, "ProgressBar1")->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            for (int press = 0; press < 3; ++press)
                QCoreApplication::postEvent(&m_form, new QKeyEvent(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier));
        }
        return false;
    }

private:
    TStructedHtmlForm& m_form;
};

qsizetype runLogLines(const WindowUnderTest& window)
{
    return bytes(readFile(window.folders.document(QStringLiteral("runlog.log")))).count('\n');
}

} // namespace

Q_DECLARE_METATYPE(Command)

class TestWindowCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void finding_data();
    void finding();
    void opening_data();
    void opening();
};

void TestWindowCommands::initTestCase()
{
    setUpApplication();
    ModalSeam::answerForTests();
}

void TestWindowCommands::finding_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("found"); // the part of the row shown as found
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("barShown");

    QTest::newRow("Ctrl+F and typing show the first match in its row and count them all")
        << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha"} << "      <p>Alpha 日本語" << "Alpha" << "1 / 3 件"
        << true;
    QTest::newRow("F3 goes to the next match") << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha", "F3"}
                                               << "      <P>alpha" << "alpha" << "2 / 3 件" << true;
    QTest::newRow("F3 wraps past the last match, which is scrolled to on the way")
        << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha", "F3", "F3", "F3"} << "      <p>Alpha 日本語"
        << "Alpha" << "1 / 3 件" << true;
    QTest::newRow("Shift+F3 wraps before the first match")
        << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha", "Shift+F3"} << "    <p>ALPHA〓" << "ALPHA"
        << "3 / 3 件" << true;
    QTest::newRow("case counts when the box is checked")
        << "ShowResultList" << QStringList{"Ctrl+F", "case", "type:alpha"} << "      <P>alpha" << "alpha"
        << "1 / 1 件" << true;
    QTest::newRow("Japanese typed as shown, in the source")
        << "Memo1" << QStringList{"Ctrl+F", "ime:日本語"} << "<p>Alpha 日本語</p>" << "日本語" << "1 / 1 件" << true;
    QTest::newRow("source: a match across the cut of a long line")
        << "Memo1" << QStringList{"Ctrl+F", "type:omega"} << "<p>" + QString(1019, 'y') + "om" << "omega"
        << "1 / 1 件" << true;
    QTest::newRow("tree: a match in a collapsed node is revealed")
        << "TreeIndent1" << QStringList{"Ctrl+F", "type:ALPHA", "Shift+F3"} << " <p>ALPHA〓" << "ALPHA" << "3 / 3 件"
        << true;
    QTest::newRow("no match leaves the current node") << "TreeIndent1" << QStringList{"Ctrl+F", "type:zz"}
                                                      << "<html>" << QString() << "0 件" << true;
    QTest::newRow("a character Shift-JIS lacks finds nothing, not its stand-in mark")
        << "ShowResultList" << QStringList{"Ctrl+F", "ime:✓"} << "<html>" << QString() << "0 件" << true;
    QTest::newRow("Esc closes the bar and keeps the match")
        << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha", "Esc"} << "      <p>Alpha 日本語" << "Alpha"
        << QString() << false;
    QTest::newRow("Esc closes the bar from the view too")
        << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha", "view", "Esc"} << "      <p>Alpha 日本語" << "Alpha"
        << QString() << false;
}

void TestWindowCommands::finding()
{
    QFETCH(QString, view);
    QFETCH(QStringList, steps);
    QFETCH(QString, selected);
    QFETCH(QString, found);
    QFETCH(QString, count);
    QFETCH(bool, barShown);
    WindowUnderTest window;
    window.openDocument(QStringLiteral("find.htm"), findPage());
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
    auto* shown = control<QWidget>(window.form, qPrintable(view));
    control<QTabWidget>(window.form, "PageControl1")->setCurrentWidget(shown->parentWidget());
    QApplication::setActiveWindow(&window.form);
    shown->setFocus();

    runSteps(window.form, steps);

    if (const auto* source = qobject_cast<SourceView*>(shown)) {
        // The page's source is shown as text: the found part is its selection.
        QCOMPARE(source->textView().textCursor().selectedText(), found);
        QVERIFY(source->textView().viewport()->rect().contains(source->textView().cursorRect()));
    } else {
        auto& items = *qobject_cast<QAbstractItemView*>(shown);
        QCOMPARE(items.currentIndex().data().toString(), selected);
        if (!selected.isEmpty())
            QVERIFY(currentInSight(items));
        QCOMPARE(foundPart(items), found);
        // The found part stands out, not the whole row.
        if (!found.isEmpty())
            QVERIFY(items.selectionModel()->selectedIndexes().isEmpty());
    }
    QCOMPARE(control<FindBar>(window.form, "FindBar")->isVisible(), barShown);
    if (barShown)
        QCOMPARE(control<QLabel>(window.form, "FindCount")->text(), count);
}

void TestWindowCommands::opening_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("vorelind FILE: a relative path, from the folder it was started in")
        << Command([](WindowUnderTest& window) {
               QVERIFY(QDir::setCurrent(window.folders.document("sub")));
               const std::filesystem::path file = fileToOpen("b.txt");
               // The window's start-up moves the current folder to the stored one.
               QVERIFY(QDir::setCurrent(window.folders.documents()));
               window.form.openFile(file);
           })
        << "sub/b.txt" << "<p>b";
    QTest::newRow("a file dropped on the window")
        << Command([](WindowUnderTest& window) { dropFile(window.form, window.folders.document("sub/b.txt")); })
        << "sub/b.txt" << "<p>b";
    QTest::newRow("F5 runs the loaded file again, as it now stands")
        << Command([](WindowUnderTest& window) {
               window.doubleClick("a.htm");
               writeFile(window.folders.document("a.htm"), "<p>again");
               writeFile(window.folders.document("new.htm"), "<p>new");
               runSteps(window.form, {"F5"});
               QVERIFY(itemNamed(*control<FileListBox>(window.form, "FileListBox1"), "new.htm"));
           })
        << "a.htm" << "<p>again";
    QTest::newRow("F5 pressed during a walk does not walk again")
        << Command([](WindowUnderTest& window) {
               window.doubleClick("a.htm");
               {
                   const PressesDuringWalk presses(window.form);
                   runSteps(window.form, {"F5"});
               }
               // Back in the event loop, as after the user's press.
               QCoreApplication::processEvents();
               QCOMPARE(runLogLines(window), 2 * 4);
               QCOMPARE(control<QLabel>(window.form, "StatusBar1")->text(),
                        QStringLiteral("実行中に押された再実行は無視しました"));
               runSteps(window.form, {"F5"});
               QCOMPARE(runLogLines(window), 3 * 4);
           })
        << "a.htm" << "<p>a";
    QTest::newRow("Enter on a file in the file list")
        << Command([](WindowUnderTest& window) {
               auto* files = control<FileListBox>(window.form, "FileListBox1");
               files->refresh();
               files->selectName("a.htm");
               files->setFocus();
               QTest::keyClick(files, Qt::Key_Return);
           })
        << "a.htm" << "<p>a";
}

void TestWindowCommands::opening()
{
    QFETCH(Command, command);
    QFETCH(QString, loaded);
    QFETCH(QString, firstLine);
    WindowUnderTest window;
    QApplication::setActiveWindow(&window.form);
    QVERIFY(QDir(window.folders.documents()).mkdir("sub"));
    writeFile(window.folders.document("a.htm"), "<p>a");
    writeFile(window.folders.document("sub/b.txt"), "<p>b");

    command(window);
    const QFileInfo file(window.folders.document(loaded));

    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
    QCOMPARE(bytes(window.form.documentTitle()), bytes(fromDisplayText("「" + file.fileName() + "」")));
    QCOMPARE(window.listing().value(0), firstLine);
    QCOMPARE(window.currentTab(), QStringLiteral("TabStructure"));
    QCOMPARE(control<DirectoryListBox>(window.form, "DirectoryListBox1")->directory(), file.absolutePath());
    // A file that the mask does not list is loaded all the same.
    const QString expectedSelection = file.suffix() == "htm" ? file.absoluteFilePath() : QString();
    QCOMPARE(control<FileListBox>(window.form, "FileListBox1")->selectedPath(), expectedSelection);
}

QTEST_MAIN(TestWindowCommands)
#include "tst_windowcommands.moc"
