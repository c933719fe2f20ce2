#pragma once

#include "document/excludedtags.h"
#include "unmatchedcommand.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vorelind {

// What a site check is asked for.
struct SiteCheckOptions {
    FindingStyle style;      // countOnly: one "COUNT<TAB>PATH" line a file, worst first
    bool recursive = false;  // goes down into the folders' folders
    std::string mask;        // picks the files of a folder
    bool convertToShiftJis = false;
};

// Checks the tag balance of files and of the files of folders, several at
// once on the machine's processors, and writes the findings in the order
// of the paths. A file that cannot be checked gets a line on standard
// error and the others are still checked.
class SiteCheck {
public:
    SiteCheck(SiteCheckOptions options, const ExcludedTags& excluded);

    // Returns the exit status: 0 when no file has a finding, 1 when one has
    // or one could not be checked.
    int run(const std::vector<std::string>& paths);

private:
    // The findings of one file, or why it could not be checked.
    struct FileResult {
        FileFindings findings;
        std::string failure; // Shift-JIS; empty when the file was checked
    };

    // Given a sink, the findings go to it as they are written.
    FileResult checkFile(const std::string& path, ListingSink* out = nullptr) const;
    // A lone file's findings go out as they are written, so that a page of
    // many findings never holds them all: no file before it is awaited.
    void checkAlone(const std::string& path);
    void writeResult(const std::string& path, const FileResult& result);
    void writeCounts();
    void reportFailure(const std::string& path, const std::string& sjisMessage);

    SiteCheckOptions m_options;
    const ExcludedTags& m_excluded;
    std::vector<std::pair<std::size_t, std::string>> m_counts; // for style.countOnly
    bool m_found = false;
    bool m_failed = false;
};

} // namespace vorelind
