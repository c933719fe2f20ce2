#include "document/sourceloader.h"

#include "document/messages.h"
#include "platform/codecs/sjistext.h"
#include "platform/files/filereader.h"
#include "util/apperror.h"
#include "util/bytescan.h"
#include "util/sjis.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <vector>

namespace vorelind {

namespace {

// Returns the position of the first CR or LF from `from` on, or the text's size.
std::size_t findCrOrLf(std::string_view bytes, std::size_t from)
{
    return findStop(bytes, from, ScanStops{'\r', '\n', '\n', '\n', false});
}

// Returns the position of the first line break from `from` on, where a
// character starts, skipping the second bytes of Shift-JIS characters; the
// text's size when there is none. Looking back from each CR or LF instead of
// reading every character forwards keeps the common scan free of a byte
// that depends on the byte before it.
std::size_t findLineBreak(std::string_view bytes, std::size_t from)
{
    std::size_t candidate = findCrOrLf(bytes, from);
    while (candidate < bytes.size() && isSjisSecondByte(bytes, candidate, from)) {
        from = candidate + 1;
        candidate = findCrOrLf(bytes, from);
    }
    return candidate;
}

// The positions of the line breaks that are a lone CR or a lone LF, in order.
// A text whose lines all end in CR LF has none, and is loaded as it stands.
std::vector<std::size_t> loneBreaksOf(std::string_view bytes)
{
    std::vector<std::size_t> loneBreaks;
    std::size_t lineBreak = findLineBreak(bytes, 0);
    while (lineBreak < bytes.size()) {
        const bool crLf = bytes[lineBreak] == '\r' && lineBreak + 1 < bytes.size() && bytes[lineBreak + 1] == '\n';
        if (!crLf)
            loneBreaks.push_back(lineBreak);
        lineBreak = findLineBreak(bytes, lineBreak + (crLf ? 2 : 1));
    }
    return loneBreaks;
}

// Makes each lone break CR LF in place, moving the bytes after it on by the
// breaks widened before it: from the last break back, so that no byte is
// overwritten before it has moved.
void widenLoneBreaks(std::string& text, const std::vector<std::size_t>& loneBreaks)
{
    if (loneBreaks.empty())
        return;
    std::size_t unmovedEnd = text.size();
    text.resize(text.size() + loneBreaks.size());
    for (std::size_t widened = loneBreaks.size(); widened-- > 0;) {
        const std::size_t lineBreak = loneBreaks[widened];
        const std::size_t shift = widened + 1;
        std::memmove(text.data() + lineBreak + 1 + shift, text.data() + lineBreak + 1, unmovedEnd - lineBreak - 1);
        text[lineBreak + shift - 1] = '\r';
        text[lineBreak + shift] = '\n';
        unmovedEnd = lineBreak;
    }
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

std::string loadText(std::string bytes)
{
    bytes.resize(std::min(bytes.find('\0'), bytes.size()));
    widenLoneBreaks(bytes, loneBreaksOf(bytes));
    return bytes;
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
