#include "document/runlogfile.h"

#include "platform/files/regularfile.h"
#include "util/apperror.h"

#include <charconv>
#include <cstring>
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

// Adds one to the decimal digits in [first, end); false when they were all
// nines, which the caller must write one digit longer.
bool incrementDigits(char* first, char* end)
{
    for (char* digit = end; digit-- != first;) {
        if (*digit != '9') {
            ++*digit;
            return true;
        }
        *digit = '0';
    }
    return false;
}

// The run log's line of one position. Within a run both numbers grow by
// one per position, so the next line is this one with its digits counted
// up, which costs far less than writing the numbers afresh. The two last
// digits, which change at every line, are kept apart from the rest of the
// line, so that the line's bytes change only when a carry runs past them.
class LogLine {
public:
    LogLine(std::size_t outputCount, std::size_t position) { write(outputCount, position); }

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
        ++m_outputCount;
        ++m_position;
        if (m_countLastDigit != '9' && m_positionLastDigit != '9') {
            ++m_countLastDigit;
            ++m_positionLastDigit;
            return;
        }
        m_text[m_countEnd - 1] = m_countLastDigit;
        m_text[m_length - 3] = m_positionLastDigit;
        if (incrementDigits(m_text + 5, m_text + m_countEnd)
            && incrementDigits(m_text + m_countEnd + 3, m_text + m_length - 2))
            takeLastDigits();
        else
            write(m_outputCount, m_position); // a number got one digit longer
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

} // namespace

RunLogFile::RunLogFile(std::string path)
    : m_path(std::move(path))
{
}

RunLogFile::~RunLogFile()
{
    // An unfinished run (an error elsewhere) still leaves what it logged.
    if (m_file) {
        m_writer.reset();
        std::fwrite(m_buffer.get(), 1, m_used, m_file);
        std::fclose(m_file);
    }
}

void RunLogFile::appendLines(std::size_t firstPosition, std::size_t lastPosition, std::size_t firstOutputCount)
{
    if (!m_file)
        open();
    LogLine line(firstOutputCount, firstPosition);
    for (std::size_t position = firstPosition;; ++position) {
        if (m_used + kLongestLine > kBufferSize)
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
    m_writer->wait();
    m_writer.reset();
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0)
        throw systemError();
}

void RunLogFile::open()
{
    // A link, a FIFO or a device named like the log is refused: the log is
    // written in folders that the user only browses.
    m_file = openRegularFileForAppend(m_path);
    if (!m_file)
        throw systemError();
    m_buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
    m_written = std::make_unique_for_overwrite<char[]>(kBufferSize);
    m_writer = std::make_unique<BackgroundWriter>(m_file);
}

// The full buffer goes to the writer, and the one it took before, once
// written, is filled next.
void RunLogFile::flush()
{
    m_writer->wait();
    std::swap(m_buffer, m_written);
    m_writer->write(m_written.get(), std::exchange(m_used, 0));
}

} // namespace vorelind
