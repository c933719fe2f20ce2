#include "ui/treeindent.h"
#include "testlines.h"
#include "windowtest.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QTest>

#include <string>
#include <vector>

using namespace vorelind;

namespace {

std::vector<std::string_view> viewsOf(const std::vector<std::string>& lines)
{
    return std::vector<std::string_view>(lines.begin(), lines.end());
}

int expandedCount(const QTreeView& view, const QModelIndex& parent = {})
{
    int count = 0;
    for (int row = 0; row < view.model()->rowCount(parent); ++row) {
        const QModelIndex index = view.model()->index(row, 0, parent);
        count += (view.isExpanded(index) ? 1 : 0) + expandedCount(view, index);
    }
    return count;
}

} // namespace

class TestTreeIndent : public QObject {
    Q_OBJECT

private slots:
    void modelPresentsTheFilledTree_data();
    void modelPresentsTheFilledTree();
    void modelPassesTheModelTester();
    void loadingReplacesEveryNodeCollapsed();
    void expandAllThenCollapseAll();
    void bulkOperationsOnAnEmptyTree();
};

void TestTreeIndent::modelPresentsTheFilledTree_data()
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

void TestTreeIndent::modelPresentsTheFilledTree()
{
    QFETCH(std::vector<std::string>, lines);
    QFETCH(QStringList, expected);
    IndentTreeModel model;
    model.load(viewsOf(lines));
    QCOMPARE(outline(model), expected);
}

void TestTreeIndent::modelPassesTheModelTester()
{
    IndentTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const std::vector<std::string> lines{"A", "  B", "    C", "    D", "  E", "  F", "    G", "      H", "  I", "J"};
    model.load(viewsOf(lines));
    model.clear();
    model.load(viewsOf(lines));
    QCOMPARE(model.rowCount(), 1);
}

void TestTreeIndent::loadingReplacesEveryNodeCollapsed()
{
    TTreeIndent tree;
    const std::vector<std::string> first{"A", "  B", "    C"};
    tree.LoadIndentedLines(viewsOf(first));
    tree.expandAll();
    const std::vector<std::string> second{"X", "  Y"};
    tree.LoadIndentedLines(viewsOf(second));
    QCOMPARE(outline(*tree.model()), (QStringList{"X", ". Y"}));
    QCOMPARE(expandedCount(tree), 0);
}

void TestTreeIndent::expandAllThenCollapseAll()
{
    TTreeIndent tree;
    const std::vector<std::string> lines{"A", "  B", "    C", "      D", "B2", "  E"};
    tree.LoadIndentedLines(viewsOf(lines));
    tree.expandAll();
    // Every node with children is open: A, B and C, and B2, which the fall
    // from the top put first. Leaves never count as open.
    QCOMPARE(expandedCount(tree), 4);
    tree.collapseAll();
    QCOMPARE(expandedCount(tree), 0);
    tree.expandAll();
    QCOMPARE(expandedCount(tree), 4);
}

void TestTreeIndent::bulkOperationsOnAnEmptyTree()
{
    TTreeIndent tree;
    tree.expandAll();
    tree.collapseAll();
    tree.clearNodes();
    QCOMPARE(tree.model()->rowCount(), 0);
}

QTEST_MAIN(TestTreeIndent)
#include "tst_treeindent.moc"
