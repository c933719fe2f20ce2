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

// Room for an array of the given bytes, and its release: from 2 MiB on it is
// aligned to huge pages and carries the hint above, so that an array filled
// from start to end, such as a vector reserved ahead, costs a page fault per
// 2 MiB rather than per 4 KiB. Raises std::bad_alloc when there is no room.
void* allocateLarge(std::size_t bytes);
void freeLarge(void* data, std::size_t bytes);

// An allocator for containers that grow large, by allocateLarge.
template <typename T>
class LargeAllocator {
public:
    using value_type = T;

    LargeAllocator() = default;
    template <typename U>
    LargeAllocator(const LargeAllocator<U>& /*other*/)
    {
    }

    T* allocate(std::size_t count) { return static_cast<T*>(allocateLarge(count * sizeof(T))); }
    void deallocate(T* data, std::size_t count) { freeLarge(data, count * sizeof(T)); }

    friend bool operator==(const LargeAllocator&, const LargeAllocator&) { return true; }
};

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
