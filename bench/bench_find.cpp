// Find in the main window on a generated page, offscreen: the tree all
// expanded, the listing, the source, and the tree all collapsed. For each view, the time of
// the keystroke that completes the query (which finds every match, counts
// them and goes to the first) and of find-next and find-previous, each run
// many times: their median and their slowest run. Times are wall-clock,
// from the command to the window painted again.
//
// Usage: QT_QPA_PLATFORM=offscreen bench_find PAGE [QUERY] [STEPS]
// (bench/run-find-benchmark.sh generates the page of 10 MB and runs it.)

#include "ui/applicationsetup.h"
#include "ui/errorreport.h"
#include "ui/treeindent.h"
#include "windowbench.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace vorelind;

qint64 timedMs(const std::function<void()>& step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    QApplication::processEvents();
    return timer.elapsed();
}

// Runs the command the number of times and prints its median and slowest run.
void printRuns(const char* name, int runs, const std::function<void()>& command)
{
    std::vector<qint64> times;
    for (int run = 0; run < runs; ++run)
        times.push_back(timedMs(command));
    std::sort(times.begin(), times.end());
    std::printf("  %-24s median %4lld ms, slowest %4lld ms (%d runs)\n", name,
                static_cast<long long>(times[times.size() / 2]), static_cast<long long>(times.back()), runs);
}

// The query arrives whole, as an input method commits it: one search.
void typeQuery(TStructedHtmlForm& form, const QString& query)
{
    auto* field = control<QLineEdit>(form, "FindText");
    field->clear();
    QInputMethodEvent event;
    event.setCommitString(query);
    QApplication::sendEvent(field, &event);
}

void benchView(TStructedHtmlForm& form, const char* tab, const char* view, const QString& query, int steps)
{
    control<QTabWidget>(form, "PageControl1")->setCurrentWidget(control<QWidget>(form, tab));
    QApplication::processEvents();
    std::printf("%s (%d rows shown):\n", view, control<QAbstractItemView>(form, view)->model()->rowCount());
    control<QAction>(form, "Find1")->trigger();
    const qint64 typing = timedMs([&] { typeQuery(form, query); });
    std::printf("  %-24s %4lld ms, %s\n", "query typed:", static_cast<long long>(typing),
                qPrintable(control<QLabel>(form, "FindCount")->text()));
    printRuns("find-next (F3):", steps, [&] { control<QAction>(form, "FindNext1")->trigger(); });
    printRuns("find-previous (Shift+F3):", steps, [&] { control<QAction>(form, "FindPrev1")->trigger(); });
}

} // namespace

int main(int argc, char* argv[])
{
    const BenchFolders folders;
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_find PAGE [QUERY] [STEPS]\n");
        return 2;
    }
    setUpApplication();
    ModalSeam::answerForTests();
    const QString query = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("nesting");
    const int steps = argc > 3 ? std::max(1, std::atoi(argv[3])) : 50;
    const QString page = folders.copyPage(argv[1]);
    if (page.isEmpty()) {
        std::fprintf(stderr, "bench_find: cannot read %s\n", argv[1]);
        return 1;
    }

    TStructedHtmlForm form(folders.programPath());
    form.resize(1000, 700);
    showWithFirstFile(form, folders.documentsPath());
    runHandler([&] { form.FileListBox1DblClick(); });
    for (const AnsweredMessage& message : ModalSeam::takeAnsweredMessages()) {
        std::fprintf(stderr, "bench_find: %s\n", qPrintable(message.text));
        return 1;
    }
    control<QPushButton>(form, "ExpandBtn")->click();
    QApplication::processEvents();

    std::printf("page:        %lld bytes\n", static_cast<long long>(QFileInfo(page).size()));
    std::printf("tree nodes:  %zu\n", control<TTreeIndent>(form, "TreeIndent1")->indentModel().tree().nodeCount());
    std::printf("query:       %s\n", qPrintable(query));
    benchView(form, "TabStructure", "TreeIndent1", query, steps);
    benchView(form, "TabIndented", "ShowResultList", query, steps);
    benchView(form, "TabOriginal", "SourceRows", query, steps);
    // Each match found opens its collapsed ancestors.
    control<QPushButton>(form, "CollapseBtn")->click();
    benchView(form, "TabStructure", "TreeIndent1", query, steps);
    return 0;
}
