// Speed of the kanji layer: conversion of large files to Shift-JIS, the
// encoding guess, and the display codec's decoding.

#include "document/sourceforview.h"
#include "platform/codecs/encodingguess.h"
#include "platform/codecs/nkf32.h"
#include "platform/codecs/sjistext.h"
#include "kanjisamples.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace vorelind;

constexpr std::size_t kFileBytes = 10 * 1000 * 1000;

std::string tenMegabytes(std::string_view page)
{
    return repeated(page, kFileBytes / page.size() + 1);
}

const std::string& eucJpFile()
{
    static const std::string file = tenMegabytes(eucJpPage());
    return file;
}

const std::string& utf8File()
{
    static const std::string file = tenMegabytes(kSamplePage);
    return file;
}

const std::string& shiftJisFile()
{
    static const std::string file = tenMegabytes(shiftJis(kSamplePage));
    return file;
}

const std::string& asciiHeadThenEucJpFile()
{
    static const std::string file = tenMegabytes("<p>ascii only</p>\r\n") + eucJpPage();
    return file;
}

template <typename Conversion>
void measureThroughput(benchmark::State& state, const std::string& file, Conversion conversion)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(conversion(file));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}

void BM_NkfConvertEucJp(benchmark::State& state) { measureThroughput(state, eucJpFile(), NkfConvert); }
void BM_NkfConvertUtf8(benchmark::State& state) { measureThroughput(state, utf8File(), NkfConvert); }
void BM_NkfConvertShiftJisPassThrough(benchmark::State& state) { measureThroughput(state, shiftJisFile(), NkfConvert); }

// The whole path of the source view: conversion, then the line-break rule.
void BM_ConvertedSourceTextEucJp(benchmark::State& state)
{
    measureThroughput(state, eucJpFile(),
                      [](std::string_view file) { return convertedSourceText(std::string(file), true); });
}

void guess(benchmark::State& state, const std::string& file)
{
    std::size_t examined = 0;
    for (auto _ : state)
        examined = guessEncoding(file).bytesExamined;
    state.counters["fileBytes"] = static_cast<double>(file.size());
    state.counters["bytesExamined"] = static_cast<double>(examined);
}

void BM_GuessEucJp(benchmark::State& state) { guess(state, eucJpFile()); }
void BM_GuessShiftJis(benchmark::State& state) { guess(state, shiftJisFile()); }
void BM_GuessAsciiHeadThenEucJp(benchmark::State& state) { guess(state, asciiHeadThenEucJpFile()); }

// What the windows pay to show a long Shift-JIS text.
void BM_SjisToUtf16(benchmark::State& state) { measureThroughput(state, shiftJisFile(), sjisToUtf16); }

} // namespace

BENCHMARK(BM_NkfConvertEucJp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NkfConvertUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NkfConvertShiftJisPassThrough)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertedSourceTextEucJp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GuessEucJp)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GuessShiftJis)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GuessAsciiHeadThenEucJp)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SjisToUtf16)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
