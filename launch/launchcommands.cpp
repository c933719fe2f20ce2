#include "launch/launchcommands.h"

#include "document/sourceloader.h"
#include "launch/messages.h"
#include "util/commandline.h"

#include <filesystem>

namespace vorelind {

std::string workFilePath(std::string_view executableFolder)
{
    return std::string(executableFolder) + messages::kWorkFileName;
}

std::string lineAnalysisCommand(std::string_view workFile, std::string_view documentTitle)
{
    const std::string title = documentTitle.empty() ? std::string() : commandLineWord(documentTitle);
    return messages::kLineAnalysisTool + commandLineWord(workFile) + ' ' + title;
}

std::string helpFilePath(std::string_view executablePath)
{
    const std::size_t nameStart = executablePath.size() - fileNameOf(executablePath).size();
    // A '.' is never the second byte of a Shift-JIS character.
    const std::size_t dot = executablePath.rfind('.');
    const std::size_t stemEnd = dot != std::string_view::npos && dot >= nameStart ? dot : executablePath.size();
    return std::string(executablePath.substr(0, stemEnd)) + messages::kHelpExtension;
}

std::string missingHelpMessage(std::string_view helpPath)
{
    return messages::kHelpMissingHead + std::string(helpPath) + messages::kHelpMissingTail;
}

void openHelp(std::string_view executablePath, const ShellOpener& open, const ErrorReporter& reportError)
{
    const std::string helpPath = helpFilePath(executablePath);
    std::error_code unknown;
    if (std::filesystem::exists(helpPath, unknown))
        open(helpPath);
    else
        reportError(missingHelpMessage(helpPath), messages::kHelpMissingCaption);
}

} // namespace vorelind
