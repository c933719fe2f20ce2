#include "ui/commandline.h"

namespace vorelind {

namespace {

bool isOption(const std::string& argument)
{
    return argument.size() > 1 && argument.front() == '-';
}

CommandLine usageError(std::string error)
{
    return {CommandLine::Action::UsageError, {}, std::move(error)};
}

} // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    bool fileNamed = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument == "--help") {
            return {CommandLine::Action::Help, {}, {}};
        } else if (!optionsEnded && argument == "--version") {
            return {CommandLine::Action::Version, {}, {}};
        } else if (!optionsEnded && isOption(argument)) {
            return usageError("unknown option " + argument);
        } else if (fileNamed) {
            return usageError("more than one FILE");
        } else {
            fileNamed = true;
            line.file = argument;
        }
    }
    return line;
}

const char* commandLineUsage()
{
    return "Usage: vorelind [FILE]\n"
           "  or:  vorelind -- FILE\n"
           "\n"
           "Shows the tag structure of an HTML or XML file. FILE, when named, is\n"
           "opened at start as a double-click on it in the file list would open it;\n"
           "after \"--\" a name that begins with \"-\" is a file name too.\n"
           "\n"
           "  --help     print this text and exit\n"
           "  --version  print the program's version and exit\n"
           "\n"
           "Exit status: 0 when the window is closed, or after --help and --version;\n"
           "2 on a usage error.\n";
}

} // namespace vorelind
