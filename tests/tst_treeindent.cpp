#include "look/windowlook.h"
#include "ui/treeindent.h"
#include "testlines.h"
#include "treeoutline.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <string>
#include <vector>

using namespace vorelind;

namespace {

std::vector<std::string_view> viewsOf(const std::vector<std::string>& lines)
{
    return std::vector<std::string_view>(lines.begin(), lines.end());
}

// The shown rows: the level in dots, "+" for a collapsed node, "-" for an
// expanded one, " " for a leaf, then the text.
QStringList shownRows(const IndentTreeModel& model)
{
    static const char marks[] = {' ', '+', '-'};
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row);
        rows << QString(index.data(IndentTreeModel::LevelRole).toInt(), QLatin1Char('.'))
                    + QLatin1Char(marks[index.data(IndentTreeModel::BranchRole).toInt()]) + index.data().toString();
    }
    return rows;
}

// Runs "expand ROW", "collapse ROW", "expand all", "collapse all",
// "reveal NODE" and "load" (the lines again) in turn.
void apply(IndentTreeModel& model, const std::vector<std::string>& lines, const QStringList& steps)
{
    for (const QString& step : steps) {
        if (step == "load")
            model.load(indentedLines(viewsOf(lines)));
        else if (step == "expand all")
            model.expandAll();
        else if (step == "collapse all")
            model.collapseAll();
        else if (step.startsWith("expand "))
            model.expand(step.section(' ', 1).toInt());
        else if (step.startsWith("reveal "))
            model.reveal(step.section(' ', 1).toULongLong());
        else
            model.collapse(step.section(' ', 1).toInt());
    }
}

} // namespace

class TestTreeIndent : public QObject {
    Q_OBJECT

private slots:
    void modelHoldsTheFilledTree_data();
    void modelHoldsTheFilledTree();
    void expandingAndCollapsingShowTheRows_data();
    void expandingAndCollapsingShowTheRows();
    void arrowsOpenAndCloseNodes();
    void keysOpenCloseAndMove_data();
    void keysOpenCloseAndMove();
    void deepTreeExpandsScrollsAndCollapses();
    void markedNodeIsTintedToTheRowsEnd();
};

void TestTreeIndent::modelHoldsTheFilledTree_data()
{
    QTest::addColumn<std::vector<std::string>>("lines");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("fall from a top-level node goes to the head")
        << std::vector<std::string>{"A", "    B", "  C", "D", "E"}
        << QStringList{"D", "A", ". B", " C", "E"};
    QTest::newRow("empty lines are skipped, the first line rule kept")
        << std::vector<std::string>{"", "", "  A", "  B", "", "  C"} << QStringList{" A", ". B", ". C"};
    QTest::newRow("shift-jis node text is decoded for display")
        << std::vector<std::string>{"<p>\x95\x5c", "  <b>\x8e\xa6"} << QStringList{"<p>表", ". <b>示"};
    QTest::newRow("no lines, no nodes") << std::vector<std::string>{} << QStringList{};
}

void TestTreeIndent::modelHoldsTheFilledTree()
{
    QFETCH(std::vector<std::string>, lines);
    QFETCH(QStringList, expected);
    IndentTreeModel model;
    model.load(indentedLines(viewsOf(lines)));
    QCOMPARE(outline(model.tree()), expected);
}

void TestTreeIndent::expandingAndCollapsingShowTheRows_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("loaded: the top level, collapsed") << QStringList{} << QStringList{"+A"};
    QTest::newRow("expand shows the children only")
        << QStringList{"expand 0"} << QStringList{"-A", ".+ B", ".+ X", ".  Z"};
    QTest::newRow("expand of a leaf changes nothing")
        << QStringList{"expand 0", "expand 3"} << QStringList{"-A", ".+ B", ".+ X", ".  Z"};
    QTest::newRow("expand of a lower node inserts below it")
        << QStringList{"expand 0", "expand 1"} << QStringList{"-A", ".- B", "..+ C", "..  E", ".+ X", ".  Z"};
    QTest::newRow("collapse hides every shown descendant, not the next node")
        << QStringList{"expand 0", "expand 1", "expand 2", "collapse 1"} << QStringList{"-A", ".+ B", ".+ X", ".  Z"};
    QTest::newRow("expanding again keeps the children's own state")
        << QStringList{"expand 0", "expand 1", "expand 2", "collapse 1", "expand 1"}
        << QStringList{"-A", ".- B", "..- C", "...  D", "..  E", ".+ X", ".  Z"};
    QTest::newRow("expand all opens every level")
        << QStringList{"expand all"} << QStringList{"-A", ".- B", "..- C", "...  D", "..  E", ".- X", "..  Y", ".  Z"};
    QTest::newRow("collapse all closes the lower levels too")
        << QStringList{"expand all", "collapse all", "expand 0"} << QStringList{"-A", ".+ B", ".+ X", ".  Z"};
    QTest::newRow("reveal opens every collapsed ancestor at once")
        << QStringList{"reveal 3"} << QStringList{"-A", ".- B", "..- C", "...  D", "..  E", ".+ X", ".  Z"};
    QTest::newRow("reveal keeps the open nodes' rows")
        << QStringList{"expand 0", "expand 2", "reveal 3"}
        << QStringList{"-A", ".- B", "..- C", "...  D", "..  E", ".- X", "..  Y", ".  Z"};
    QTest::newRow("reveal of a shown node changes nothing") << QStringList{"reveal 0"} << QStringList{"+A"};
    QTest::newRow("loading again starts collapsed") << QStringList{"expand all", "load"} << QStringList{"+A"};
}

void TestTreeIndent::expandingAndCollapsingShowTheRows()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, rows);
    // A holds B (with C, which holds D, and E), X (with Y) and Z.
    const std::vector<std::string> lines{"A", "  B", "    C", "      D", "    E", "  X", "    Y", "  Z"};
    IndentTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.load(indentedLines(viewsOf(lines)));
    apply(model, lines, steps);
    QCOMPARE(shownRows(model), rows);
}

void TestTreeIndent::arrowsOpenAndCloseNodes()
{
    TTreeIndent tree;
    tree.resize(300, 200);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    const std::vector<std::string> lines{"A", "  B", "    C"};
    tree.LoadIndentedLines(indentedLines(viewsOf(lines)));
    QCoreApplication::processEvents();
    const IndentTreeModel& model = tree.indentModel();
    const QRect first = tree.visualRect(model.index(0));
    // The arrow of a top-level node is the first indentation step.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, first.topLeft() + QPoint(tree.indentation() / 2, 2));
    QCOMPARE(shownRows(model), (QStringList{"-A", ".+ B"}));
    // A click on the text selects the row and leaves it as it is.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, first.topLeft() + QPoint(tree.indentation() * 3, 2));
    QCOMPARE(shownRows(model), (QStringList{"-A", ".+ B"}));
}

void TestTreeIndent::keysOpenCloseAndMove_data()
{
    QTest::addColumn<QStringList>("steps"); // "expand ROW" and the like, then keys
    QTest::addColumn<int>("from");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("current");

    const QStringList openA{"-A", ".+ B", ".+ X", ".  Z"};
    QTest::newRow("Right opens a closed node") << QStringList{"expand 0"} << 1 << QList<int>{Qt::Key_Right}
                                               << QStringList{"-A", ".- B", "..+ C", "..  E", ".+ X", ".  Z"} << 1;
    QTest::newRow("Right on an open node goes to its first child")
        << QStringList{"expand 0"} << 0 << QList<int>{Qt::Key_Right} << openA << 1;
    QTest::newRow("Left closes an open node, then goes to its parent")
        << QStringList{"expand 0", "expand 1"} << 1 << QList<int>{Qt::Key_Left, Qt::Key_Left} << openA << 0;
    QTest::newRow("* opens the whole branch, not the next one")
        << QStringList{"expand 0"} << 1 << QList<int>{Qt::Key_Asterisk}
        << QStringList{"-A", ".- B", "..- C", "...  D", "..  E", ".+ X", ".  Z"} << 1;
    QTest::newRow("+ and - open and close the node")
        << QStringList{} << 0 << QList<int>{Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Plus} << openA << 0;
}

void TestTreeIndent::keysOpenCloseAndMove()
{
    QFETCH(QStringList, steps);
    QFETCH(int, from);
    QFETCH(QList<int>, keys);
    QFETCH(QStringList, rows);
    QFETCH(int, current);
    // A holds B (with C, which holds D, and E), X (with Y) and Z.
    const std::vector<std::string> lines{"A", "  B", "    C", "      D", "    E", "  X", "    Y", "  Z"};
    TTreeIndent tree;
    tree.LoadIndentedLines(indentedLines(viewsOf(lines)));
    apply(tree.indentModel(), lines, steps);
    tree.setCurrentIndex(tree.indentModel().index(from));
    for (const int key : keys)
        QTest::keyClick(&tree, static_cast<Qt::Key>(key), key == Qt::Key_Right || key == Qt::Key_Left
                                                              ? Qt::NoModifier : Qt::KeypadModifier);
    QCOMPARE(shownRows(tree.indentModel()), rows);
    QCOMPARE(tree.currentIndex().row(), current);
}

// Deeper than the tree view's own recursive layout can go (it overflowed
// the stack at about 26,000 levels).
void TestTreeIndent::deepTreeExpandsScrollsAndCollapses()
{
    constexpr int kLevels = 40000;
    // Line n holds n blanks and "x", each a view into one buffer.
    const std::string buffer = std::string(kLevels, ' ') + "x";
    std::vector<std::string_view> lines;
    for (std::size_t depth = 0; depth < kLevels; ++depth)
        lines.push_back(std::string_view(buffer).substr(kLevels - depth));
    TTreeIndent tree;
    tree.resize(300, 200);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    tree.LoadIndentedLines(indentedLines(lines));

    tree.expandAll();
    tree.scrollToBottom();
    tree.horizontalScrollBar()->setValue(tree.horizontalScrollBar()->maximum());
    QCoreApplication::processEvents();

    const IndentTreeModel& model = tree.indentModel();
    QCOMPARE(model.rowCount(), kLevels);
    QCOMPARE(model.index(kLevels - 1).data(IndentTreeModel::LevelRole).toInt(), kLevels - 1);
    QVERIFY(tree.viewport()->rect().intersects(tree.visualRect(model.index(kLevels - 1))));
    tree.collapseAll();
    QCOMPARE(model.rowCount(), 1);
}

// The column follows its texts; the tint goes on past it to the row's end.
void TestTreeIndent::markedNodeIsTintedToTheRowsEnd()
{
    TTreeIndent tree;
    tree.resize(400, 200);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    const std::vector<std::string> lines{"A", "  B", "  C"};
    tree.LoadIndentedLines(indentedLines(viewsOf(lines)));
    tree.expandAll();
    tree.indentModel().setMarkedNodes({1});
    QCoreApplication::processEvents();
    const QImage shown = tree.viewport()->grab().toImage();
    const int end = tree.viewport()->width() - 2;
    for (int row = 0; row < 3; ++row) {
        const QRect rect = tree.visualRect(tree.indentModel().index(row));
        const QColor right = shown.pixelColor(QPoint(end, rect.center().y()) * shown.devicePixelRatio());
        const QColor text = shown.pixelColor(QPoint(tree.textRect(tree.indentModel().index(row)).left() + 1,
                                                    rect.center().y()) * shown.devicePixelRatio());
        QCOMPARE(right == unmatchedTint(), row == 1);
        QCOMPARE(text == unmatchedTint(), row == 1);
    }
}

QTEST_MAIN(TestTreeIndent)
#include "tst_treeindent.moc"
