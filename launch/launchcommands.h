#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vorelind {

// The work file that hands the listing to the line-analysis tool: "w.htm"
// in the executable's folder, which ends with its path separator.
std::string workFilePath(std::string_view executableFolder);

// "kivalter " + work file + " " + document title. A piece that holds a blank
// (or a quote) is quoted, so that the tool gets it as one word whatever the
// program's folder or the file's name; an empty title stays empty.
std::string lineAnalysisCommand(std::string_view workFile, std::string_view documentTitle);

// The executable path with its extension (from the last "." of the file
// name on) replaced by ".chm"; a name without extension gets ".chm" appended.
std::string helpFilePath(std::string_view executablePath);

// "ヘルプファイル" + help path + "がありません".
std::string missingHelpMessage(std::string_view helpPath);

using ShellOpener = std::function<void(const std::string& target)>;
using ErrorReporter = std::function<void(const std::string& text, const std::string& caption)>;

// "目次": opens the help file when one exists at the help path; otherwise
// reports it missing, captioned "目次表示不可".
void openHelp(std::string_view executablePath, const ShellOpener& open, const ErrorReporter& reportError);

} // namespace vorelind
