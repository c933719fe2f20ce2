#pragma once

#include <string>

namespace vorelind {

// Starts the UTF-8 command line as a new process and returns when the
// process has ended. The event loop keeps running meanwhile, so the windows
// stay alive and other handlers can run inside the wait; nothing polls. The
// first word names the program, looked for first in this executable's folder
// and then on the search path. A program that cannot be found or started ends
// the wait at once; nothing is reported. The command line may be of any length.
// When the application quits during the wait, the program is left running,
// once it has said on its standard output that it has read its input (the
// wait for that lasts ten seconds at most).
void runAndWait(const std::string& commandLine);

} // namespace vorelind
