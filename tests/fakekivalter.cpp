// Stands in for kivalter in the launch tests: it records what it received and
// what the work file held while it ran, after an optional pause.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

int main(int argc, char* argv[])
{
    const char* record = std::getenv("VORELIND_FAKE_RECORD");
    if (!record)
        return 3;
    if (const char* pause = std::getenv("VORELIND_FAKE_PAUSE_MS"))
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(pause)));
    std::error_code ignored;
    if (argc > 1)
        std::filesystem::copy_file(argv[1], std::string(record) + ".workfile",
                                   std::filesystem::copy_options::overwrite_existing, ignored);
    // Written last, so that the record's presence shows the run has ended.
    std::ofstream out(record, std::ios::binary);
    for (int i = 1; i < argc; ++i)
        out << argv[i] << '\n';
    return 0;
}
