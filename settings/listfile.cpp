#include "settings/listfile.h"

#include "platform/codecs/sjistext.h"
#include "platform/files/lockedfile.h"
#include "platform/files/messages.h"
#include "platform/files/wholefile.h"
#include "settings/messages.h"
#include "util/apperror.h"

#include <filesystem>

namespace vorelind {

std::vector<std::string> parseListText(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            entries.emplace_back(bytes.substr(start));
            break;
        }
        entries.emplace_back(bytes.substr(start, end - start));
        const bool crLf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return entries;
}

std::string listFileBytes(const std::vector<std::string>& entries)
{
    std::string bytes;
    for (const std::string& entry : entries) {
        bytes += entry;
        bytes += "\r\n";
    }
    return bytes;
}

IgnoreListFile::IgnoreListFile(std::filesystem::path path)
    : m_path(std::move(path))
{
}

std::vector<std::string> IgnoreListFile::load()
{
    LockedFile file(m_path, LockedFile::Mode::Read);
    std::string bytes;
    if (!file.isOpen() || !file.readAll(bytes))
        throw AppError(formatMessage(messages::kCannotOpenFile, pathText(m_path)));
    m_loaded = true;
    return parseListText(bytes);
}

void IgnoreListFile::save(const std::vector<std::string>& entries)
{
    // Opening the file checks that it may be written; without a loaded list
    // only a missing file may be, and creating it fails when it exists. The
    // file is closed again before it is replaced whole, since not every
    // system renames over an open file. So a copy stopped midway never leaves
    // part of a list, and of copies saving at once the last one wins.
    const LockedFile::Mode mode = m_loaded ? LockedFile::Mode::Write : LockedFile::Mode::CreateNew;
    const bool writable = LockedFile(m_path, mode).isOpen();
    if (!writable || !replaceFileWhole(m_path, listFileBytes(entries)))
        throw AppError(formatMessage(messages::kCannotCreateFile, pathText(m_path)));
    // The file now holds this list, so later saves may replace it.
    m_loaded = true;
}

bool IgnoreListFile::refusesSave() const
{
    std::error_code unknown;
    return !m_loaded && std::filesystem::exists(m_path, unknown);
}

} // namespace vorelind
