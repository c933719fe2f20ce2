#include "document/exporttidy.h"

#include "document/messages.h"
#include "platform/regularfile.h"
#include "platform/wholefile.h"
#include "util/apperror.h"
#include "util/sjis.h"

namespace vorelind {

namespace {

bool holdsOpeningMarker(std::string_view upper)
{
    return upper.find("<SCRIPT") != std::string_view::npos || upper.find("<PRE") != std::string_view::npos;
}

bool holdsClosingMarker(std::string_view upper)
{
    return upper.find("/SCRIPT") != std::string_view::npos || upper.find("/PRE") != std::string_view::npos;
}

// Removes at most count leading blanks: the listing put exactly those in
// front of a block line, and anything else on the line is content.
std::string_view dropLeadingBlanks(std::string_view text, std::size_t count)
{
    std::size_t blanks = 0;
    while (blanks < count && blanks < text.size() && text[blanks] == ' ')
        ++blanks;
    return text.substr(blanks);
}

} // namespace

std::string_view TrimTail(std::string_view text)
{
    std::size_t length = text.size();
    while (length > 0 && static_cast<unsigned char>(text[length - 1]) <= 32)
        --length;
    return text.substr(0, length);
}

std::size_t FirstNonBlankPos(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) > 32)
            return i + 1;
    }
    return 0;
}

void tidyForExport(std::vector<std::string>& lines)
{
    bool inBlock = false;
    std::size_t blockStart = 0; // 1-based position of the opening line's first non-blank
    for (std::string& line : lines) {
        const std::string_view trimmed = TrimTail(line);
        const std::string upper = upperAscii(trimmed);
        if (holdsOpeningMarker(upper)) {
            inBlock = true;
            blockStart = FirstNonBlankPos(trimmed);
        } else if (holdsClosingMarker(upper)) {
            inBlock = false;
        } else {
            // The listing leads a block line with the opening tag's depth + 2
            // blanks, which is blockStart + 1.
            line = std::string(inBlock ? dropLeadingBlanks(trimmed, blockStart + 1) : trimmed);
        }
    }
}

std::string exportBytes(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

void writeExportFile(const std::string& path, const std::vector<std::string>& lines)
{
    // A link is written through to the file it names; a FIFO or a device is
    // no place for a listing.
    const std::string target = writeTarget(path);
    if (isLinkOrSpecialFile(target) || !replaceFileWhole(target, exportBytes(lines)))
        throw AppError(formatMessage(messages::kCannotCreateFile, path));
}

} // namespace vorelind
