#include "util/largebuffer.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <system_error>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vorelind {

namespace {

constexpr std::uintptr_t kHugePageSize = std::uintptr_t(2) << 20;

// Below this, mapping ahead saves less than a thread costs.
constexpr std::size_t kSmallestPrefaulted = std::size_t(2) << 20;

#ifdef __linux__
// The whole pages of a size inside a buffer, the only ones madvise takes;
// empty when none fits.
struct WholePages {
    std::uintptr_t begin;
    std::uintptr_t end;

    void* start() const { return reinterpret_cast<void*>(begin); }
    std::size_t length() const { return end > begin ? end - begin : 0; }
};

WholePages wholePagesWithin(const void* data, std::size_t size, std::uintptr_t pageSize)
{
    const auto first = reinterpret_cast<std::uintptr_t>(data);
    return {(first + pageSize - 1) & ~(pageSize - 1), (first + size) & ~(pageSize - 1)};
}
#endif

} // namespace

void adviseLargeBuffer([[maybe_unused]] char* data, [[maybe_unused]] std::size_t size)
{
#ifdef __linux__
    if (const WholePages pages = wholePagesWithin(data, size, kHugePageSize); pages.length() > 0)
        madvise(pages.start(), pages.length(), MADV_HUGEPAGE);
#endif
}

void reserveLarge(std::string& text, std::size_t size, std::size_t spare)
{
    text.reserve(size + spare);
    if (size >= 2 * kHugePageSize)
        adviseLargeBuffer(text.data(), size);
}

void* allocateLarge(std::size_t bytes)
{
#ifdef __linux__
    if (bytes >= kHugePageSize) {
        const std::size_t pages = (bytes + kHugePageSize - 1) & ~(kHugePageSize - 1);
        void* const data = std::aligned_alloc(kHugePageSize, pages);
        if (!data)
            throw std::bad_alloc();
        adviseLargeBuffer(static_cast<char*>(data), pages);
        return data;
    }
#endif
    return ::operator new(bytes);
}

void freeLarge(void* data, [[maybe_unused]] std::size_t bytes)
{
#ifdef __linux__
    if (bytes >= kHugePageSize) {
        std::free(data);
        return;
    }
#endif
    ::operator delete(data);
}

BackgroundPrefault::BackgroundPrefault([[maybe_unused]] void* data, [[maybe_unused]] std::size_t size)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (size < kSmallestPrefaulted)
        return;
    const WholePages pages = wholePagesWithin(data, size, static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE)));
    if (pages.length() == 0)
        return;
    try {
        m_thread = std::thread([pages] { madvise(pages.start(), pages.length(), MADV_POPULATE_WRITE); });
    } catch (const std::system_error&) {
        // Without a thread the owner maps the pages itself as it writes them.
    }
#endif
}

BackgroundPrefault& BackgroundPrefault::operator=(BackgroundPrefault&& other)
{
    join();
    m_thread = std::move(other.m_thread);
    return *this;
}

BackgroundPrefault::~BackgroundPrefault()
{
    join();
}

void BackgroundPrefault::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace vorelind
