#pragma once

#include <QFuture>
#include <QPromise>

#include <exception>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace vorelind {

// Starts work on the window's one background thread, after all work started
// before it. The thread runs at a lower priority, so that it takes little
// from the window's own thread and the run log's writer during the walk
// the user waits for, and one such thread never contends with another.
void startInBackground(std::function<void()> work);

// Runs work in the background, as above, and gives its result, or raises
// what it raised; a QFutureWatcher tells the window's thread when it is
// done. The work may wait for results of work started before it, never
// for later work's.
template <typename Work>
QFuture<std::invoke_result_t<Work&>> runInBackground(Work work)
{
    auto promise = std::make_shared<QPromise<std::invoke_result_t<Work&>>>();
    // Started here, the result is valid, and waited for, before the thread takes the work.
    promise->start();
    auto result = promise->future();
    startInBackground([promise, work = std::make_shared<Work>(std::move(work))] {
        try {
            promise->addResult((*work)());
        } catch (...) {
            promise->setException(std::current_exception());
        }
        promise->finish();
    });
    return result;
}

} // namespace vorelind
