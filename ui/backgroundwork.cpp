#include "ui/backgroundwork.h"

#include "platform/process/threadpriority.h"

#include <QThreadPool>

namespace vorelind {

namespace {

// One thread runs the work in the order it came; at exit it finishes what it took.
class OneThreadPool : public QThreadPool {
public:
    OneThreadPool() { setMaxThreadCount(1); }
};

QThreadPool& backgroundThread()
{
    static OneThreadPool pool;
    return pool;
}

} // namespace

void startInBackground(std::function<void()> work)
{
    backgroundThread().start([work = std::move(work)] {
        lowerThisThreadPriority();
        work();
    });
}

} // namespace vorelind
