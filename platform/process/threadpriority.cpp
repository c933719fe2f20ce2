#include "platform/process/threadpriority.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace vorelind {

#ifdef _WIN32
void lowerThisThreadPriority()
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}
#else
namespace {

// A tenth of a normal thread's share when the two contend for a processor.
constexpr int kBackgroundNiceness = 10;

} // namespace

// Linux keeps a niceness per thread; the call sets the calling thread's alone.
void lowerThisThreadPriority()
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kBackgroundNiceness);
}
#endif

} // namespace vorelind
