// The main window on a generated page, offscreen: the time from the
// double-click to the standing tree (conversion and run log on), from the tree to
// its marks, which the background thread finds meanwhile, the times of expand all
// and collapse all on that tree, of the next and previous mark and of the moves between
// the tree and the source on it all expanded (each to stay under 50 ms), of the next mark
// in the collapsed tree, and the peak memory of the process.
//
// Usage: QT_QPA_PLATFORM=offscreen bench_window PAGE
// (bench/run-window-benchmark.sh sets it up and compares with vorelind-cli.)

#include "ui/applicationsetup.h"
#include "ui/errorreport.h"
#include "ui/treeindent.h"
#include "windowbench.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include <cstdio>
#include <sys/resource.h>

namespace {

using namespace vorelind;

// Wall-clock and processor time of one step, in milliseconds.
struct StepTime {
    qint64 wall;
    qint64 processor;
};

qint64 processorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& time) { return qint64(time.tv_sec) * 1000 + time.tv_usec / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Runs a step and lets the views lay themselves out and paint. The
// processor time is the fairer figure on a machine shared with other work.
StepTime timed(const std::function<void()>& step)
{
    QElapsedTimer timer;
    const qint64 processorBefore = processorMs();
    timer.start();
    step();
    QApplication::processEvents();
    return {timer.elapsed(), processorMs() - processorBefore};
}

void printStep(const char* name, const StepTime& time)
{
    std::printf("%-27s %lld ms (processor %lld ms)\n", name, static_cast<long long>(time.wall),
                static_cast<long long>(time.processor));
}

long peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[])
{
    const BenchFolders folders;
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_window PAGE\n");
        return 2;
    }
    setUpApplication();
    ModalSeam::answerForTests();
    const QString page = folders.copyPage(argv[1]);
    if (page.isEmpty()) {
        std::fprintf(stderr, "bench_window: cannot read %s\n", argv[1]);
        return 1;
    }

    TStructedHtmlForm form(folders.programPath());
    showWithFirstFile(form, folders.documentsPath());
    control<QCheckBox>(form, "isShiftJis")->setChecked(true);

    const StepTime load = timed([&] { runHandler([&] { form.FileListBox1DblClick(); }); });
    const double loadPeakMiB = peakMemoryKiB() / 1024.0;
    const QLabel& markStatus = *control<QLabel>(form, "MarkStatus");
    const StepTime marks = timed([&] {
        while (markStatus.text().isEmpty())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    });
    for (const AnsweredMessage& message : ModalSeam::takeAnsweredMessages()) {
        std::fprintf(stderr, "bench_window: %s\n", qPrintable(message.text));
        return 1;
    }
    auto* listing = control<QAbstractItemView>(form, "ShowResultList");
    auto* tree = control<TTreeIndent>(form, "TreeIndent1");
    const StepTime listingScroll = timed([&] { listing->scrollToBottom(); });
    const StepTime expand = timed([&] { control<QPushButton>(form, "ExpandBtn")->click(); });
    const StepTime treeScroll = timed([&] { tree->scrollToBottom(); });
    const auto command = [&form](const char* name) { return [&form, name] { control<QAction>(form, name)->trigger(); }; };
    tree->setCurrentIndex(tree->model()->index(tree->model()->rowCount() / 2, 0));
    const StepTime nextMark = timed(command("NextMark"));
    const StepTime previousMark = timed(command("PreviousMark"));
    const StepTime toSource = timed(command("SourceJump"));
    const StepTime toTree = timed(command("StructureJump"));
    const StepTime collapse = timed([&] { control<QPushButton>(form, "CollapseBtn")->click(); });
    const StepTime collapsedNextMark = timed(command("PreviousMark"));

    const qint64 pageBytes = QFileInfo(page).size();
    const double peakMiB = peakMemoryKiB() / 1024.0;
    std::printf("page:                       %lld bytes\n", static_cast<long long>(pageBytes));
    std::printf("tree nodes:                 %lld\n",
                static_cast<long long>(tree->indentModel().tree().nodeCount()));
    std::printf("listing lines:              %lld\n", static_cast<long long>(listing->model()->rowCount()));
    printStep("double-click to tree:", load);
    printStep("then to the marks:", marks);
    printStep("listing to its last line:", listingScroll);
    printStep("expand all:", expand);
    printStep("expanded tree to its end:", treeScroll);
    printStep("next mark, all expanded:", nextMark);
    printStep("previous mark:", previousMark);
    printStep("node to source:", toSource);
    printStep("source to node:", toTree);
    printStep("collapse all:", collapse);
    printStep("last mark, all collapsed:", collapsedNextMark);
    std::printf("marks:                      %s\n", qPrintable(markStatus.text()));
    std::printf("peak memory to the tree:    %.1f MiB (%.1f x the page)\n", loadPeakMiB,
                loadPeakMiB * 1024 * 1024 / static_cast<double>(pageBytes));
    std::printf("peak memory:                %.1f MiB (%.1f x the page)\n", peakMiB,
                peakMiB * 1024 * 1024 / static_cast<double>(pageBytes));
    return 0;
}
