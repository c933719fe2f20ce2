#include "look/windowlook.h"
#include "shownrows.h"
#include "ui/treeindent.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <string>
#include <vector>

using namespace vorelind;

class TestTreeIndent : public QObject {
    Q_OBJECT

private slots:
    void arrowsOpenAndCloseNodes();
    void keysOpenCloseAndMove_data();
    void keysOpenCloseAndMove();
    void deepTreeExpandsScrollsAndCollapses();
    void markedNodeIsTintedToTheRowsEnd();
};

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
    QTest::addColumn<QList<int>>("expanded"); // rows expanded in turn before the keys
    QTest::addColumn<int>("from");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("current");

    const QStringList openA{"-A", ".+ B", ".+ X", ".  Z"};
    QTest::newRow("Right opens a closed node") << QList<int>{0} << 1 << QList<int>{Qt::Key_Right}
                                               << QStringList{"-A", ".- B", "..+ C", "..  E", ".+ X", ".  Z"} << 1;
    QTest::newRow("Right on an open node goes to its first child")
        << QList<int>{0} << 0 << QList<int>{Qt::Key_Right} << openA << 1;
    QTest::newRow("Left closes an open node, then goes to its parent")
        << QList<int>{0, 1} << 1 << QList<int>{Qt::Key_Left, Qt::Key_Left} << openA << 0;
    QTest::newRow("* opens the whole branch, not the next one")
        << QList<int>{0} << 1 << QList<int>{Qt::Key_Asterisk}
        << QStringList{"-A", ".- B", "..- C", "...  D", "..  E", ".+ X", ".  Z"} << 1;
    QTest::newRow("+ and - open and close the node")
        << QList<int>{} << 0 << QList<int>{Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Plus} << openA << 0;
}

void TestTreeIndent::keysOpenCloseAndMove()
{
    QFETCH(QList<int>, expanded);
    QFETCH(int, from);
    QFETCH(QList<int>, keys);
    QFETCH(QStringList, rows);
    QFETCH(int, current);
    // A holds B (with C, which holds D, and E), X (with Y) and Z.
    const std::vector<std::string> lines{"A", "  B", "    C", "      D", "    E", "  X", "    Y", "  Z"};
    TTreeIndent tree;
    tree.LoadIndentedLines(indentedLines(viewsOf(lines)));
    for (const int row : expanded)
        tree.indentModel().expand(row);
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
