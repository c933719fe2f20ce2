#include "document/sourceloader.h"

#include "document/messages.h"
#include "util/apperror.h"
#include "util/sjis.h"

#include <cstdio>
#include <memory>

namespace vorelind {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openForReading(const std::string& path)
{
    return File(std::fopen(path.c_str(), "rb"));
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

TextCheck textCheckOf(TextVerdict verdict)
{
    switch (verdict) {
    case TextVerdict::Text: return TextCheck::Text;
    case TextVerdict::NotText: return TextCheck::NotText;
    case TextVerdict::EndOfFile: break;
    }
    return TextCheck::EndOfFile;
}

TextCheck checkTextFile(const std::string& path)
{
    const File file = openForReading(path);
    if (!file)
        return TextCheck::CannotOpen;
    char head[kTextCheckLength];
    const std::size_t count = std::fread(head, 1, sizeof head, file.get());
    if (count < sizeof head && std::ferror(file.get()))
        throw systemError();
    return textCheckOf(judgeText(std::string_view(head, count)));
}

std::string loadText(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char byte = bytes[i];
        if (isSjisLeadByte(static_cast<unsigned char>(byte)) && i + 1 < bytes.size()) {
            text += byte;
            text += bytes[++i];
        } else if (byte == '\r') {
            text += "\r\n";
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else if (byte == '\n') {
            text += "\r\n";
        } else {
            text += byte;
        }
    }
    return text;
}

std::string readFileBytes(const std::string& path)
{
    const File file = openForReading(path);
    if (!file)
        throw systemError();
    std::string bytes;
    char chunk[1 << 16];
    std::size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, count);
    if (std::ferror(file.get()))
        throw systemError();
    return bytes;
}

std::string loadSourceFile(const std::string& path)
{
    return loadText(readFileBytes(path));
}

std::string fileNameOf(std::string_view path)
{
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (isSjisLeadByte(byte))
            ++i;
        else if (byte == '\\' || byte == ':' || byte == '/')
            nameStart = i + 1;
    }
    return std::string(path.substr(std::min(nameStart, path.size())));
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
