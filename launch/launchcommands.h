#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace vorelind {

// The work file that hands the listing to the line-analysis tool: "w.htm"
// in the executable's folder.
std::filesystem::path workFilePath(const std::filesystem::path& executableFolder);

// "kivalter " + work file + " " + document title, as a UTF-8 command line:
// the path as the file system spells it, the Shift-JIS title converted. A
// piece that holds a blank (or a quote) is quoted, so that the tool gets it
// as one word whatever the program's folder or the file's name; an empty
// title stays empty.
std::string lineAnalysisCommand(const std::filesystem::path& workFile, std::string_view documentTitle);

// The executable path with its extension (from the last "." of the file
// name on) replaced by ".chm"; a name without extension gets ".chm" appended.
std::filesystem::path helpFilePath(const std::filesystem::path& executablePath);

// "ヘルプファイル" + help path + "がありません", of the path's Shift-JIS text.
std::string missingHelpMessage(std::string_view helpPath);

using ShellOpener = std::function<void(const std::filesystem::path& target)>;
using ErrorReporter = std::function<void(const std::string& text, const std::string& caption)>;

// "目次": opens the help file when one exists at the help path; otherwise
// reports it missing, captioned "目次表示不可".
void openHelp(const std::filesystem::path& executablePath, const ShellOpener& open, const ErrorReporter& reportError);

} // namespace vorelind
