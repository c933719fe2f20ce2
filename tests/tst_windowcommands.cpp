#include "ui/applicationsetup.h"
#include "ui/findbar.h"
#include "formundertest.h"
#include "testlines.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QUrl>

#include <functional>

using namespace vorelind;

namespace {

using Command = std::function<void(WindowUnderTest&)>;

// Three matches of "alpha" in three cases, the last far below the others,
// a Japanese text, and the mark that stands for characters Shift-JIS lacks.
QByteArray findPage()
{
    QByteArray page = QStringLiteral("<html>\n<body>\n<div>\n<p>Alpha 日本語</p>\n<P>alpha</P>\n</div>\n").toUtf8();
    for (int line = 0; line < 80; ++line)
        page += "<i>x</i>\n";
    return page + QStringLiteral("<p>ALPHA〓</p>\n</body>\n</html>\n").toUtf8();
}

// A key as the user presses it, to the widget that has the focus.
void press(TStructedHtmlForm& form, int key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &form, static_cast<Qt::Key>(key), modifiers);
}

// Japanese arrives as the input method commits it.
void commitInput(QLineEdit& field, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(&field, &event);
}

// Runs steps such as "Ctrl+F", "type:alpha", "ime:日本語", "F3", "Shift+F3", "Esc", "case".
void runSteps(TStructedHtmlForm& form, const QStringList& steps)
{
    for (const QString& step : steps) {
        if (step == "Ctrl+F")
            press(form, Qt::Key_F, Qt::ControlModifier);
        else if (step == "F3")
            press(form, Qt::Key_F3);
        else if (step == "Shift+F3")
            press(form, Qt::Key_F3, Qt::ShiftModifier);
        else if (step == "Esc")
            press(form, Qt::Key_Escape);
        else if (step == "case")
            control<QCheckBox>(form, "FindMatchCase")->click();
        else if (step.startsWith("type:"))
            QTest::keyClicks(control<QLineEdit>(form, "FindText"), step.mid(5));
        else if (step.startsWith("ime:"))
            commitInput(*control<QLineEdit>(form, "FindText"), step.mid(4));
        else
            QFAIL(qPrintable("unknown step " + step));
    }
}

QString currentText(const QAbstractItemView& view)
{
    return view.currentIndex().data().toString();
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
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("barShown");

    QTest::newRow("Ctrl+F and typing select the first match and count them all")
        << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha"} << "      <p>Alpha 日本語" << "1 / 3 件" << true;
    QTest::newRow("F3 goes to the next match") << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha", "F3"}
                                               << "      <P>alpha" << "2 / 3 件" << true;
    QTest::newRow("F3 wraps past the last match, which is scrolled to on the way")
        << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha", "F3", "F3", "F3"} << "      <p>Alpha 日本語"
        << "1 / 3 件" << true;
    QTest::newRow("Shift+F3 wraps before the first match")
        << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha", "Shift+F3"} << "    <p>ALPHA〓" << "3 / 3 件"
        << true;
    QTest::newRow("case counts when the box is checked")
        << "ShowResultList" << QStringList{"Ctrl+F", "case", "type:alpha"} << "      <P>alpha" << "1 / 1 件" << true;
    QTest::newRow("Japanese typed as shown, in the source")
        << "Memo1" << QStringList{"Ctrl+F", "ime:日本語"} << "<p>Alpha 日本語</p>" << "1 / 1 件" << true;
    QTest::newRow("tree: a match in a collapsed node is revealed")
        << "TreeIndent1" << QStringList{"Ctrl+F", "type:ALPHA", "Shift+F3"} << " <p>ALPHA〓" << "3 / 3 件" << true;
    QTest::newRow("no match leaves the current node") << "TreeIndent1" << QStringList{"Ctrl+F", "type:zz"}
                                                      << "<html>" << "0 件" << true;
    QTest::newRow("a character Shift-JIS lacks finds nothing, not its stand-in mark")
        << "ShowResultList" << QStringList{"Ctrl+F", "ime:✓"} << "<html>" << "0 件" << true;
    QTest::newRow("Esc closes the bar and keeps the match")
        << "ShowResultList" << QStringList{"Ctrl+F", "type:alpha", "Esc"} << "      <p>Alpha 日本語" << QString()
        << false;
}

void TestWindowCommands::finding()
{
    QFETCH(QString, view);
    QFETCH(QStringList, steps);
    QFETCH(QString, selected);
    QFETCH(QString, count);
    QFETCH(bool, barShown);
    WindowUnderTest window;
    window.openDocument(QStringLiteral("find.htm"), findPage());
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
    auto* shown = control<QAbstractItemView>(window.form, qPrintable(view));
    control<QTabWidget>(window.form, "PageControl1")->setCurrentWidget(shown->parentWidget());
    QApplication::setActiveWindow(&window.form);
    shown->setFocus();

    runSteps(window.form, steps);

    QCOMPARE(currentText(*shown), selected);
    if (!selected.isEmpty())
        QVERIFY(currentInSight(*shown));
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
               QVERIFY(QDir::setCurrent(window.folders.documents()));
               window.form.openFile(fileToOpen({"vorelind", "sub/b.txt"}));
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
               press(window.form, Qt::Key_F5);
               QVERIFY(itemNamed(*control<FileListBox>(window.form, "FileListBox1"), "new.htm"));
           })
        << "a.htm" << "<p>again";
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
