#pragma once

#include <cstddef>

namespace vorelind {

// Receives the walk's progress: the range once, then one step per position.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Sets the range 0..maximum, the increment 1 and the position 0.
    virtual void start(std::size_t maximum) = 0;
    virtual void advance() = 0;
};

// Receives the status of each position. It gets the numbers rather than the
// finished text so that a sink showing only some positions formats only those.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void showPosition(std::size_t position, std::size_t total) = 0;
};

// Receives one run-log line per position: the output count so far and the
// 1-based source position.
class RunLogSink {
public:
    virtual ~RunLogSink() = default;
    virtual void appendLine(std::size_t outputCount, std::size_t position) = 0;
};

// The three sinks of one walk; any of them may be absent.
struct WalkSinks {
    ProgressSink* progress = nullptr;
    StatusSink* status = nullptr;
    RunLogSink* runLog = nullptr;
};

} // namespace vorelind
