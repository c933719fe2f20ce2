#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vorelind {

// Receives the walk's progress: the range once, then the steps made, a few
// thousand positions at a time.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Sets the range 0..maximum, the increment 1 and the position 0.
    virtual void start(std::size_t maximum) = 0;
    // Advances by the given number of increments.
    virtual void advance(std::size_t steps) = 0;
};

// Receives the status of the last position walked. It gets the numbers
// rather than the finished text so that a sink showing only some positions
// formats only those.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    // The position walked last, of the total.
    virtual void showPosition(std::size_t position, std::size_t total) = 0;
};

// Receives the run log's lines, one per position, as runs of consecutive
// positions: position p of the run was logged with the output count
// firstOutputCount + (p - firstPosition).
class RunLogSink {
public:
    virtual ~RunLogSink() = default;
    virtual void appendLines(std::size_t firstPosition, std::size_t lastPosition, std::size_t firstOutputCount) = 0;
};

// The three reporting sinks of one walk; any of them may be absent.
struct WalkSinks {
    ProgressSink* progress = nullptr;
    StatusSink* status = nullptr;
    RunLogSink* runLog = nullptr;
};

// Where a listing line began, for a sink that takes the lines' starts: the
// position (from 1) in the walked source, the blanks that lead the line
// and that the walk left out, writing only the last of them, and whether
// the line's bytes after its leading blanks are known to be the source's
// own from that position on, as most lines are. A line that a piece of the
// listing ends within is not known so.
struct LineStart {
    std::size_t sourcePosition;
    std::size_t leftOutBlanks;
    bool verbatim;
};

// Receives the listing in pieces, in order; a piece is valid only during the call.
class ListingSink {
public:
    virtual ~ListingSink() = default;
    virtual void write(std::string_view bytes) = 0;
    // Told the size of the walked source before the first piece, so that a
    // sink that keeps the listing can make room for it at once.
    virtual void expectSource(std::size_t /*sourceSize*/) {}
    // Receives, ahead of the bytes that hold them, the positions (from 1) in
    // the walked source where the listing's next lines begin: one for the
    // first line, then one for each CR LF pair written. A sink that keeps
    // no positions ignores them.
    virtual void beginLines(const std::vector<std::size_t>& /*sourcePositions*/) {}
    // Whether the sink takes the lines' starts by beginLineStarts instead.
    // The walk then leaves out all but the last of the blanks it writes at
    // a line's start, which spares a deeply nested listing most of its bytes.
    virtual bool takesLineStarts() const { return false; }
    // Receives, ahead of the piece that holds them, the starts of the lines
    // that beginLines would have named. The sink may take them, swapping
    // the vector with one of its own, which the walk clears.
    virtual void beginLineStarts(std::vector<LineStart>& /*starts*/) {}
};

} // namespace vorelind
