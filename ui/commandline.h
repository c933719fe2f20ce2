#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vorelind {

// What the window program's own command line asks for. The toolkit never
// sees the command line: a file named like one of its options, such as
// "-platform" or "-stylesheet", is a file like any other.
struct CommandLine {
    enum class Action { Open, Help, Version, UsageError };
    Action action = Action::Open;
    // The file to open at start, as the system spelled it; empty for none.
    std::filesystem::path file;
    // For a usage error: what was wrong, for the message on standard error.
    std::string error;
};

// Reads the arguments after the program's name: --help, --version, "--"
// (after which every argument is a file name) and one FILE.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// The usage text that --help prints.
const char* commandLineUsage();

} // namespace vorelind
