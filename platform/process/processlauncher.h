#pragma once

#include <string>

namespace vorelind {

// Starts the UTF-8 command line as a new process and returns when the
// process has ended. The caller's events keep being handled meanwhile, so
// the windows stay alive and other handlers can run inside the wait; nothing
// polls. The first word names the program, looked for first in this
// executable's folder and then on the search path. A program that cannot be
// found or started ends the wait at once; nothing is reported. The command
// line may be of any length that the system takes.
// When the application quits during the wait, the program is left running,
// once it has read its input (the wait for that lasts ten seconds at most).
//
// Windows: CreateProcessW gets the command line as it stands, the child
// hidden; the wait handles the thread's window messages and ends early on
// WM_QUIT, which stays queued for the caller; a program is taken to have
// read its input once it is ready for input. Elsewhere: a QProcess, the
// arguments split as a Windows program splits them; the wait runs a Qt event
// loop and ends when the application quits; the program says on its standard
// output that it has read its input.
void runAndWait(const std::string& commandLine);

} // namespace vorelind
