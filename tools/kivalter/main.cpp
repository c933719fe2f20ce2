// kivalter: the line-analysis tool. It reads an indented listing (Shift-JIS
// lines ended by CR LF) and shows how its tags nest and balance.

#include "document/rulesfile.h"
#include "document/sizelimits.h"
#include "document/sourceloader.h"
#include "look/qttranslation.h"
#include "platform/codecs/displaytext.h"
#include "platform/codecs/sjistext.h"
#include "seam/modalseam.h"
#include "tools/kivalter/analysisreport.h"
#include "tools/kivalter/analysiswindow.h"
#include "tools/kivalter/lineanalysis.h"
#include "tools/kivalter/raiselistener.h"
#include "util/apperror.h"

#include <QApplication>
#include <QFile>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace vorelind;

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

constexpr char kUsage[] =
    "Usage: kivalter [--rules auto|html|xml] WORKFILE [TITLE...]\n"
    "  or:  kivalter --report [--rules auto|html|xml] WORKFILE\n"
    "\n"
    "Shows how the tags of an indented listing nest and balance: a table of\n"
    "the lines (number, level, kind, balance, tag, text), a summary per tag\n"
    "and a chart of the nesting level. WORKFILE holds the listing as Shift-JIS\n"
    "lines ended by CR LF; the window is captioned with TITLE (the words after\n"
    "WORKFILE, joined by blanks).\n"
    "\n"
    "The tags balance as in the main window, under HTML's parsing rules or\n"
    "XML's strict pairing. The main program hands the rules of the page and\n"
    "its excluded names in WORKFILE.rules (the rules' name on the first line,\n"
    "one excluded name a line after it); --rules sets the rules instead, and\n"
    "without either they are those of the listing's start (XML's after \"<?xml\"\n"
    "or an XHTML doctype). A start tag after which the listing does not go\n"
    "deeper was written <x/>; without the excluded names, a name whose every\n"
    "start tag does so was excluded. Under XML's rules an end tag closes the\n"
    "innermost open tag of its name and <x/> takes no part; HTML's close\n"
    "elements implicitly, never miss an end tag that may be left out, and\n"
    "honour <x/> only in SVG and MathML. Comments, declarations and the text\n"
    "of SCRIPT and STYLE hold no tags, and empty elements such as BR and IMG\n"
    "need no end tag.\n"
    "\n"
    "--report prints the same analysis as TAB-separated text in UTF-8 to\n"
    "standard output: a totals line, the lines, an empty line, the tags.\n"
    "\n"
    "The window comes to the front when the main program asks, over a local\n"
    "socket in $XDG_RUNTIME_DIR, or in a folder vorelind-UID of the temporary\n"
    "folder when that is unset or open to others; a folder there that is not\n"
    "the user's own and closed to others is not used, and connections of other\n"
    "users are dropped.\n"
    "\n"
    "The listing is held with about a dozen bytes a line besides its own. A work\n"
    "file larger than the main program ever hands over (an eighth of the\n"
    "machine's memory, at most 16448 MiB) or of more than 2147483647 lines is\n"
    "refused before it is analysed, as is one for which memory runs out.\n"
    "\n"
    "Exit status: 0 on success; 1 when the work file cannot be read or is\n"
    "refused; 2 on a usage error.\n";

// The most bytes a work file may hold: the most the main program hands over.
std::uint64_t workFileBound()
{
    return listingBudget(kMaxSourceSize);
}

std::string unreadableMessage(const std::string& path, const std::string& reason)
{
    return "kivalter cannot read the work file " + path + ": " + reason;
}

std::string tooLargeMessage(const std::string& path)
{
    return "kivalter cannot analyse the work file " + path + ": it holds more than " + std::to_string(workFileBound())
           + " bytes or " + std::to_string(kMaxAnalysedLines) + " lines";
}

std::string outOfMemoryMessage(const std::string& path)
{
    return "kivalter cannot analyse the work file " + path + ": there is not enough memory";
}

// Shift-JIS text in the encoding of the terminal's locale.
std::string terminalText(const std::string& sjis)
{
    return toDisplayText(sjis).toLocal8Bit().toStdString();
}

// The window says in the program's language which work file it cannot read.
QString unreadableWindowMessage(const std::string& path, const AppError& error)
{
    return QStringLiteral("作業ファイル %1 を読めません: %2")
        .arg(QFile::decodeName(path.c_str()), toDisplayText(error.what()));
}

QString tooLargeWindowMessage(const std::string& path)
{
    return QStringLiteral("作業ファイル %1 は大きすぎるため分析できません（%2 バイト、%3 行まで）")
        .arg(QFile::decodeName(path.c_str()))
        .arg(workFileBound())
        .arg(kMaxAnalysedLines);
}

QString outOfMemoryWindowMessage(const std::string& path)
{
    return QStringLiteral("作業ファイル %1 を分析するためのメモリが足りません").arg(QFile::decodeName(path.c_str()));
}

#ifdef _WIN32
constexpr char kNullDevice[] = "NUL";
#else
constexpr char kNullDevice[] = "/dev/null";
#endif

// The program that started the window waits to delete the work file until
// the file is read, and learns it from a line on the standard output. The
// window writes nothing more there, and the output goes to the null device
// so that nothing can fail once that program has ended.
void releaseStandardOutput()
{
    std::fputs("read\n", stdout);
    std::fflush(stdout);
    // When the null device can't be opened, freopen has closed the stream all the same.
    static_cast<void>(std::freopen(kNullDevice, "w", stdout));
}

// The rules named on the command line; none lets the work file's side file or start decide.
using RulesOption = std::optional<TagRules>;

// The side file's rules and names; none when it is absent or names no rules.
std::optional<HandedRules> handedRules(const std::string& path)
{
    // A few names a line; a file past this bound is none of the program's.
    constexpr std::uint64_t kRulesFileBound = 1 << 20;
    try {
        return readRulesFileText(readFileBytes(rulesFilePath(path).string(), kRulesFileBound));
    } catch (const AppError&) {
    } catch (const std::length_error&) {
    }
    return std::nullopt;
}

// The option's rules first, then the side file's, then the listing's own.
ListingRules rulesOf(const std::string& listing, const std::optional<HandedRules>& handed, RulesOption option)
{
    ListingRules rules;
    rules.rules = option ? *option : handed ? handed->rules : rulesFor(listing);
    if (handed)
        rules.excluded = ExcludedTags(handed->excluded);
    return rules;
}

// The work file's bytes; the window's program learns on the way that it may delete them.
std::string readWorkFile(const std::string& path, bool tellRead)
{
    try {
        std::string bytes = readFileBytes(path, workFileBound());
        if (tellRead)
            releaseStandardOutput();
        return bytes;
    } catch (...) {
        if (tellRead)
            releaseStandardOutput();
        throw;
    }
}

// The side file is read before the work file, which the program deletes
// with it once the tool says it has read.
LineAnalysis analyseWorkFile(const std::string& path, RulesOption option, bool tellRead)
{
    const std::optional<HandedRules> handed = handedRules(path);
    std::string bytes = readWorkFile(path, tellRead);
    const ListingRules rules = rulesOf(bytes, handed, option);
    return analyseListing(std::move(bytes), rules);
}

int printReport(const std::string& path, RulesOption option)
{
    try {
        const LineAnalysis analysis = analyseWorkFile(path, option, false);
        writeAnalysisReport(analysis, [](std::string_view rows) { std::cout << sjisToUtf8(rows); });
        return std::cout.flush() ? 0 : kFailed;
    } catch (const AppError& error) {
        std::cerr << unreadableMessage(path, terminalText(error.what())) << '\n';
    } catch (const std::length_error&) {
        std::cerr << tooLargeMessage(path) << '\n';
    } catch (const std::bad_alloc&) {
        std::cerr << outOfMemoryMessage(path) << '\n';
    }
    return kFailed;
}

void showRefusal(const QString& message)
{
    ModalSeam::showMessage(nullptr, MessageIcon::Error, QStringLiteral("kivalter"), message);
}

// The title: the words after the work file joined by blanks, so a title
// that arrives split at its blanks (an unquoted command line) is whole again.
QString titleOf(const std::vector<std::string>& arguments)
{
    QStringList words;
    for (std::size_t i = 1; i < arguments.size(); ++i)
        words << QString::fromLocal8Bit(arguments[i]);
    return words.join(QLatin1Char(' '));
}

int showWindow(char* argv[], const std::vector<std::string>& arguments, RulesOption option)
{
    // The toolkit sees the program's name alone: it would take words of the
    // title such as -platform or -display as its own options.
    int toolkitArgc = 1;
    QApplication application(toolkitArgc, argv);
    installQtTranslations();
    const std::string& path = arguments.front();
    try {
        AnalysisWindow window(analyseWorkFile(path, option, true), titleOf(arguments));
        const RaiseListener listener(window, QFile::decodeName(path.c_str()));
        window.show();
        return QApplication::exec();
    } catch (const AppError& error) {
        showRefusal(unreadableWindowMessage(path, error));
    } catch (const std::length_error&) {
        showRefusal(tooLargeWindowMessage(path));
    } catch (const std::bad_alloc&) {
        showRefusal(outOfMemoryWindowMessage(path));
    }
    return kFailed;
}

} // namespace

int main(int argc, char* argv[])
{
    // On Windows the C runtime splits the command line by the rules that the
    // launch quotes by.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    const bool report = !arguments.empty() && arguments[0] == "--report";
    if (report)
        arguments.erase(arguments.begin());
    RulesOption option;
    if (arguments.size() >= 2 && arguments[0] == "--rules") {
        const std::string& name = arguments[1];
        if (name != "auto" && !tagRulesNamed(name)) {
            std::cerr << kUsage;
            return kUsageError;
        }
        option = tagRulesNamed(name);
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    if (report && arguments.size() == 1)
        return printReport(arguments[0], option);
    if (!report && !arguments.empty())
        return showWindow(argv, arguments, option);
    std::cerr << kUsage;
    return kUsageError;
}
