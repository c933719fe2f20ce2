// The settings store on files of many keys: parsing the file, reading the
// three settings as the window does at start, and storing them as it does
// at exit. Reading must grow with the file, not with its square.
//
// Every run works on a file in a folder of its own under the system's
// temporary folder, never on the user's settings.

#include "plainsettingsviews.h"
#include "platform/regfiletext.h"
#include "platform/registryfile.h"
#include "settings/settings.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace vorelind;

constexpr char kProgram[] = "vorelind";

// Keys of other programs before this program's key, so that every look-up
// has the whole file to pass.
std::string storeText(std::int64_t otherKeys)
{
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    for (std::int64_t i = 0; i < otherKeys; ++i) {
        text += "\r\n[HKEY_CURRENT_USER\\SOFTWARE\\ZEMBRAKO\\other" + std::to_string(i) + "\\HTMLTREESTRUCT]\r\n";
        text += "\"MASK\"=\"*.htm*\"\r\n";
    }
    text += "\r\n[HKEY_CURRENT_USER\\SOFTWARE\\ZEMBRAKO\\vorelind\\HTMLTREESTRUCT]\r\n";
    text += "\"MASK\"=\"*.htm*\"\r\n\"DIRECTORY\"=\"/\"\r\n\"NKF\"=\"1\"\r\n";
    return text;
}

// A folder of its own holding the store, removed at the end of the run.
class StoreFolder {
public:
    explicit StoreFolder(const std::string& text)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorelind-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        m_folder = pattern;
        std::ofstream(storePath(), std::ios::binary) << text;
    }
    ~StoreFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    StoreFolder(const StoreFolder&) = delete;
    StoreFolder& operator=(const StoreFolder&) = delete;

    std::string storePath() const { return (m_folder / "registry.reg").string(); }

private:
    std::filesystem::path m_folder;
};

void parseStore(benchmark::State& state)
{
    const std::string text = storeText(state.range(0));
    for (auto _ : state) {
        std::vector<RegFileKey> keys;
        std::size_t badLine = 0;
        benchmark::DoNotOptimize(parseRegFileText(text, keys, badLine));
    }
}

void readSettingsFromStore(benchmark::State& state)
{
    const StoreFolder folder(storeText(state.range(0)));
    RegistryFile registry(folder.storePath());
    PlainSettingsViews views;
    for (auto _ : state)
        readSettings(views, kProgram, registry);
}

void writeSettingsToStore(benchmark::State& state)
{
    const StoreFolder folder(storeText(state.range(0)));
    RegistryFile registry(folder.storePath());
    PlainSettingsViews views;
    readSettings(views, kProgram, registry);
    for (auto _ : state)
        writeSettings(views, kProgram, registry);
}

} // namespace

BENCHMARK(parseStore)->Arg(5000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(readSettingsFromStore)->Arg(5000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(writeSettingsToStore)->Arg(5000)->Arg(40000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
