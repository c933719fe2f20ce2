#include "document/sourceloader.h"

#include "document/messages.h"
#include "platform/codecs/sjistext.h"
#include "platform/files/filereader.h"
#include "util/apperror.h"
#include "util/bytescan.h"
#include "util/largebuffer.h"
#include "util/sjis.h"

#include <cerrno>
#include <limits>
#include <stdexcept>

namespace vorelind {

namespace {

// Returns the position of the first CR or LF from `from` on, or the text's size.
std::size_t findCrOrLf(std::string_view bytes, std::size_t from)
{
    return findStop(bytes, from, ScanStops{'\r', '\n', '\n', '\n', false});
}

// Returns whether the byte at `at` is the second byte of a double-byte
// character, given that a character starts at `start`. The byte before a run
// of bytes in the lead-byte range always ends a character, so the run pairs
// up from its first byte: an odd run takes the byte at `at` as a second byte.
bool isSecondByte(std::string_view bytes, std::size_t start, std::size_t at)
{
    std::size_t leadRange = 0;
    while (at - leadRange > start && isSjisLeadByte(static_cast<unsigned char>(bytes[at - leadRange - 1])))
        ++leadRange;
    return leadRange % 2 == 1;
}

// Returns the position of the first line break from `from` on, where a
// character starts, skipping the second bytes of Shift-JIS characters; the
// text's size when there is none. Looking back from each CR or LF instead of
// reading every character forwards keeps the common scan free of a byte
// that depends on the byte before it.
std::size_t findLineBreak(std::string_view bytes, std::size_t from)
{
    std::size_t candidate = findCrOrLf(bytes, from);
    while (candidate < bytes.size() && isSecondByte(bytes, from, candidate)) {
        from = candidate + 1;
        candidate = findCrOrLf(bytes, from);
    }
    return candidate;
}

} // namespace

TextVerdict judgeText(std::string_view head)
{
    const std::size_t length = std::min(head.size(), kTextCheckLength);
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(head[i]);
        if (byte == '<' || byte == '\r' || byte == '\n')
            return TextVerdict::Text;
        if (byte < '\t') // bytes 0 to 8 are binary; TAB and up carry on
            return TextVerdict::NotText;
    }
    return length == kTextCheckLength ? TextVerdict::NotText : TextVerdict::EndOfFile;
}

std::string loadText(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string text;
    reserveLarge(text, bytes.size() + bytes.size() / 16);
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t lineBreak = findLineBreak(bytes, i);
        text.append(bytes.substr(i, lineBreak - i));
        if (lineBreak == bytes.size())
            break;
        // CR LF, a lone CR and a lone LF each become CR LF.
        const bool crLf = bytes[lineBreak] == '\r' && lineBreak + 1 < bytes.size() && bytes[lineBreak + 1] == '\n';
        text += "\r\n";
        i = lineBreak + (crLf ? 2 : 1);
    }
    return text;
}

std::string readFileBytes(const std::string& path, std::uint64_t limit)
{
    FileReader file(path);
    if (file.kind() == FileReader::Kind::Other)
        throw AppError(formatMessage(messages::kCannotOpenFile, pathText(path)));
    if (file.kind() == FileReader::Kind::Unopened) {
        errno = file.openError();
        throw systemError();
    }
    if (file.size() > limit)
        throw std::length_error("file too large");
    // One byte over the limit tells a file that grew meanwhile.
    const std::uint64_t readLimit = std::min<std::uint64_t>(limit, std::numeric_limits<std::size_t>::max() - 1) + 1;
    std::string bytes;
    file.readOn(bytes, static_cast<std::size_t>(readLimit));
    if (bytes.size() > limit)
        throw std::length_error("file too large");
    return bytes;
}

std::string documentTitle(std::string_view fileName)
{
    return messages::kTitleOpen + std::string(fileName) + messages::kTitleClose;
}

std::string openFailureMessage(std::string_view fileName)
{
    return messages::kOpenFailureHead + std::string(fileName) + messages::kOpenFailureTail;
}

std::string notTextMessage(std::string_view fileName)
{
    return std::string(fileName) + messages::kNotTextTail;
}

} // namespace vorelind
