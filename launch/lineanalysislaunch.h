#pragma once

#include "document/rulesfile.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vorelind {

class Listing;

// "行分析表示": hands the listing to the line-analysis tool through the work
// file beside the executable and waits for the tool's end.
class LineAnalysisLaunch {
public:
    using Runner = std::function<void(const std::string& commandLine)>;

    // The runner starts a UTF-8 command line and returns when it has ended.
    explicit LineAnalysisLaunch(Runner runAndWait);

    // Writes the lines to the work file, each followed by CR LF, and the
    // rules they were judged by to the side file beside it, runs the tool on
    // the work file, and deletes both when the runner returns, whether or
    // not the tool started. The side file leaves the tool's command line as
    // it always was, which a tool that knows no side file reads as ever.
    // While an earlier run still waits this returns false and does nothing:
    // both runs would share the one work file. A file that cannot be
    // written, or a symbolic link, FIFO or device in its place, raises
    // AppError; then nothing is started.
    bool run(const Listing& lines, const std::filesystem::path& executableFolder, const std::string& documentTitle,
             const HandedRules& rules);

    bool running() const { return m_running; }

private:
    Runner m_runAndWait;
    bool m_running = false;
};

} // namespace vorelind
