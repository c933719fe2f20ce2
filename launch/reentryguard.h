#pragma once

namespace vorelind {

// Marks an operation as running for as long as the guard lives. When the
// operation is running already, the guard is not entered and leaves the mark
// to its owner.
class ReentryGuard {
public:
    explicit ReentryGuard(bool& running);
    ~ReentryGuard();
    ReentryGuard(const ReentryGuard&) = delete;
    ReentryGuard& operator=(const ReentryGuard&) = delete;

    bool entered() const { return m_entered; }

private:
    bool& m_running;
    bool m_entered;
};

} // namespace vorelind
