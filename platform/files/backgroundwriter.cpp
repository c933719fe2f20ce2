#include "platform/files/backgroundwriter.h"

#include "util/apperror.h"

#include <utility>

namespace vorelind {

BackgroundWriter::BackgroundWriter(std::FILE* file)
    : m_file(file)
    , m_thread(&BackgroundWriter::run, this)
{
}

BackgroundWriter::~BackgroundWriter()
{
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_writing; });
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void BackgroundWriter::write(const char* bytes, std::size_t size)
{
    {
        std::unique_lock lock(m_mutex);
        waitUntilIdle(lock);
        m_bytes = bytes;
        m_size = size;
        m_writing = true;
    }
    m_changed.notify_all();
}

void BackgroundWriter::wait()
{
    std::unique_lock lock(m_mutex);
    waitUntilIdle(lock);
}

// Waits for the write under way and hands on its failure, once.
void BackgroundWriter::waitUntilIdle(std::unique_lock<std::mutex>& lock)
{
    m_changed.wait(lock, [this] { return !m_writing; });
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
}

void BackgroundWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_writing || m_stopping; });
        if (!m_writing)
            return;
        lock.unlock();
        const bool written = std::fwrite(m_bytes, 1, m_size, m_file) == m_size && std::fflush(m_file) == 0;
        // errno is the writing thread's own, so the error is made here.
        const std::exception_ptr failure = written ? nullptr : std::make_exception_ptr(systemError());
        lock.lock();
        m_failure = failure;
        m_writing = false;
        m_changed.notify_all();
    }
}

} // namespace vorelind
