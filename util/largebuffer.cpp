#include "util/largebuffer.h"

#include <cstdint>
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

} // namespace

void adviseLargeBuffer([[maybe_unused]] char* data, [[maybe_unused]] std::size_t size)
{
#ifdef __linux__
    // Only whole huge pages inside the buffer can be advised.
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHugePageSize - 1) & ~(kHugePageSize - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHugePageSize - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

void reserveLarge(std::string& text, std::size_t size)
{
    text.reserve(size);
    if (size >= 2 * kHugePageSize)
        adviseLargeBuffer(text.data(), text.capacity());
}

BackgroundPrefault::BackgroundPrefault([[maybe_unused]] void* data, [[maybe_unused]] std::size_t size)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (size < kSmallestPrefaulted)
        return;
    // Only whole pages inside the buffer can be mapped ahead.
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + pageSize - 1) & ~(pageSize - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(pageSize - 1);
    if (end <= begin)
        return;
    try {
        m_thread = std::thread([begin, end] { madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE); });
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
