#pragma once

#include <QString>

namespace vorelind {

// The local socket on which the line-analysis tool that shows a work file
// listens for requests to bring its window to the front. It depends on the
// work file's path and the user only, so both programs find it.
QString toolLinkName(const QString& workFile);

// The one request the tool understands, a line of its own.
inline constexpr char kRaiseRequest[] = "raise\n";

// Asks the tool that shows the work file to bring its window to the front.
// Returns false when no tool listens.
bool askToolToRaise(const QString& workFile);

} // namespace vorelind
