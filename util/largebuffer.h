#pragma once

#include <cstddef>
#include <string>
#include <thread>

namespace vorelind {

// Reserves room for a large text about to be filled from start to end, and
// asks the kernel to back it with huge pages where it can: filling tens of
// megabytes of fresh memory otherwise costs a page fault every 4 KiB, more
// than the work that fills it. The hint changes nothing but speed.
// Room for spare bytes more, which may never be written, is reserved
// without the hint: a huge page is backed whole once any byte of it is
// written, so a spare tail would cost its memory even when left untouched.
void reserveLarge(std::string& text, std::size_t size, std::size_t spare = 0);

// The same hint for a buffer of the caller's own, such as one grown with realloc.
void adviseLargeBuffer(char* data, std::size_t size);

// Maps the pages of a fresh buffer on a thread of its own while its owner
// fills it, so that the owner's thread takes few of the page faults that
// writing fresh memory costs. The buffer's bytes are left as they are.
// Where the system cannot map pages ahead, or the buffer is small, it does
// nothing. The thread is joined at destruction or at the next assignment.
class BackgroundPrefault {
public:
    BackgroundPrefault() = default;
    BackgroundPrefault(void* data, std::size_t size);
    BackgroundPrefault(BackgroundPrefault&&) = default;
    BackgroundPrefault& operator=(BackgroundPrefault&& other);
    ~BackgroundPrefault();

private:
    void join();

    std::thread m_thread;
};

} // namespace vorelind
