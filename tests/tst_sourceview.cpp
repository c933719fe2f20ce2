#include "platform/codecs/displaytext.h"
#include "ui/rowwidthdelegate.h"
#include "ui/sourceview.h"
#include "testlines.h"
#include "windowtest.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QScrollBar>
#include <QStringListModel>
#include <QTest>

#include <numeric>
#include <string>

using namespace vorelind;

constexpr std::size_t kRow = SourceRows::kRowBytes;

// More lines than the view indexes before it is shown; the rest come later.
constexpr int kManyLines = 3000;

std::string repeated(std::string_view text, int times)
{
    std::string joined;
    for (int time = 0; time < times; ++time)
        joined += text;
    return joined;
}

class TestSourceView : public QObject {
    Q_OBJECT

private slots:
    void sourceIsShownInRows_data();
    void sourceIsShownInRows();
    void rowsArePaintedWithoutTheEventLoop();
    void shownViewHasAllRows();
    void rowLaidOutLaterIsScrolledTo();
    void rowsAreAsWideAsTheLongest();
    void rowOfAMegabyteIsShownCut();
    void rowsBeginningALineAreNumbered_data();
    void rowsBeginningALineAreNumbered();
};

void TestSourceView::sourceIsShownInRows_data()
{
    QTest::addColumn<std::string>("source");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("nothing, no rows") << std::string() << QStringList{};
    QTest::newRow("CR LF, LF and a lone CR each end a line")
        << std::string("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty lines stay, the last break starts no row")
        << std::string("a\r\n\r\n\nb\r\n") << QStringList{"a", "", "", "b"};
    QTest::newRow("shift-jis decoded for display") << std::string("<p>\x95\x5c\x8e\xa6") << QStringList{"<p>表示"};
    QTest::newRow("a long line goes on over rows")
        << std::string(kRow + 1, 'a') + "\nb" << QStringList{QString(kRow, 'a'), "a", "b"};
    QTest::newRow("a character across the cut opens the next row")
        << std::string(kRow - 1, 'a') + "\x95\x5c" + "b" << QStringList{QString(kRow - 1, 'a'), "表b"};
    QTest::newRow("a line of exactly one row") << std::string(kRow, 'a') << QStringList{QString(kRow, 'a')};
    QTest::newRow("rows beyond the first shown") << repeated("a\r\n", kManyLines) << QStringList(kManyLines, "a");
}

void TestSourceView::sourceIsShownInRows()
{
    QFETCH(std::string, source);
    QFETCH(QStringList, rows);
    SourceView view;
    view.show();
    QAbstractItemModelTester tester(view.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    view.setSource(std::make_shared<const std::string>(repeated("old\r\n", kManyLines)));
    view.setSource(std::make_shared<const std::string>(source));
    // The rows beyond the first come from the background thread.
    QTRY_COMPARE(displayedRows(*view.model()), rows);
}

// The window repaints the source tab and starts the walk without a pass of
// the event loop in between.
void TestSourceView::rowsArePaintedWithoutTheEventLoop()
{
    SourceView view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage empty = view.viewport()->grab().toImage();
    view.setSource(std::make_shared<const std::string>("<html>\r\n<body>\r\n"));
    QVERIFY(view.viewport()->grab().toImage() != empty);
}

// The user who turns to the source before its index is done sees all of it.
void TestSourceView::shownViewHasAllRows()
{
    SourceView view;
    view.setSource(std::make_shared<const std::string>(repeated("line\r\n", kManyLines)));
    view.show();
    QCOMPARE(view.model()->rowCount(), kManyLines);
}

// Rows beyond the first batch are laid out between later events; going to
// one before then must still bring it into view.
void TestSourceView::rowLaidOutLaterIsScrolledTo()
{
    SourceView view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    std::string source;
    for (int line = 0; line < 100000; ++line)
        source += "<p>\r\n";
    view.setSource(std::make_shared<const std::string>(source));
    view.selectBytes(source.size() - 5, 3);
    const QRect lastRow = view.visualRect(view.model()->index(view.model()->rowCount() - 1, 0));
    QVERIFY(view.viewport()->rect().intersects(lastRow));
}

// Rows share one size, which the last row alone would set.
void TestSourceView::rowsAreAsWideAsTheLongest()
{
    SourceView view;
    view.resize(150, 100);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setSource(std::make_shared<const std::string>("  " + std::string(300, 'x') + "\r\na"));
    QCoreApplication::processEvents();
    QVERIFY(view.horizontalScrollBar()->maximum() > 0);
}

// The listing shows a line of an inline image as one row; laid out whole it
// froze the window for minutes.
void TestSourceView::rowOfAMegabyteIsShownCut()
{
    const qsizetype shown = kShownTextLength;
    QStringListModel rows({QString(1 << 20, 'a'), QString(shown, 'a') + QChar(0x2026), QString(shown, 'a')});
    QListView view;
    view.setModel(&rows);
    RowWidthDelegate delegate;
    QStyleOptionViewItem option;
    option.initFrom(&view);
    const auto width = [&](int row) { return delegate.sizeHint(option, rows.index(row)).width(); };
    QCOMPARE(width(0), width(1));
    QVERIFY(width(2) < width(1));
}

void TestSourceView::rowsBeginningALineAreNumbered_data()
{
    QTest::addColumn<std::string>("source");
    QTest::addColumn<QList<int>>("numbers");

    QTest::newRow("lines end at CR LF") << std::string("a\r\nb") << QList<int>{1, 2};
    QTest::newRow("empty lines count") << std::string("\r\n\r\nx") << QList<int>{1, 2, 3};
    QTest::newRow("a row after a lone LF goes on with its line") << std::string("a\nb\r\nc") << QList<int>{1, 0, 2};
    QTest::newRow("a long line's further rows") << std::string(kRow + 1, 'a') + "\r\nb" << QList<int>{1, 0, 2};
    QList<int> allNumbered(kManyLines);
    std::iota(allNumbered.begin(), allNumbered.end(), 1);
    QTest::newRow("lines beyond the first shown") << repeated("a\r\n", kManyLines - 1) + "a" << allNumbered;
}

void TestSourceView::rowsBeginningALineAreNumbered()
{
    QFETCH(std::string, source);
    QFETCH(QList<int>, numbers);
    SourceView view;
    view.setSource(std::make_shared<const std::string>(source));
    view.showAllRows();
    QList<int> shown;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        shown << static_cast<int>(view.lineNumberOfRow(row));
    QCOMPARE(shown, numbers);
}

QTEST_MAIN(TestSourceView)
#include "tst_sourceview.moc"
