#include "document/runlogfile.h"

#include "platform/files/regularfile.h"
#include "util/apperror.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>
#include <string_view>
#include <utility>

namespace vorelind {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
// "cntm=", 20 digits, " i=", 20 digits, CR LF.
constexpr std::size_t kLongestLine = 5 + 20 + 3 + 20 + 2;

char* putText(char* at, std::string_view text)
{
    std::memcpy(at, text.data(), text.size());
    return at + text.size();
}

// Adds a step to the decimal number in [first, end); false when the sum
// needs more digits, which the caller must write afresh.
bool addToDigits(char* first, char* end, std::size_t step)
{
    for (char* digit = end; step > 0;) {
        if (digit == first)
            return false;
        --digit;
        const std::size_t sum = static_cast<std::size_t>(*digit - '0') + step;
        *digit = static_cast<char>('0' + sum % 10);
        step = sum / 10;
    }
    return true;
}

} // namespace

// The run log's line of one position. Within a run both numbers grow by
// one per position, and from one report to the next by a little more, so
// the next line is this one with its digits counted up, which costs far
// less than writing the numbers afresh. The two last digits, which change
// at every line, are kept apart from the rest of the line, so that the
// line's bytes change only when a carry runs past them.
class RunLogFile::Line {
public:
    Line(std::size_t outputCount, std::size_t position) { write(outputCount, position); }

    // Copies the line to the given place, which must have room for the
    // longest line, and returns the end of the copy. The copy always moves
    // the longest line's size, which the compiler does in a few moves
    // instead of a call.
    char* copyTo(char* at) const
    {
        std::memcpy(at, m_text, sizeof m_text);
        at[m_countEnd - 1] = m_countLastDigit;
        at[m_length - 3] = m_positionLastDigit;
        return at + m_length;
    }

    void next()
    {
        if (m_countLastDigit == '9' || m_positionLastDigit == '9') {
            moveTo(m_outputCount + 1, m_position + 1);
            return;
        }
        ++m_outputCount;
        ++m_position;
        ++m_countLastDigit;
        ++m_positionLastDigit;
    }

    void moveTo(std::size_t outputCount, std::size_t position)
    {
        if (outputCount < m_outputCount || position < m_position) {
            write(outputCount, position);
            return;
        }
        m_text[m_countEnd - 1] = m_countLastDigit;
        m_text[m_length - 3] = m_positionLastDigit;
        if (!addToDigits(m_text + 5, m_text + m_countEnd, outputCount - m_outputCount)
            || !addToDigits(m_text + m_countEnd + 3, m_text + m_length - 2, position - m_position)) {
            write(outputCount, position); // a number got longer
            return;
        }
        m_outputCount = outputCount;
        m_position = position;
        takeLastDigits();
    }

private:
    void write(std::size_t outputCount, std::size_t position)
    {
        m_outputCount = outputCount;
        m_position = position;
        char* at = putText(m_text, "cntm=");
        at = std::to_chars(at, m_text + sizeof m_text, outputCount).ptr;
        m_countEnd = static_cast<std::size_t>(at - m_text);
        at = putText(at, " i=");
        at = std::to_chars(at, m_text + sizeof m_text, position).ptr;
        at = putText(at, "\r\n");
        m_length = static_cast<std::size_t>(at - m_text);
        takeLastDigits();
    }

    void takeLastDigits()
    {
        m_countLastDigit = m_text[m_countEnd - 1];
        m_positionLastDigit = m_text[m_length - 3];
    }

    char m_text[kLongestLine] = {};
    std::size_t m_length = 0;
    std::size_t m_countEnd = 0;
    std::size_t m_outputCount = 0;
    std::size_t m_position = 0;
    char m_countLastDigit = '0';
    char m_positionLastDigit = '0';
};

RunLogFile::RunLogFile(std::string path, std::size_t mostBytes)
    : m_path(std::move(path))
    , m_mostBytes(mostBytes)
    // A buffer never takes the file past the size on its own.
    , m_bufferSize(std::max(kLongestLine, std::min(kBufferSize, mostBytes)))
{
}

RunLogFile::~RunLogFile()
{
    // An unfinished run (an error elsewhere) still leaves what it logged.
    if (!m_file)
        return;
    try {
        close();
    } catch (const std::exception&) {
        // The error that ended the run is the one reported.
    }
    if (m_file) {
        m_writer.reset();
        std::fclose(m_file);
    }
}

void RunLogFile::appendLines(std::size_t firstPosition, std::size_t lastPosition, std::size_t firstOutputCount)
{
    if (!m_file)
        open();
    if (m_line)
        m_line->moveTo(firstOutputCount, firstPosition);
    else
        m_line = std::make_unique<Line>(firstOutputCount, firstPosition);
    Line& line = *m_line;
    const std::size_t bufferSize = m_bufferSize; // kept in a register, as a constant would be
    for (std::size_t position = firstPosition;; ++position) {
        if (m_used + kLongestLine > bufferSize)
            flush();
        m_used = static_cast<std::size_t>(line.copyTo(m_buffer.get() + m_used) - m_buffer.get());
        if (position == lastPosition)
            return;
        line.next();
    }
}

void RunLogFile::close()
{
    if (!m_file)
        return;
    flush();
    closeFile();
}

void RunLogFile::open()
{
    m_buffer = std::make_unique_for_overwrite<char[]>(m_bufferSize);
    m_written = std::make_unique_for_overwrite<char[]>(m_bufferSize);
    openFile();
}

void RunLogFile::openFile()
{
    // A link, a FIFO or a device named like the log is refused: the log is
    // written in folders that the user only browses.
    m_file = openRegularFileForAppend(m_path);
    if (!m_file)
        throw systemError();
    m_fileBytes = sizeOfOpenFile(m_file);
    m_writer = std::make_unique<BackgroundWriter>(m_file);
}

void RunLogFile::closeFile()
{
    m_writer->wait();
    m_writer.reset();
    if (std::fclose(std::exchange(m_file, nullptr)) != 0)
        throw systemError();
}

// The renaming replaces a link rather than writing through it, but a link,
// a FIFO or a device there is the user's, and is refused as in the log's
// own place.
void RunLogFile::setAside()
{
    closeFile();
    const std::string aside = m_path + ".1";
    if (isLinkOrSpecialFile(aside)) {
        errno = EPERM;
        throw systemError();
    }
    std::error_code error;
    std::filesystem::rename(m_path, aside, error);
    if (error) {
        errno = error.value();
        throw systemError();
    }
    openFile();
}

// The full buffer goes to the writer, and the one it took before, once
// written, is filled next. The file's size is counted here, per buffer,
// not per line.
void RunLogFile::flush()
{
    m_writer->wait();
    if (m_fileBytes > 0 && m_fileBytes + m_used > m_mostBytes)
        setAside();
    std::swap(m_buffer, m_written);
    m_fileBytes += m_used;
    m_writer->write(m_written.get(), std::exchange(m_used, 0));
}

} // namespace vorelind
