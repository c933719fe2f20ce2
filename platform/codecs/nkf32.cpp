#include "platform/codecs/nkf32.h"

#include "platform/codecs/encodingguess.h"
#ifndef _WIN32
#include "platform/codecs/iculibrary.h"
#endif
#include "platform/codecs/sjistext.h"

#include <algorithm>
#include <cstring>

namespace vorelind {

namespace {

constexpr char kLayerVersion[] = "1.0";

// What the conversions run on.
std::string converterName()
{
#ifdef _WIN32
    return "Windows code pages";
#else
    const IcuLibrary& icu = icuLibrary();
    UVersionInfo icuVersion;
    icu.getVersion(icuVersion);
    char icuText[U_MAX_VERSION_STRING_LENGTH];
    icu.versionToString(icuVersion, icuText);
    return std::string("ICU ") + icuText;
#endif
}

} // namespace

int SetNkfOption(const char* options)
{
    return options != nullptr && std::string_view(options) == "-s" ? 0 : 1;
}

std::string NkfConvert(std::string_view text)
{
    const EncodingGuess guess = guessEncoding(text);
    const char* const icuName = icuConverterName(guess.encoding);
    if (!icuName)
        return std::string(text);
    return encodingToSjis(text.substr(guess.byteOrderMarkLength), icuName);
}

void GetNkfVersion(char (&buffer)[kNkfVersionBufferSize])
{
    // Shown after "Nkf" in the About dialog.
    const std::string version = std::string(" (Vorelind kanji layer ") + kLayerVersion + ", " + converterName() + ")";
    const std::size_t length = std::min(version.size(), kNkfVersionBufferSize - 1);
    std::memcpy(buffer, version.data(), length);
    buffer[length] = '\0';
}

} // namespace vorelind
