#include "tools/kivalter/analysiswindow.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <QTest>

#include <string_view>
#include <vector>

using namespace vorelind;

namespace {

// LI is left open twice; UL balances; SPAN has a stray end.
constexpr std::string_view kListing = "<ul>\r\n  <li>one\r\n    <li>two\r\n    </ul>\r\n</span>\r\n<p>\r\n</p>\r\n";

class WindowFixture {
public:
    WindowFixture()
        : window(analyseListing(std::string(kListing)), "title")
    {
        window.show();
        lines = window.findChild<QTableView*>("lines");
        tags = window.findChild<QTableView*>("tags");
        chart = window.findChild<QWidget*>("chart");
    }

    void clickTag(const QString& name)
    {
        const QAbstractItemModel* model = tags->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, 0);
            if (index.data().toString() == name)
                QTest::mouseClick(tags->viewport(), Qt::LeftButton, {}, tags->visualRect(index).center());
        }
    }

    int currentLine() const { return lines->currentIndex().row(); }

    AnalysisWindow window;
    QTableView* lines = nullptr;
    QTableView* tags = nullptr;
    QWidget* chart = nullptr;
};

} // namespace

class TestKivalterWindow : public QObject {
    Q_OBJECT

private slots:
    void clicksOnTagGoThroughItsLines_data();
    void clicksOnTagGoThroughItsLines();
    void chartClickGoesToLine();
    void nextUnmatchedWrapsAround();
};

void TestKivalterWindow::clicksOnTagGoThroughItsLines_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QList<int>>("linesVisited");

    QTest::newRow("unmatched lines only, then from the first again") << "LI" << QList<int>{1, 2, 1};
    QTest::newRow("every line of a balanced tag") << "UL" << QList<int>{0, 3, 0};
    QTest::newRow("a stray end tag") << "SPAN" << QList<int>{4, 4};
}

void TestKivalterWindow::clicksOnTagGoThroughItsLines()
{
    QFETCH(QString, tag);
    QFETCH(QList<int>, linesVisited);
    WindowFixture fixture;
    QVERIFY(fixture.lines && fixture.tags);

    QList<int> visited;
    for (qsizetype i = 0; i < linesVisited.size(); ++i) {
        fixture.clickTag(tag);
        visited << fixture.currentLine();
    }

    QCOMPARE(visited, linesVisited);
}

void TestKivalterWindow::chartClickGoesToLine()
{
    WindowFixture fixture;
    QVERIFY(fixture.chart);

    QTest::mouseClick(fixture.chart, Qt::LeftButton, {}, QPoint(fixture.chart->width() - 8, 20));
    QCOMPARE(fixture.currentLine(), 6);
    QTest::mouseClick(fixture.chart, Qt::LeftButton, {}, QPoint(2, 20));
    QCOMPARE(fixture.currentLine(), 0);
}

void TestKivalterWindow::nextUnmatchedWrapsAround()
{
    WindowFixture fixture;
    fixture.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture.window));

    QList<int> visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(&fixture.window, Qt::Key_F3);
        visited << fixture.currentLine();
    }
    QTest::keyClick(&fixture.window, Qt::Key_F3, Qt::ShiftModifier);
    visited << fixture.currentLine();

    QCOMPARE(visited, (QList<int>{1, 2, 4, 1, 4}));
}

QTEST_MAIN(TestKivalterWindow)
#include "tst_kivalterwindow.moc"
