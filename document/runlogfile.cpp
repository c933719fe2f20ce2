#include "document/runlogfile.h"

#include "util/apperror.h"

#include <charconv>
#include <cstring>
#include <string_view>

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

char* putNumber(char* at, std::size_t number)
{
    return std::to_chars(at, at + 20, number).ptr;
}

} // namespace

RunLogFile::RunLogFile(std::string path)
    : m_path(std::move(path))
{
}

RunLogFile::~RunLogFile()
{
    // An unfinished run (an error elsewhere) still leaves what it logged.
    if (m_file) {
        std::fwrite(m_buffer.get(), 1, m_used, m_file);
        std::fclose(m_file);
    }
}

void RunLogFile::appendLines(std::size_t firstPosition, std::size_t lastPosition, std::size_t firstOutputCount)
{
    if (!m_file)
        open();
    std::size_t outputCount = firstOutputCount;
    for (std::size_t position = firstPosition; position <= lastPosition; ++position, ++outputCount) {
        if (m_used + kLongestLine > kBufferSize)
            flush();
        char* at = m_buffer.get() + m_used;
        at = putText(at, "cntm=");
        at = putNumber(at, outputCount);
        at = putText(at, " i=");
        at = putNumber(at, position);
        at = putText(at, "\r\n");
        m_used = static_cast<std::size_t>(at - m_buffer.get());
    }
}

void RunLogFile::close()
{
    if (!m_file)
        return;
    flush();
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0)
        throw systemError();
}

void RunLogFile::open()
{
    m_file = std::fopen(m_path.c_str(), "ab");
    if (!m_file)
        throw systemError();
    m_buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
}

void RunLogFile::flush()
{
    const std::size_t written = std::fwrite(m_buffer.get(), 1, m_used, m_file);
    const bool complete = written == m_used;
    m_used = 0;
    if (!complete || std::fflush(m_file) != 0)
        throw systemError();
}

} // namespace vorelind
