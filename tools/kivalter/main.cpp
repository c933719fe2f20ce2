// kivalter: the line-analysis tool. It reads an indented listing (Shift-JIS
// lines ended by CR LF) and shows how its tags nest and balance.

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
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace vorelind;

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

constexpr char kUsage[] =
    "Usage: kivalter WORKFILE [TITLE...]\n"
    "       kivalter --report WORKFILE\n"
    "\n"
    "Shows how the tags of an indented listing nest and balance: a table of\n"
    "the lines (number, level, kind, balance, tag, text), a summary per tag\n"
    "and a chart of the nesting level. WORKFILE holds the listing as Shift-JIS\n"
    "lines ended by CR LF; the window is captioned with TITLE (the words after\n"
    "WORKFILE, joined by blanks).\n"
    "\n"
    "The tags balance as in the main window: comments, declarations and the\n"
    "text of SCRIPT and STYLE hold no tags, HTML empty elements such as BR and\n"
    "IMG need no end tag, and an end tag closes the innermost open tag of its\n"
    "name. A start tag after which the listing does not go deeper was written\n"
    "<x/> and takes no part; a name whose every start tag does so was excluded.\n"
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

std::string readWorkFile(const std::string& path)
{
    try {
        std::string bytes = readFileBytes(path, workFileBound());
        releaseStandardOutput();
        return bytes;
    } catch (...) {
        releaseStandardOutput();
        throw;
    }
}

int printReport(const std::string& path)
{
    try {
        const LineAnalysis analysis = analyseListing(readFileBytes(path, workFileBound()));
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

int showWindow(char* argv[], const std::vector<std::string>& arguments)
{
    // The toolkit sees the program's name alone: it would take words of the
    // title such as -platform or -display as its own options.
    int toolkitArgc = 1;
    QApplication application(toolkitArgc, argv);
    installQtTranslations();
    const std::string& path = arguments.front();
    try {
        AnalysisWindow window(analyseListing(readWorkFile(path)), titleOf(arguments));
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
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (!arguments.empty() && arguments[0] == "--report") {
        if (arguments.size() == 2)
            return printReport(arguments[1]);
    } else if (!arguments.empty()) {
        return showWindow(argv, arguments);
    }
    std::cerr << kUsage;
    return kUsageError;
}
