#pragma once

#include <functional>
#include <future>
#include <memory>
#include <type_traits>
#include <utility>

namespace vorelind {

// Starts work on the window's one background thread, after all work started
// before it. The thread runs at a lower priority, so that it takes little
// from the window's own thread and the run log's writer during the walk
// the user waits for, and one such thread never contends with another.
void startInBackground(std::function<void()> work);

// Runs work in the background, as above, and gives its result. The work may
// wait for results of work started before it, never for later work's.
template <typename Work>
std::future<std::invoke_result_t<Work&>> runInBackground(Work work)
{
    auto task = std::make_shared<std::packaged_task<std::invoke_result_t<Work&>()>>(std::move(work));
    auto result = task->get_future();
    startInBackground([task] { (*task)(); });
    return result;
}

} // namespace vorelind
