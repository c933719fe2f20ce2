// Throughput of the document engine on a generated page.
// The page comes from VORELIND_BENCH_PAGE (see bench/run-benchmarks.sh).

#include "document/exporttidy.h"
#include "document/indentwalk.h"
#include "document/listing.h"
#include "document/runlogfile.h"
#include "document/sourceloader.h"
#include "document/tagbalance.h"
#include "tree/indenttree.h"
#include "tree/listingtreelines.h"
#include "tree/treefill.h"
#include "listingoftext.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using namespace vorelind;

const std::string& pageSource()
{
    static const std::string source = [] {
        const char* path = std::getenv("VORELIND_BENCH_PAGE");
        return loadText(readFileBytes(path ? path : "bench/data/page10.html"));
    }();
    return source;
}

void BM_WalkWithoutRunLog(benchmark::State& state)
{
    const std::string& source = pageSource();
    const ExcludedTags excluded;
    for (auto _ : state)
        benchmark::DoNotOptimize(indentSource(source, excluded));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.size()));
}
BENCHMARK(BM_WalkWithoutRunLog)->Unit(benchmark::kMillisecond);

// The walk as the window and the tree command make it: into an indexed listing.
void BM_WalkIntoListing(benchmark::State& state)
{
    const std::string& source = pageSource();
    const ExcludedTags excluded;
    for (auto _ : state) {
        Listing listing;
        walkSource(source, excluded, {}, listing);
        listing.finish();
        benchmark::DoNotOptimize(listing.lineCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.size()));
}
BENCHMARK(BM_WalkIntoListing)->Unit(benchmark::kMillisecond);

void BM_WalkWithRunLog(benchmark::State& state)
{
    const std::string& source = pageSource();
    const ExcludedTags excluded;
    const std::string logPath = "bench-runlog-" + std::to_string(getpid()) + ".log";
    for (auto _ : state) {
        RunLogFile runLog(logPath);
        WalkSinks sinks;
        sinks.runLog = &runLog;
        benchmark::DoNotOptimize(indentSource(source, excluded, sinks));
        runLog.close();
        state.PauseTiming();
        std::remove(logPath.c_str());
        std::remove((logPath + ".1").c_str()); // the part set aside past the log's size
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.size()));
}
BENCHMARK(BM_WalkWithRunLog)->Unit(benchmark::kMillisecond);

// The tag balance on the same page, to set beside the walk without run log.
void BM_TagBalance(benchmark::State& state)
{
    const std::string& source = pageSource();
    const ExcludedTags excluded;
    for (auto _ : state)
        benchmark::DoNotOptimize(unbalancedTags(source, excluded));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.size()));
}
BENCHMARK(BM_TagBalance)->Unit(benchmark::kMillisecond);

// The same under HTML's rules, which the site check applies to most pages.
void BM_TagBalanceHtml(benchmark::State& state)
{
    const std::string& source = pageSource();
    const ExcludedTags excluded;
    for (auto _ : state)
        benchmark::DoNotOptimize(unbalancedTags(source, excluded, TagRules::Html));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.size()));
}
BENCHMARK(BM_TagBalanceHtml)->Unit(benchmark::kMillisecond);

// The tree filled from the page's walked listing, as the window and the
// tree command fill it.
void BM_TreeFillFromListing(benchmark::State& state)
{
    Listing listing;
    walkSource(pageSource(), ExcludedTags(), {}, listing);
    listing.finish();
    for (auto _ : state) {
        IndentTree tree;
        tree.reserve(listing.lineCount());
        loadIndentedLines(tree, treeLinesOf(listing));
        benchmark::DoNotOptimize(tree.nodeCount());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(listing.lineCount()));
}
BENCHMARK(BM_TreeFillFromListing)->Unit(benchmark::kMillisecond);

void BM_ExportTidy(benchmark::State& state)
{
    const std::string listing = indentSource(pageSource(), ExcludedTags());
    for (auto _ : state) {
        Listing lines = listingOfText(listing);
        tidyForExport(lines);
        benchmark::DoNotOptimize(lines.lineCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(listing.size()));
}
BENCHMARK(BM_ExportTidy)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
