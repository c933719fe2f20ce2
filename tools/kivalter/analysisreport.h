#pragma once

#include "tools/kivalter/lineanalysis.h"

#include <functional>
#include <string_view>

namespace vorelind {

// Writes the analysis as text for scripts: a totals line, then one
// TAB-separated row per listing line and one per tag name, each table under
// its heading row. Line numbers count from 1. The text stays Shift-JIS; rows
// end with LF. It is handed over in pieces of whole rows, so that the report
// of a large listing is never held whole.
void writeAnalysisReport(const LineAnalysis& analysis, const std::function<void(std::string_view)>& write);

} // namespace vorelind
