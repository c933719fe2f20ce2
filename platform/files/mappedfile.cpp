#include "platform/files/mappedfile.h"

#include <utility>

#ifndef _WIN32
#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>

#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vorelind {

#ifndef _WIN32
namespace {

// The address ranges of the mappings alive, which a SIGBUS inside one is
// answered for. The signal handler reads them, so they are atomics in a
// fixed table rather than a container that could move under it.
struct GuardedRange {
    std::atomic<bool> taken{false};
    std::atomic<std::uintptr_t> begin{0}; // 0 while the range is not guarded
    std::atomic<std::uintptr_t> end{0};
};

// More files are never checked at once; a further one is read instead.
constexpr std::size_t kMostGuarded = 64;

GuardedRange g_guarded[kMostGuarded];
std::uintptr_t g_pageSize = 4096;
struct sigaction g_previousHandler;

// Maps zero pages over a guarded range from the page of the faulting address
// on, which the file no longer reaches; the read that faulted then reads a
// NUL. A fault outside every range goes to the handler there was before.
void onBusError(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (GuardedRange& range : g_guarded) {
        const std::uintptr_t begin = range.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = range.end.load(std::memory_order_acquire);
        if (begin == 0 || address < begin || address >= end)
            continue;
        const std::uintptr_t page = address & ~(g_pageSize - 1);
        if (::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1,
                   0)
            != MAP_FAILED)
            return;
    }
    if (g_previousHandler.sa_flags & SA_SIGINFO) {
        g_previousHandler.sa_sigaction(signal, info, context);
    } else if (g_previousHandler.sa_handler == SIG_DFL || g_previousHandler.sa_handler == SIG_IGN) {
        // The faulting read runs again and meets the system's own answer.
        ::sigaction(SIGBUS, &g_previousHandler, nullptr);
    } else {
        g_previousHandler.sa_handler(signal);
    }
}

void installBusErrorHandler()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        g_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction handler {};
        handler.sa_sigaction = onBusError;
        handler.sa_flags = SA_SIGINFO;
        sigemptyset(&handler.sa_mask);
        ::sigaction(SIGBUS, &handler, &g_previousHandler);
    });
}

// Takes a free range for the mapping; kMostGuarded when none is free.
std::size_t guard(const void* data, std::size_t size)
{
    for (std::size_t index = 0; index < kMostGuarded; ++index) {
        bool free = false;
        if (!g_guarded[index].taken.compare_exchange_strong(free, true))
            continue;
        const auto begin = reinterpret_cast<std::uintptr_t>(data);
        g_guarded[index].end.store(begin + size, std::memory_order_release);
        g_guarded[index].begin.store(begin, std::memory_order_release);
        return index;
    }
    return kMostGuarded;
}

void unguard(std::size_t index)
{
    g_guarded[index].begin.store(0, std::memory_order_release);
    g_guarded[index].end.store(0, std::memory_order_release);
    g_guarded[index].taken.store(false, std::memory_order_release);
}

} // namespace

MappedFile::MappedFile(int descriptor, std::size_t size)
{
    if (size == 0)
        return;
    installBusErrorHandler();
    void* const data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
    if (data == MAP_FAILED)
        return;
    m_guard = guard(data, size);
    if (m_guard == kMostGuarded) {
        ::munmap(data, size);
        return;
    }
    m_data = static_cast<const char*>(data);
    m_size = size;
}

MappedFile::~MappedFile()
{
    if (!m_data)
        return;
    unguard(m_guard);
    ::munmap(const_cast<char*>(m_data), m_size);
}
#else
// Files are read rather than mapped here.
MappedFile::MappedFile(int /*descriptor*/, std::size_t /*size*/)
{
}

MappedFile::~MappedFile() = default;
#endif

MappedFile::MappedFile(MappedFile&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr))
    , m_size(std::exchange(other.m_size, 0))
    , m_guard(other.m_guard)
{
}

} // namespace vorelind
