#include "tree/indenttreemodel.h"
#include "shownrows.h"
#include "treeoutline.h"

#include <QAbstractItemModelTester>
#include <QTest>

#include <string>
#include <vector>

using namespace vorelind;

namespace {

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

class TestIndentTreeModel : public QObject {
    Q_OBJECT

private slots:
    void modelHoldsTheFilledTree_data();
    void modelHoldsTheFilledTree();
    void expandingAndCollapsingShowTheRows_data();
    void expandingAndCollapsingShowTheRows();
};

void TestIndentTreeModel::modelHoldsTheFilledTree_data()
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

void TestIndentTreeModel::modelHoldsTheFilledTree()
{
    QFETCH(std::vector<std::string>, lines);
    QFETCH(QStringList, expected);
    IndentTreeModel model;
    model.load(indentedLines(viewsOf(lines)));
    QCOMPARE(outline(model.tree()), expected);
}

void TestIndentTreeModel::expandingAndCollapsingShowTheRows_data()
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

void TestIndentTreeModel::expandingAndCollapsingShowTheRows()
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

QTEST_GUILESS_MAIN(TestIndentTreeModel)
#include "tst_indenttreemodel.moc"
