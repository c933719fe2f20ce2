#include "ui/treeindent.h"

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

} // namespace

class TestTreeIndent : public QObject {
    Q_OBJECT

private slots:
    void arrowsAndKeysOpenAndCloseNodes();
    void deepTreeExpandsScrollsAndCollapses();
};

void TestTreeIndent::arrowsAndKeysOpenAndCloseNodes()
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
    tree.setCurrentIndex(model.index(1));
    QTest::keyClick(&tree, Qt::Key_Right);
    QCOMPARE(shownRows(model), (QStringList{"-A", ".- B", "..  C"}));
    QTest::keyClick(&tree, Qt::Key_Left);
    QCOMPARE(shownRows(model), (QStringList{"-A", ".+ B"}));
    QTest::keyClick(&tree, Qt::Key_Left);
    QCOMPARE(tree.currentIndex().row(), 0);
    // A click on the text selects the row and leaves it as it is.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, first.topLeft() + QPoint(tree.indentation() * 3, 2));
    QCOMPARE(shownRows(model), (QStringList{"-A", ".+ B"}));
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

QTEST_MAIN(TestTreeIndent)
#include "tst_treeindent.moc"
