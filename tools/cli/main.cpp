// vorelind-cli: the program's document path without the window, for batch
// use and for checking the engine from outside.

#include "document/exporttidy.h"
#include "document/indentwalk.h"
#include "document/listing.h"
#include "document/messages.h"
#include "document/runlogfile.h"
#include "document/sourceloader.h"
#include "platform/sjistext.h"
#include "platform/sourceforview.h"
#include "settings/listfile.h"
#include "tree/indenttree.h"
#include "tree/treefill.h"
#include "util/apperror.h"
#include "unmatchedcommand.h"
#include "versioncommand.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace vorelind;

constexpr int kRefused = 1;
constexpr int kUsageError = 2;

constexpr char kUsage[] =
    "Usage: vorelind-cli COMMAND [OPTIONS] FILE\n"
    "\n"
    "Runs the file through the same path as the window: text check, loading,\n"
    "then the indentation walk.\n"
    "\n"
    "Commands:\n"
    "  indent [--sjis] [--exclude LISTFILE] [--run-log LOGFILE] FILE\n"
    "      Writes the indented listing (lines ended by CR LF, the empty first\n"
    "      line included) to standard output.\n"
    "  tree [--sjis] [--exclude LISTFILE] FILE\n"
    "      Writes the tag tree, one node per line in pre-order: its level\n"
    "      (0 at the top) in decimal, a TAB, the node text, LF.\n"
    "  export [--sjis] [--exclude LISTFILE] [-o OUT] FILE\n"
    "      Writes the tidied listing as the save command would, to OUT or\n"
    "      standard output.\n"
    "  unmatched [--sjis] [--exclude LISTFILE] FILE\n"
    "      Writes the start tags never closed and the end tags that close\n"
    "      nothing, in source order, one a line: LINE:COL of its '<' in the\n"
    "      loaded text, a TAB, \"start\" or \"end\", a TAB, the name as written, LF.\n"
    "  check FILE\n"
    "      Prints \"text\" when the file passes the text check.\n"
    "  convert FILE\n"
    "      Writes the text the source view receives with conversion to\n"
    "      Shift-JIS on (converted, line breaks CR LF, ended at the first NUL)\n"
    "      to standard output.\n"
    "  version FILE\n"
    "      Prints the sixteen texts of the file's version record, one\n"
    "      Name=value line each.\n"
    "\n"
    "Options:\n"
    "  --sjis              converts the file to Shift-JIS before the walk, as the\n"
    "                      window's conversion option does (from Shift-JIS, EUC-JP,\n"
    "                      ISO-2022-JP, UTF-8, or UTF-16 with a byte order mark)\n"
    "  --exclude LISTFILE  excluded tag names, one per line (as in ignore.trm)\n"
    "  --run-log LOGFILE   appends the run log to LOGFILE (none is written without it)\n"
    "  -o OUT              the file to write instead of standard output\n"
    "  --help              shows this text\n"
    "\n"
    "Exit status: 0 on success; 1 when the file is refused or an error occurs\n"
    "(the message goes to standard error); 2 on a usage error.\n";

struct Options {
    std::string command;
    std::string file;
    std::optional<std::string> excludeFile;
    std::optional<std::string> runLog;
    std::optional<std::string> output;
    bool convertToShiftJis = false;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool walksSource(const std::string& command)
{
    return command == "indent" || command == "tree" || command == "export" || command == "unmatched";
}

bool takesOption(const std::string& command, const std::string& option)
{
    if (option == "--exclude")
        return walksSource(command);
    if (option == "--run-log")
        return command == "indent";
    if (option == "-o")
        return command == "export";
    return false;
}

Options parseArguments(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        throw UsageError("no command given");
    Options options;
    options.command = arguments[0];
    if (!walksSource(options.command) && options.command != "check" && options.command != "convert"
        && options.command != "version")
        throw UsageError("unknown command '" + options.command + "'");
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--sjis" && walksSource(options.command)) {
            options.convertToShiftJis = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            if (!takesOption(options.command, argument))
                throw UsageError("'" + options.command + "' takes no option '" + argument + "'");
            if (i + 1 == arguments.size())
                throw UsageError("option '" + argument + "' needs a value");
            const std::string& value = arguments[++i];
            if (argument == "--exclude")
                options.excludeFile = value;
            else if (argument == "--run-log")
                options.runLog = value;
            else
                options.output = value;
        } else if (options.file.empty()) {
            options.file = argument;
        } else {
            throw UsageError("more than one FILE given");
        }
    }
    if (options.file.empty())
        throw UsageError("no FILE given");
    return options;
}

// Raised when the text check refuses a file; carries the program's message.
class Refusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void checkText(const std::string& path, bool convertToShiftJis)
{
    const std::string name = fileNameOf(path);
    switch (checkSourceForView(path, convertToShiftJis)) {
    case TextCheck::Text: return;
    case TextCheck::CannotOpen: throw Refusal(openFailureMessage(name));
    case TextCheck::NotText: throw Refusal(notTextMessage(name));
    case TextCheck::EndOfFile: throw Refusal(messages::kEndOfFile);
    }
}

ExcludedTags excludedTags(const Options& options)
{
    if (!options.excludeFile)
        return {};
    return ExcludedTags(parseListText(readFileBytes(*options.excludeFile)));
}

std::string loadedSource(const Options& options)
{
    checkText(options.file, options.convertToShiftJis);
    return loadSourceForView(options.file, options.convertToShiftJis);
}

std::string listingOf(const Options& options)
{
    const std::string source = loadedSource(options);
    const ExcludedTags excluded = excludedTags(options);
    if (!options.runLog)
        return indentSource(source, excluded);
    RunLogFile runLog(*options.runLog);
    WalkSinks sinks;
    sinks.runLog = &runLog;
    std::string listing = indentSource(source, excluded, sinks);
    runLog.close();
    return listing;
}

void writeOut(const std::string& bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
        throw systemError();
}

std::string treeText(const IndentTree& tree)
{
    std::string text;
    // Pre-order without recursion: the deepest trees come from hostile input.
    std::vector<std::pair<NodeId, std::size_t>> pending;
    for (std::size_t row = tree.topLevelCount(); row-- > 0;)
        pending.emplace_back(tree.topLevel(row), 0);
    while (!pending.empty()) {
        const auto [node, level] = pending.back();
        pending.pop_back();
        text += std::to_string(level);
        text += '\t';
        text += tree.text(node);
        text += '\n';
        for (std::size_t row = tree.childCount(node); row-- > 0;)
            pending.emplace_back(tree.child(node, row), level + 1);
    }
    return text;
}

void runCommand(const Options& options)
{
    if (options.command == "check") {
        checkText(options.file, false);
        writeOut("text\n");
        return;
    }
    if (options.command == "version") {
        writeOut(versionListing(options.file));
        return;
    }
    if (options.command == "convert") {
        checkText(options.file, true);
        writeOut(loadSourceForView(options.file, true));
        return;
    }
    if (options.command == "unmatched") {
        writeOut(unmatchedListing(loadedSource(options), excludedTags(options)));
        return;
    }
    const std::string listing = listingOf(options);
    if (options.command == "indent") {
        writeOut(listing);
    } else if (options.command == "tree") {
        IndentTree tree;
        loadIndentedLines(tree, listingLines(listing));
        writeOut(treeText(tree));
    } else {
        std::vector<std::string> lines = nonEmptyLines(listingLines(listing));
        tidyForExport(lines);
        if (options.output)
            writeExportFile(*options.output, lines);
        else
            writeOut(exportBytes(lines));
    }
}

void printError(const std::string& sjisMessage)
{
    std::cerr << "vorelind-cli: " << sjisToUtf8(sjisMessage) << '\n';
}

} // namespace

int main(int argc, char* argv[])
{
#ifdef _WIN32
    // In text mode every LF of a listing would come out as CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
    }
    try {
        runCommand(parseArguments(arguments));
        return 0;
    } catch (const UsageError& error) {
        std::cerr << "vorelind-cli: " << error.what() << "\n\n" << kUsage;
        return kUsageError;
    } catch (const Refusal& refusal) {
        printError(refusal.what());
    } catch (const AppError& error) {
        printError(error.what());
    } catch (const std::bad_alloc&) {
        printError("out of memory");
    }
    return kRefused;
}
