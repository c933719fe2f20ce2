// Stands in for kivalter in the launch tests: it records what it received and
// what the work file held when it started; like kivalter it then says so on
// its standard output, and ends after an optional pause.

#include <chrono>
#include <cstdio>
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
    std::error_code ignored;
    if (argc > 1)
        std::filesystem::copy_file(argv[1], std::string(record) + ".workfile",
                                   std::filesystem::copy_options::overwrite_existing, ignored);
    std::fputs("read\n", stdout);
    std::fclose(stdout);
    if (const char* pause = std::getenv("VORELIND_FAKE_PAUSE_MS"))
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(pause)));
    // Written last, so that the record's presence shows the run has ended.
    std::ofstream out(record, std::ios::binary);
    for (int i = 1; i < argc; ++i)
        out << argv[i] << '\n';
    return 0;
}
