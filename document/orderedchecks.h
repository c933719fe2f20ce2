#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vorelind {

// Checks files several at once on the machine's processors and hands each
// result on in the order of the files, whichever worker finishes first, so
// that a site's findings come out as one thread would write them. A stop
// asked from any thread lets the workers finish the file in hand and take
// no further one.
template <typename Result>
class OrderedChecks {
public:
    using Check = std::function<Result(const std::string& path)>;
    using Take = std::function<void(std::size_t index, Result result)>;

    OrderedChecks(std::vector<std::string> files, Check check)
        : m_files(std::move(files))
        , m_check(std::move(check))
        , m_results(m_files.size())
    {
    }

    const std::vector<std::string>& files() const { return m_files; }

    // Runs the checks and hands each result to take on the calling thread,
    // as soon as it and those before it are there. Returns false when a stop
    // ended the run first; what take raises ends it too, and is raised again
    // once the workers have ended.
    bool run(const Take& take)
    {
        std::vector<std::jthread> workers;
        const std::size_t count = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()),
                                                        m_files.size());
        for (std::size_t i = 0; i < count; ++i)
            workers.emplace_back([this] { work(); });
        try {
            for (std::size_t index = 0; index < m_files.size(); ++index) {
                std::optional<Result> result = waitFor(index);
                if (!result)
                    return false;
                take(index, std::move(*result));
            }
        } catch (...) {
            stop();
            throw;
        }
        return true;
    }

    void stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_ready.notify_all();
    }

private:
    void work()
    {
        for (std::size_t index = m_next++; index < m_files.size() && !stopped(); index = m_next++) {
            Result result = m_check(m_files[index]);
            {
                const std::lock_guard lock(m_mutex);
                m_results[index] = std::move(result);
            }
            m_ready.notify_all();
        }
    }

    bool stopped()
    {
        const std::lock_guard lock(m_mutex);
        return m_stopped;
    }

    // The file's result, taken so that its memory goes; none once stopped.
    std::optional<Result> waitFor(std::size_t index)
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this, index] { return m_stopped || m_results[index].has_value(); });
        if (m_stopped)
            return std::nullopt;
        std::optional<Result> result = std::move(m_results[index]);
        m_results[index].reset();
        return result;
    }

    const std::vector<std::string> m_files;
    const Check m_check;
    std::atomic<std::size_t> m_next = 0;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::vector<std::optional<Result>> m_results;
    bool m_stopped = false;
};

} // namespace vorelind
