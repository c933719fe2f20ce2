#include "util/largebuffer.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace vorelind {

namespace {

constexpr std::uintptr_t kHugePageSize = std::uintptr_t(2) << 20;

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

} // namespace vorelind
