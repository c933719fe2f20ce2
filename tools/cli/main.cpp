// vorelind-cli: the program's document path without the window, for batch
// use and for checking the engine from outside.

#include "document/documentpipeline.h"
#include "document/exporttidy.h"
#include "document/messages.h"
#include "document/runlogfile.h"
#include "document/sourceloader.h"
#include "platform/codecs/sjistext.h"
#include "settings/listfile.h"
#include "settings/settings.h"
#include "util/apperror.h"
#include "util/filename.h"
#include "errorline.h"
#include "sitecheck.h"
#include "treecommand.h"
#include "unmatchedcommand.h"
#include "versioncommand.h"

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
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
    "Usage: vorelind-cli COMMAND [OPTIONS] [--] FILE\n"
    "\n"
    "Runs the file through the same path as the window: text check, loading,\n"
    "then the indentation walk.\n"
    "\n"
    "Commands:\n"
    "  indent [--sjis] [--exclude LISTFILE] [--run-log LOGFILE] FILE\n"
    "      Writes the indented listing (lines ended by CR LF, the empty first\n"
    "      line included) to standard output.\n"
    "  tree [--positions] [--sjis] [--exclude LISTFILE] FILE\n"
    "      Writes the tag tree, one node per line in pre-order: its level\n"
    "      (0 at the top) in decimal, a TAB, the node text, LF. With\n"
    "      --positions, LINE:COL of the byte in the loaded text that began the\n"
    "      node's line (its tag's '<', the first byte of a raw block's line, or\n"
    "      1:1) and a TAB come after the level. In the node text each control\n"
    "      byte but TAB, and a Shift-JIS lead byte before one, is written as\n"
    "      \\xHH (two upper-case hexadecimal digits), so that a node keeps its\n"
    "      one line even when a lead byte took a CR or LF into its character.\n"
    "  export [--sjis] [--exclude LISTFILE] [-o OUT] FILE\n"
    "      Writes the tidied listing as the save command would, to OUT or\n"
    "      standard output.\n"
    "  unmatched [--rules auto|html|xml] [--sjis] [--exclude LISTFILE]\n"
    "            [--format tsv|gnu] [--count] [-r] [--mask MASK] PATH...\n"
    "      Writes the start tags never closed and the end tags that close\n"
    "      nothing, in source order, one a line: LINE:COL of its '<' in the\n"
    "      loaded text, a TAB, \"start\" or \"end\", a TAB, the name as written, LF.\n"
    "      With several paths or a folder, each line starts with the file's\n"
    "      path and a TAB, the files in the order of their paths. The rules are\n"
    "      HTML's (elements closed implicitly, end tags that may be left out) or\n"
    "      XML's (every start tag needs its end tag, \"/>\" closes); auto takes\n"
    "      XML's for a file that starts with \"<?xml\" or whose doctype names\n"
    "      XHTML, HTML's otherwise. Files are checked several at once.\n"
    "      --format gnu  writes PATH:LINE:COL: error: MESSAGE lines, as editors\n"
    "                    and build tools read them, COL counted in characters\n"
    "                    of the file as written\n"
    "      --count       writes COUNT, a TAB and the path for every file\n"
    "                    checked, the most findings first, then by path\n"
    "      -r            goes down into the folders' folders\n"
    "      --mask MASK   picks a folder's files, patterns separated by \";\"\n"
    "                    (default \"*.htm*\"); a file named is always checked\n"
    "      Its exit status: 0 when no file has a finding, 1 when one has or a\n"
    "      file is refused (a line on standard error each; the others are\n"
    "      still checked), 2 on a usage error.\n"
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
    "  --run-log LOGFILE   appends the run log to LOGFILE (none is written without it);\n"
    "                      past 64 MiB it is first renamed LOGFILE.1 and begun afresh\n"
    "  -o OUT              the file to write instead of standard output\n"
    "  --help              shows this text\n"
    "  --                  ends the options: FILE may then begin with \"-\"\n"
    "\n"
    "Exit status: 0 on success; 1 when the file is refused or an error occurs\n"
    "(the message goes to standard error); 2 on a usage error. The listing is\n"
    "written as it is walked, so a walk that fails part-way leaves part of it on\n"
    "standard output; an OUT file is left as it was.\n";

struct Options {
    std::string command;
    std::string file;
    std::vector<std::string> paths; // every FILE given; unmatched takes several
    std::optional<std::string> excludeFile;
    std::optional<std::string> runLog;
    std::optional<std::string> output;
    bool convertToShiftJis = false;
    bool positions = false;
    std::optional<TagRules> rules; // none: chosen per file
    FindingFormat format = FindingFormat::Tsv;
    bool countOnly = false;
    bool recursive = false;
    std::string mask = kDefaultFileMask;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Takes the value of one of unmatched's options.
void takeUnmatchedOption(Options& options, const std::string& option, const std::string& value)
{
    if (option == "--mask") {
        options.mask = value;
    } else if (option == "--rules" && (value == "auto" || value == "html" || value == "xml")) {
        if (value != "auto")
            options.rules = value == "html" ? TagRules::Html : TagRules::Xml;
    } else if (option == "--format" && (value == "tsv" || value == "gnu")) {
        options.format = value == "gnu" ? FindingFormat::Gnu : FindingFormat::Tsv;
    } else {
        throw UsageError("'" + value + "' is no value of '" + option + "'");
    }
}

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
    if (option == "--rules" || option == "--format" || option == "--mask")
        return command == "unmatched";
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
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded) {
            options.paths.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--sjis" && walksSource(options.command)) {
            options.convertToShiftJis = true;
        } else if (argument == "--positions" && options.command == "tree") {
            options.positions = true;
        } else if (argument == "--count" && options.command == "unmatched") {
            options.countOnly = true;
        } else if (argument == "-r" && options.command == "unmatched") {
            options.recursive = true;
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
            else if (argument == "-o")
                options.output = value;
            else
                takeUnmatchedOption(options, argument, value);
        } else {
            options.paths.push_back(argument);
        }
    }
    if (options.paths.empty())
        throw UsageError("no FILE given");
    if (options.paths.size() > 1 && options.command != "unmatched")
        throw UsageError("more than one FILE given");
    options.file = options.paths.front();
    return options;
}

// Writes to a file; a write that fails raises the given error, or the
// system's one when none is given.
class FileOutput : public ListingSink {
public:
    explicit FileOutput(std::FILE* file, std::optional<AppError> failure = {})
        : m_file(file)
        , m_failure(std::move(failure))
    {
    }

    void write(std::string_view bytes) override
    {
        if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
            fail();
    }

    void close()
    {
        if (std::fflush(m_file) != 0)
            fail();
    }

private:
    [[noreturn]] void fail() const { throw m_failure ? *m_failure : systemError(); }

    std::FILE* m_file;
    std::optional<AppError> m_failure;
};

// The file as the system takes it, and its name turned from the system's
// encoding into the Shift-JIS of the messages that name it.
DocumentRequest requestOf(const Options& options, bool convertToShiftJis)
{
    return DocumentRequest{options.file, fileNameOf(pathText(options.file)), convertToShiftJis};
}

ExcludedTags excludedTags(const Options& options)
{
    if (!options.excludeFile)
        return {};
    return ExcludedTags(parseListText(readFileBytes(*options.excludeFile)));
}

// Runs the document path, with the run log when one is asked for.
void walkFile(const Options& options, ListingSink& listing, DocumentSteps& steps)
{
    const ExcludedTags excluded = excludedTags(options);
    const DocumentRequest request = requestOf(options, options.convertToShiftJis);
    if (!options.runLog) {
        runDocument(request, excluded, steps, {}, listing);
        return;
    }
    RunLogFile runLog(*options.runLog);
    WalkSinks sinks;
    sinks.runLog = &runLog;
    runDocument(request, excluded, steps, sinks, listing);
    runLog.close();
}

void walkFile(const Options& options, ListingSink& listing)
{
    DocumentSteps steps;
    walkFile(options, listing, steps);
}

// The tree, with the positions of its nodes when they are asked for. It is
// filled as the walk goes, so the listing is never held.
void writeTreeOf(const Options& options, ListingSink& out)
{
    LoadedSource source(options.positions);
    TreeWriter tree(source, options.positions);
    TreeLineStream lines(tree);
    walkFile(options, lines, source);
    lines.finish();
    tree.finish();
    tree.writeTo(out);
}

void writeOut(std::string_view bytes)
{
    FileOutput out(stdout);
    out.write(bytes);
    out.close();
}

// The export to a named file replaces it only once the walk is done, so a
// run that fails leaves the file as it was, and the source may be the file.
void exportToFile(const Options& options)
{
    replaceExportFile(*options.output, [&options](ListingSink& out) {
        ExportStream exported(out);
        walkFile(options, exported);
        exported.finish();
    });
}

// Checks the paths' tag balance; returns the exit status.
int checkBalance(const Options& options)
{
    SiteCheckOptions check;
    check.style.format = options.format;
    check.style.converted = options.convertToShiftJis;
    check.style.rules = options.rules;
    check.style.countOnly = options.countOnly;
    check.recursive = options.recursive;
    check.mask = options.mask;
    check.convertToShiftJis = options.convertToShiftJis;
    const ExcludedTags excluded = excludedTags(options);
    const int status = SiteCheck(check, excluded).run(options.paths);
    FileOutput(stdout).close();
    return status;
}

void runCommand(const Options& options)
{
    if (options.command == "check") {
        checkDocument(requestOf(options, false));
        writeOut("text\n");
        return;
    }
    if (options.command == "version") {
        writeOut(versionListing(options.file));
        return;
    }
    if (options.command == "convert") {
        writeOut(loadDocument(requestOf(options, true)));
        return;
    }
    if (options.command == "export" && options.output) {
        exportToFile(options);
        return;
    }
    FileOutput out(stdout);
    if (options.command == "indent") {
        walkFile(options, out);
    } else if (options.command == "tree") {
        writeTreeOf(options, out);
    } else {
        ExportStream exported(out);
        walkFile(options, exported);
        exported.finish();
    }
    out.close();
}

void printError(const std::string& sjisMessage)
{
    writeErrorLine(sjisToUtf8(sjisMessage));
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
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    try {
        const Options options = parseArguments(arguments);
        if (options.command == "unmatched")
            return checkBalance(options);
        runCommand(options);
        return 0;
    } catch (const UsageError& error) {
        writeErrorLine(error.what() + std::string("\n"));
        std::fputs(kUsage, stderr);
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
