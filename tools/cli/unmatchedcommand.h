#pragma once

#include "document/excludedtags.h"
#include "document/tagbalance.h"
#include "document/walksinks.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorelind {

// How findings are written: tab-separated fields, or the
// "PATH:LINE:COL: error: MESSAGE" lines that editors and build tools read.
enum class FindingFormat { Tsv, Gnu };

// How one file's findings are written.
struct FindingStyle {
    FindingFormat format = FindingFormat::Tsv;
    bool pathFirst = false;       // tsv lines start with the path and a TAB
    bool converted = false;       // the source was converted to Shift-JIS on loading
    bool countOnly = false;       // the findings are counted, not written
    std::optional<TagRules> rules; // none: chosen by the source itself
};

// One file's findings, written out, and their number.
struct FileFindings {
    std::string text;
    std::size_t count = 0;
};

// The tags of a loaded source that the tag balance leaves unpaired under
// the rules, in source order, one a line. Tsv: "LINE:COL" of the '<' in the
// loaded text, TAB, "start" or "end", TAB, the name as written, LF; with
// pathFirst the path and a TAB before. Gnu: the path, the line, the column
// counted in characters of the file as written, and the message. Given a
// sink, the lines go to it as they are written, and the text stays empty.
FileFindings unmatchedFindings(std::string_view path, std::string_view source, TagRules rules,
                               const ExcludedTags& excluded, const FindingStyle& style, ListingSink* out = nullptr);

} // namespace vorelind
