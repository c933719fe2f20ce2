#pragma once

namespace vorelind {

// Lowers the calling thread's priority below the program's other threads,
// for work the user does not wait on: it takes what time they leave, and
// still goes on, more slowly, on a machine busy with other programs.
void lowerThisThreadPriority();

} // namespace vorelind
