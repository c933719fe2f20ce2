#include "launch/lineanalysislaunch.h"

#include "document/exporttidy.h"
#include "launch/launchcommands.h"
#include "document/messages.h"
#include "launch/reentryguard.h"
#include "platform/regularfile.h"
#include "util/apperror.h"

#include <cstdio>

namespace vorelind {

LineAnalysisLaunch::LineAnalysisLaunch(Runner runAndWait)
    : m_runAndWait(std::move(runAndWait))
{
}

bool LineAnalysisLaunch::run(const Listing& lines, const std::string& executableFolder,
                             const std::string& documentTitle)
{
    const ReentryGuard guard(m_running);
    if (!guard.entered())
        return false;
    const std::string workFile = workFilePath(executableFolder);
    // A link in its place would have the listing written, and then removed,
    // wherever it points.
    if (isLinkOrSpecialFile(workFile))
        throw AppError(formatMessage(messages::kCannotCreateFile, workFile));
    writeExportFile(workFile, lines);
    m_runAndWait(lineAnalysisCommand(workFile, documentTitle));
    std::remove(workFile.c_str());
    return true;
}

} // namespace vorelind
