#pragma once

#include "document/walksinks.h"
#include "platform/files/backgroundwriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace vorelind {

// The size past which the run log is set aside: about two and a half
// million lines, the whole of a run over a page of a few megabytes.
inline constexpr std::size_t kRunLogMostBytes = std::size_t{64} << 20;

// The run log: appends "cntm=<count> i=<position>" CR LF per position to a
// file, across runs. The file is opened at the first line and
// written through a buffer that the lines' digits go straight into, while
// the system takes the buffer before on a thread of its own; it is complete
// once the run ends (close()).
// The file stays within the given size: a buffer that would take it past
// that, during a run too, first renames it to the same name with ".1"
// (replacing the one set aside before) and starts it afresh, so that every
// line stays whole and the two files together hold at most twice the size.
// A file that cannot be opened, written or renamed raises AppError, and so
// does a symbolic link, a FIFO or a device in the log's place or in the
// place of the one set aside.
class RunLogFile : public RunLogSink {
public:
    // The size must hold at least one line.
    explicit RunLogFile(std::string path, std::size_t mostBytes = kRunLogMostBytes);
    ~RunLogFile() override;
    RunLogFile(const RunLogFile&) = delete;
    RunLogFile& operator=(const RunLogFile&) = delete;

    void appendLines(std::size_t firstPosition, std::size_t lastPosition, std::size_t firstOutputCount) override;
    // Writes what is buffered and closes the file.
    void close();

private:
    class Line;

    void open();
    void openFile();
    void closeFile();
    void setAside();
    void flush();

    std::string m_path;
    std::size_t m_mostBytes;
    std::size_t m_bufferSize;
    std::FILE* m_file = nullptr;
    std::uintmax_t m_fileBytes = 0;
    std::unique_ptr<char[]> m_buffer;
    std::unique_ptr<char[]> m_written; // the buffer the writer may still be taking
    std::size_t m_used = 0;
    std::unique_ptr<BackgroundWriter> m_writer;
    std::unique_ptr<Line> m_line; // the last line written, the next one's pattern
};

} // namespace vorelind
