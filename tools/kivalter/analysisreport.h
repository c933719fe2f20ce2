#pragma once

#include "tools/kivalter/lineanalysis.h"

#include <string>

namespace vorelind {

// The analysis as text for scripts: a totals line, then one TAB-separated row
// per listing line and one per tag name, each table under its heading row.
// Line numbers count from 1. The text stays Shift-JIS; rows end with LF.
std::string analysisReport(const LineAnalysis& analysis);

} // namespace vorelind
