#pragma once

#include "document/walksinks.h"
#include "platform/files/backgroundwriter.h"

#include <cstdio>
#include <memory>
#include <string>

namespace vorelind {

// The run log: appends "cntm=<count> i=<position>" CR LF per position to a
// file that is only ever grown. The file is opened at the first line and
// written through a buffer that the lines' digits go straight into, while
// the system takes the buffer before on a thread of its own; it is complete
// once the run ends (close()).
// A file that cannot be opened or written raises AppError, and so does a
// symbolic link, a FIFO or a device in the log's place.
class RunLogFile : public RunLogSink {
public:
    explicit RunLogFile(std::string path);
    ~RunLogFile() override;
    RunLogFile(const RunLogFile&) = delete;
    RunLogFile& operator=(const RunLogFile&) = delete;

    void appendLines(std::size_t firstPosition, std::size_t lastPosition, std::size_t firstOutputCount) override;
    // Writes what is buffered and closes the file.
    void close();

private:
    void open();
    void flush();

    std::string m_path;
    std::FILE* m_file = nullptr;
    std::unique_ptr<char[]> m_buffer;
    std::unique_ptr<char[]> m_written; // the buffer the writer may still be taking
    std::size_t m_used = 0;
    std::unique_ptr<BackgroundWriter> m_writer;
};

} // namespace vorelind
