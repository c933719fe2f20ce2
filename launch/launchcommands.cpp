#include "launch/launchcommands.h"

#include "launch/messages.h"
#include "platform/sjistext.h"
#include "util/commandline.h"

namespace vorelind {

std::filesystem::path workFilePath(const std::filesystem::path& executableFolder)
{
    return executableFolder / messages::kWorkFileName;
}

std::string lineAnalysisCommand(const std::filesystem::path& workFile, std::string_view documentTitle)
{
    const std::string title = documentTitle.empty() ? std::string() : commandLineWord(sjisToUtf8(documentTitle));
    return messages::kLineAnalysisTool + commandLineWord(pathUtf8(workFile)) + ' ' + title;
}

std::filesystem::path helpFilePath(const std::filesystem::path& executablePath)
{
    auto name = executablePath.filename().native();
    const std::size_t dot = name.rfind('.');
    if (dot != decltype(name)::npos)
        name.erase(dot);
    std::filesystem::path help = executablePath.parent_path() / name;
    help += messages::kHelpExtension;
    return help;
}

std::string missingHelpMessage(std::string_view helpPath)
{
    return messages::kHelpMissingHead + std::string(helpPath) + messages::kHelpMissingTail;
}

void openHelp(const std::filesystem::path& executablePath, const ShellOpener& open, const ErrorReporter& reportError)
{
    const std::filesystem::path helpPath = helpFilePath(executablePath);
    std::error_code unknown;
    if (std::filesystem::exists(helpPath, unknown))
        open(helpPath);
    else
        reportError(missingHelpMessage(pathText(helpPath)), messages::kHelpMissingCaption);
}

} // namespace vorelind
