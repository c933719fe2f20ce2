#include "launch/lineanalysislaunch.h"

#include "document/exporttidy.h"
#include "document/messages.h"
#include "launch/launchcommands.h"
#include "launch/reentryguard.h"
#include "platform/codecs/sjistext.h"
#include "platform/files/regularfile.h"
#include "util/apperror.h"

namespace vorelind {

LineAnalysisLaunch::LineAnalysisLaunch(Runner runAndWait)
    : m_runAndWait(std::move(runAndWait))
{
}

namespace {

// Writes a file of the run: a link in its place would have the bytes
// written, and then removed, wherever it points.
void writeRunFile(const std::filesystem::path& path, const std::function<void()>& write)
{
    if (isLinkOrSpecialFile(path))
        throw AppError(formatMessage(messages::kCannotCreateFile, pathText(path)));
    try {
        write();
    } catch (const AppError&) {
        // The message names the file as the program's texts show it.
        throw AppError(formatMessage(messages::kCannotCreateFile, pathText(path)));
    }
}

} // namespace

bool LineAnalysisLaunch::run(const Listing& lines, const std::filesystem::path& executableFolder,
                             const std::string& documentTitle, const HandedRules& rules)
{
    const ReentryGuard guard(m_running);
    if (!guard.entered())
        return false;
    const std::filesystem::path workFile = workFilePath(executableFolder);
    const std::filesystem::path rulesFile = rulesFilePath(workFile);
    std::error_code ignored;
    writeRunFile(workFile, [&] { writeExportFile(workFile, lines); });
    try {
        writeRunFile(rulesFile, [&] {
            replaceExportFile(rulesFile, [&rules](ListingSink& out) { out.write(rulesFileText(rules)); });
        });
    } catch (const AppError&) {
        std::filesystem::remove(workFile, ignored);
        throw;
    }
    m_runAndWait(lineAnalysisCommand(workFile, documentTitle));
    std::filesystem::remove(workFile, ignored);
    std::filesystem::remove(rulesFile, ignored);
    return true;
}

} // namespace vorelind
