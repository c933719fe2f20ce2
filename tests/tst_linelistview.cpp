#include "ui/linelistview.h"

#include <QScrollBar>
#include <QTest>

#include <string>
#include <vector>

using namespace vorelind;

class TestLineListView : public QObject {
    Q_OBJECT

private slots:
    void rowsAreAsWideAsTheLongest_data();
    void rowsAreAsWideAsTheLongest();
};

void TestLineListView::rowsAreAsWideAsTheLongest_data()
{
    QTest::addColumn<std::size_t>("longest");
    QTest::addColumn<bool>("filledWhileHidden");
    QTest::addColumn<bool>("scrolls");

    QTest::newRow("short rows") << std::size_t(3) << false << false;
    QTest::newRow("a long row before a short one") << std::size_t(300) << false << true;
    // Measured only once the view is shown.
    QTest::newRow("filled while hidden") << std::size_t(300) << true << true;
}

// Rows share one size, which one row alone would set.
void TestLineListView::rowsAreAsWideAsTheLongest()
{
    QFETCH(std::size_t, longest);
    QFETCH(bool, filledWhileHidden);
    QFETCH(bool, scrolls);
    LineListView view;
    view.resize(150, 100);
    const std::vector<std::string> lines{std::string(longest, 'x'), "a"};
    if (filledWhileHidden)
        view.lineModel().setLines(lines);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    if (!filledWhileHidden)
        view.lineModel().setLines(lines);
    QCoreApplication::processEvents();
    QCOMPARE(view.horizontalScrollBar()->maximum() > 0, scrolls);
}

QTEST_MAIN(TestLineListView)
#include "tst_linelistview.moc"
