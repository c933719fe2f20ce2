#include "document/runlogfile.h"

#include "platform/regularfile.h"
#include "util/apperror.h"

#include <charconv>

namespace vorelind {

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

void appendNumber(std::string& text, std::size_t number)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    text.append(digits, result.ptr);
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
        std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file);
        std::fclose(m_file);
    }
}

void RunLogFile::appendLine(std::size_t outputCount, std::size_t position)
{
    if (!m_file)
        open();
    m_buffer += "cntm=";
    appendNumber(m_buffer, outputCount);
    m_buffer += " i=";
    appendNumber(m_buffer, position);
    m_buffer += "\r\n";
    if (m_buffer.size() >= kFlushSize)
        flush();
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
    // A link, a FIFO or a device named like the log is refused: the log is
    // written in folders that the user only browses.
    m_file = openRegularFileForAppend(m_path);
    if (!m_file)
        throw systemError();
    m_buffer.reserve(kFlushSize + 64);
}

void RunLogFile::flush()
{
    const std::size_t written = std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file);
    const bool complete = written == m_buffer.size();
    m_buffer.clear();
    if (!complete || std::fflush(m_file) != 0)
        throw systemError();
}

} // namespace vorelind
