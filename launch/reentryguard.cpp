#include "launch/reentryguard.h"

namespace vorelind {

ReentryGuard::ReentryGuard(bool& running)
    : m_running(running)
    , m_entered(!running)
{
    m_running = true;
}

ReentryGuard::~ReentryGuard()
{
    if (m_entered)
        m_running = false;
}

} // namespace vorelind
