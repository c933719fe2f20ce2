#include "launch/lineanalysislaunch.h"

#include "document/exporttidy.h"
#include "document/messages.h"
#include "launch/launchcommands.h"
#include "document/messages.h"
#include "launch/reentryguard.h"
#include "platform/regularfile.h"
#include "platform/sjistext.h"
#include "util/apperror.h"

namespace vorelind {

LineAnalysisLaunch::LineAnalysisLaunch(Runner runAndWait)
    : m_runAndWait(std::move(runAndWait))
{
}

bool LineAnalysisLaunch::run(const Listing& lines, const std::filesystem::path& executableFolder,
                             const std::string& documentTitle)
{
    const ReentryGuard guard(m_running);
    if (!guard.entered())
        return false;
    const std::filesystem::path workFile = workFilePath(executableFolder);
    // A link in its place would have the listing written, and then removed,
    // wherever it points.
    if (isLinkOrSpecialFile(workFile))
        throw AppError(formatMessage(messages::kCannotCreateFile, pathText(workFile)));
    try {
        writeExportFile(workFile, lines);
    } catch (const AppError&) {
        // The message names the file as the program's texts show it.
        throw AppError(formatMessage(messages::kCannotCreateFile, pathText(workFile)));
    }
    m_runAndWait(lineAnalysisCommand(workFile, documentTitle));
    std::error_code ignored;
    std::filesystem::remove(workFile, ignored);
    return true;
}

} // namespace vorelind
