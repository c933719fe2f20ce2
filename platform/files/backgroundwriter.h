#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <exception>
#include <mutex>
#include <thread>

namespace vorelind {

// Writes buffers to an open file on a thread of its own, one at a time, so
// that the caller fills its next buffer while the system takes the last.
// A failed write raises AppError in the caller at its next call.
class BackgroundWriter {
public:
    explicit BackgroundWriter(std::FILE* file);
    // Waits for the write under way; its failure is no longer reported.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Waits for the write before, then starts writing and flushing the
    // bytes, which must stay as they are until the next call returns.
    void write(const char* bytes, std::size_t size);
    // Waits for the write under way, and raises its failure.
    void wait();

private:
    void run();
    void waitUntilIdle(std::unique_lock<std::mutex>& lock);

    std::FILE* m_file;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    const char* m_bytes = nullptr;
    std::size_t m_size = 0;
    bool m_writing = false;
    bool m_stopping = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};

} // namespace vorelind
