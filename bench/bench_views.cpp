// The views on the pages that froze or killed them: the main window on a
// page that is one line of 16 MB (an inline image, say), from the
// double-click to every tab shown and scrolled to its end; and the tag tree
// 70,000 levels deep, expanded, scrolled to its end and collapsed. Then the
// editable, wrapping source text on growing pages and lines, loaded,
// scrolled to its end and made narrower: where it stops answering at once,
// the source view keeps to its rows.
//
// Usage: QT_QPA_PLATFORM=offscreen bench_views [LINE_MB] [LEVELS]
// (bench/run-views-benchmark.sh runs it.)

#include "ui/applicationsetup.h"
#include "ui/errorreport.h"
#include "ui/sourcerowview.h"
#include "ui/sourcetextedit.h"
#include "ui/sourceview.h"
#include "ui/treeindent.h"
#include "windowbench.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

using namespace vorelind;

// Runs a step, lets the views lay out and paint, and prints its wall time:
// the time until the window answers input again.
void timed(const char* name, const std::function<void()>& step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    QApplication::processEvents();
    std::printf("%-40s %6lld ms\n", name, static_cast<long long>(timer.elapsed()));
}

// Notes when a widget is first painted.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& widget, const QElapsedTimer& clock)
        : m_clock(clock)
    {
        widget.installEventFilter(this);
    }
    qint64 at() const { return m_at; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_at < 0)
            m_at = m_clock.elapsed();
        return false;
    }

private:
    const QElapsedTimer& m_clock;
    qint64 m_at = -1;
};

void scrollToEnd(QAbstractItemView& view)
{
    view.scrollToBottom();
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    view.repaint();
}

void showTab(QTabWidget& tabs, const char* name, QWidget& view)
{
    tabs.setCurrentWidget(tabs.findChild<QWidget*>(QLatin1String(name)));
    view.repaint();
}

int benchLongLine(int megabytes)
{
    QTemporaryDir program;
    QTemporaryDir documents;
    QFile page(documents.filePath(QStringLiteral("line.html")));
    if (!page.open(QIODevice::WriteOnly))
        return 1;
    page.write("<html><body><img src=\"data:image/png;base64,");
    page.write(QByteArray(megabytes * 1024 * 1024, 'A'));
    page.write("\"></body></html>");
    page.close();

    TStructedHtmlForm form(program.filePath(QStringLiteral("vorelind")));
    form.resize(1000, 700);
    showWithFirstFile(form, documents.path());
    auto& tabs = *control<QTabWidget>(form, "PageControl1");
    auto& source = control<SourceView>(form, "Memo1")->rowView();
    auto& listing = *control<QAbstractItemView>(form, "ShowResultList");
    auto& tree = *control<QAbstractItemView>(form, "TreeIndent1");

    std::printf("page of one line:                        %d MB\n", megabytes);
    QElapsedTimer clock;
    const FirstPaint sourcePainted(*source.viewport(), clock);
    clock.start();
    timed("double-click to tree", [&] { runHandler([&] { form.FileListBox1DblClick(); }); });
    std::printf("%-40s %6lld ms\n", "  of which until the source was painted", static_cast<long long>(sourcePainted.at()));
    for (const AnsweredMessage& message : ModalSeam::takeAnsweredMessages()) {
        std::fprintf(stderr, "bench_views: %s\n", qPrintable(message.text));
        return 1;
    }
    timed("source tab shown", [&] { showTab(tabs, "TabOriginal", source); });
    timed("source scrolled to its end", [&] { scrollToEnd(source); });
    timed("listing tab shown", [&] { showTab(tabs, "TabIndented", listing); });
    timed("listing scrolled to its end", [&] { scrollToEnd(listing); });
    timed("structure tab shown", [&] { showTab(tabs, "TabStructure", tree); });
    return 0;
}

void benchDeepTree(int levels)
{
    // Line n holds n blanks and a letter, each a view into one buffer.
    const std::string buffer = std::string(static_cast<std::size_t>(levels), ' ') + "x";
    std::vector<std::string_view> lines;
    for (std::size_t depth = 0; depth < static_cast<std::size_t>(levels); ++depth)
        lines.push_back(std::string_view(buffer).substr(buffer.size() - 1 - depth));
    TTreeIndent tree;
    tree.resize(600, 400);
    tree.show();
    QApplication::processEvents();

    std::printf("tree levels:                             %d\n", levels);
    timed("tree filled", [&] { tree.LoadIndentedLines(indentedLines(lines)); });
    timed("expand all", [&] { tree.expandAll(); });
    timed("expanded tree scrolled to its end", [&] { scrollToEnd(tree); });
    std::printf("shown rows:                              %d\n", tree.model()->rowCount());
    timed("collapse all", [&] { tree.collapseAll(); });
}

// A page of lines of 100 bytes, or of one line as long as the page.
void benchSourceText(std::size_t bytes, bool oneLine)
{
    std::string page;
    page.reserve(bytes + 100);
    while (page.size() < bytes)
        page += oneLine ? std::string(100, 'A') : "<p class=\"a\">" + std::string(82, 'x') + "</p>\r\n";
    SourceTextEdit text;
    text.resize(1000, 700);
    text.show();
    QApplication::processEvents();

    std::printf("%s of %zu KB:\n", oneLine ? "one line" : "a page", bytes / 1024);
    timed("  loaded and painted", [&] {
        text.setSource(std::make_shared<const std::string>(std::move(page)));
        text.repaint();
    });
    timed("  scrolled to its end", [&] {
        text.verticalScrollBar()->setValue(text.verticalScrollBar()->maximum());
        text.repaint();
    });
    timed("  made narrower, wrapped again", [&] {
        text.resize(500, 700);
        text.repaint();
    });
}

} // namespace

int main(int argc, char* argv[])
{
    // The window reads and writes its settings: never the user's own.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication application(argc, argv);
    setUpApplication();
    ModalSeam::answerForTests();
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 16;
    const int levels = argc > 2 ? std::atoi(argv[2]) : 70000;
    if (benchLongLine(megabytes) != 0)
        return 1;
    benchDeepTree(levels);
    for (const std::size_t kilobytes : {1024, 2048, 4096, 8192})
        benchSourceText(kilobytes * 1024, false);
    for (const std::size_t kilobytes : {16, 32, 64, 256})
        benchSourceText(kilobytes * 1024, true);
    return 0;
}
