#include "platform/codecs/displaytext.h"
#include "ui/rowwidthdelegate.h"
#include "ui/sourcerowview.h"
#include "ui/sourcetextedit.h"
#include "ui/sourceview.h"
#include "testlines.h"
#include "windowtest.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QScrollBar>
#include <QStringListModel>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <numeric>
#include <string>

using namespace vorelind;

constexpr std::size_t kRow = SourceIndex::kRowBytes;

// More lines than the view indexes before it is shown; the rest come later.
constexpr int kManyLines = 3000;

std::string repeated(std::string_view text, int times)
{
    std::string joined;
    for (int time = 0; time < times; ++time)
        joined += text;
    return joined;
}

// Notes whether rows were in sight when the line numbers were last painted.
class NumberPaintWatch : public QObject {
public:
    explicit NumberPaintWatch(const SourceRowView& view)
        : m_view(view)
    {
    }
    bool rowsAtLastPaint = false;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            rowsAtLastPaint = m_view.indexAt(QPoint(0, 0)).isValid();
        return false;
    }

private:
    const SourceRowView& m_view;
};

class TestSourceView : public QObject {
    Q_OBJECT

private slots:
    void sourceIsShownInRows_data();
    void sourceIsShownInRows();
    void rowsArePaintedWithoutTheEventLoop();
    void shownViewHasAllRows();
    void rowLaidOutLaterIsScrolledTo();
    void numbersFollowTheRowsLaidOutLater();
    void rowsAreAsWideAsTheLongest();
    void rowOfAMegabyteIsShownCut();
    void rowsBeginningALineAreNumbered_data();
    void rowsBeginningALineAreNumbered();
    void pageWithinTheBoundsIsShownAsText_data();
    void pageWithinTheBoundsIsShownAsText();
    void textWrapsAtTheViewsWidth();
    void editStaysInTheView();
    void selectionReachesAssistiveTools_data();
    void selectionReachesAssistiveTools();
};

void TestSourceView::sourceIsShownInRows_data()
{
    QTest::addColumn<std::string>("source");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("nothing, no rows") << std::string() << QStringList{};
    QTest::newRow("shift-jis decoded for display") << std::string("<p>\x95\x5c\x8e\xa6") << QStringList{"<p>表示"};
    QTest::newRow("rows beyond the first shown") << repeated("a\r\n", kManyLines) << QStringList(kManyLines, "a");
}

void TestSourceView::sourceIsShownInRows()
{
    QFETCH(std::string, source);
    QFETCH(QStringList, rows);
    SourceRowView view;
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
    SourceRowView view;
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
    SourceRowView view;
    view.setSource(std::make_shared<const std::string>(repeated("line\r\n", kManyLines)));
    view.show();
    QCOMPARE(view.model()->rowCount(), kManyLines);
}

// Rows beyond the first batch are laid out between later events; going to
// one before then must still bring it into view.
void TestSourceView::rowLaidOutLaterIsScrolledTo()
{
    SourceRowView view;
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

// The numbers' column is painted before the batches give the rows their
// places; it stayed empty until the user scrolled.
void TestSourceView::numbersFollowTheRowsLaidOutLater()
{
    SourceRowView view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    NumberPaintWatch watch(view);
    view.findChild<QWidget*>(QStringLiteral("LineNumbers"))->installEventFilter(&watch);
    view.setSource(std::make_shared<const std::string>(repeated("<p>\r\n", 100000)));
    QTRY_VERIFY(watch.rowsAtLastPaint);
}

// Rows share one size, which the last row alone would set.
void TestSourceView::rowsAreAsWideAsTheLongest()
{
    SourceRowView view;
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
    SourceRowView view;
    view.setSource(std::make_shared<const std::string>(source));
    view.showAllRows();
    QList<int> shown;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        shown << static_cast<int>(view.lineNumberOfRow(row));
    QCOMPARE(shown, numbers);
    // The text numbers its lines as the rows do; its lines are not cut.
    SourceTextEdit text;
    text.setSource(std::make_shared<const std::string>(source));
    QList<int> inText;
    for (int block = 0; block < text.blockCount(); ++block)
        inText << static_cast<int>(text.lineNumberOfBlock(block));
    numbers.removeAll(0);
    inText.removeAll(0);
    QCOMPARE(inText, numbers);
}

void TestSourceView::pageWithinTheBoundsIsShownAsText_data()
{
    QTest::addColumn<std::string>("source");
    QTest::addColumn<bool>("asText");

    const std::string line(99, 'a');
    QTest::newRow("an ordinary page") << repeated(line + "\r\n", 1000) << true;
    QTest::newRow("a line at the bound, closing the page")
        << "a\r\n" + std::string(SourceView::kTextLineBytes, 'a') << true;
    QTest::newRow("a line over the bound, cut by a lone CR")
        << "a\r" + std::string(SourceView::kTextLineBytes + 1, 'a') + "\rb" << false;
    QTest::newRow("a page over the bound")
        << repeated(line + "\n", SourceView::kTextPageBytes / 100 + 1) << false;
}

// A line of megabytes, or a page of hundreds, froze a text layout.
void TestSourceView::pageWithinTheBoundsIsShownAsText()
{
    QFETCH(std::string, source);
    QFETCH(bool, asText);
    SourceView view;
    view.setSource(std::make_shared<const std::string>(source));
    QCOMPARE(view.showsText(), asText);
    QCOMPARE(view.textView().document()->isEmpty(), !asText);
}

// A line of 720 bytes ran off to the right under a scroll bar.
void TestSourceView::textWrapsAtTheViewsWidth()
{
    SourceView view;
    view.resize(600, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setSource(std::make_shared<const std::string>("<p>\r\n" + repeated("abcdefgh ", 80) + "</p>\r\n"));
    SourceTextEdit& text = view.textView();
    const auto rowsOfTheLongLine = [&] {
        QCoreApplication::processEvents();
        return text.document()->findBlockByNumber(1).layout()->lineCount();
    };
    const int wide = rowsOfTheLongLine();
    view.resize(300, 300);
    const int narrow = rowsOfTheLongLine();
    QVERIFY2(wide > 1 && narrow > wide, qPrintable(QStringLiteral("%1, then %2").arg(wide).arg(narrow)));
    QCOMPARE(text.horizontalScrollBar()->maximum(), 0);
}

// Typing changes the view and nothing else; the jumps keep to the loaded bytes.
void TestSourceView::editStaysInTheView()
{
    const std::string source = "\x95\x5c\r\n<p>one</p>\r\n";
    SourceView view;
    view.show();
    view.setSource(std::make_shared<const std::string>(source));
    view.selectBytes(4, 3);
    QCOMPARE(view.textView().textCursor().selectedText(), QStringLiteral("<p>"));
    QTest::keyClicks(&view.textView(), "new");
    QCOMPARE(view.textView().toPlainText(), QStringLiteral("表\nnewone</p>\n"));
    QCOMPARE(*view.source(), source);
    QVERIFY(view.selectedBytes().empty());
    view.selectBytes(7, 3);
    QCOMPARE(view.selectedBytes(), std::string_view("one"));
}

void TestSourceView::selectionReachesAssistiveTools_data()
{
    QTest::addColumn<std::string>("before");

    QTest::newRow("text: the selected text") << std::string("<html>\r\n");
    QTest::newRow("rows: the selected rows")
        << "<img src=\"" + std::string(SourceView::kTextLineBytes, 'A') + "\">\r\n";
}

// The bytes that a jump selected were drawn selected and nothing more: an
// assistive tool saw no name, no selected row and no selected text.
void TestSourceView::selectionReachesAssistiveTools()
{
    QFETCH(std::string, before);
    const QString caption = QStringLiteral("「a.htm」　オリジナル");
    SourceView view;
    view.setCaption(caption);
    view.setSource(std::make_shared<const std::string>(before + "<p>x</p>\r\n"));
    view.show();
    view.selectBytes(before.size(), 8);

    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(view.currentWidget());
    QVERIFY(shown);
    QCOMPARE(shown->text(QAccessible::Name), caption);
    if (QAccessibleTextInterface* text = shown->textInterface()) {
        int start = 0;
        int end = 0;
        text->selection(0, &start, &end);
        QCOMPARE(text->text(start, end), QStringLiteral("<p>x</p>"));
        return;
    }
    QVERIFY(shown->tableInterface());
    const QList<QAccessibleInterface*> selected = shown->tableInterface()->selectedCells();
    QCOMPARE(selected.size(), 1);
    QVERIFY(selected.at(0)->state().selected);
    QCOMPARE(selected.at(0)->text(QAccessible::Name), QStringLiteral("<p>x</p>"));
}

QTEST_MAIN(TestSourceView)
#include "tst_sourceview.moc"
