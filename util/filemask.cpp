#include "util/filemask.h"

#include "util/sjis.h"
#include "util/substring.h"

#include <vector>

namespace vorelind {

namespace {

constexpr char kHtmlMask[] = "*.htm*";
constexpr char kAllFilesMask[] = "*.*";
constexpr long long kExtensionPresetLength = 20;

// Splits a text into characters: a Shift-JIS lead byte and the byte after it
// make one character.
std::vector<std::string_view> charactersOf(std::string_view text)
{
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool doubleByte = isSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        characters.push_back(text.substr(i, doubleByte ? 2 : 1));
        if (doubleByte)
            ++i;
    }
    return characters;
}

bool sameCharacter(std::string_view patternCharacter, std::string_view nameCharacter)
{
    if (patternCharacter.size() == 1 && nameCharacter.size() == 1)
        return upperAsciiByte(patternCharacter[0]) == upperAsciiByte(nameCharacter[0]);
    return patternCharacter == nameCharacter;
}

// Matches "*" and "?" by walking both texts once, going back only to the
// last "*" seen when a character fails.
bool wildcardMatches(std::string_view pattern, std::string_view name)
{
    const std::vector<std::string_view> p = charactersOf(pattern);
    const std::vector<std::string_view> n = charactersOf(name);
    std::size_t pi = 0;
    std::size_t ni = 0;
    std::size_t starAt = p.size();
    std::size_t resumeAt = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == "*") {
            starAt = pi++;
            resumeAt = ni;
        } else if (pi < p.size() && (p[pi] == "?" || sameCharacter(p[pi], n[ni]))) {
            ++pi;
            ++ni;
        } else if (starAt < p.size()) {
            pi = starAt + 1;
            ni = ++resumeAt;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == "*")
        ++pi;
    return pi == p.size();
}

// '.' is never the second byte of a Shift-JIS character, so a byte search will do.
bool hasExtension(std::string_view name)
{
    return name.find('.') != std::string_view::npos;
}

bool matchesFilePattern(std::string_view pattern, std::string_view name)
{
    if (pattern.empty())
        return false;
    if (pattern.ends_with('.'))
        return !hasExtension(name) && wildcardMatches(pattern.substr(0, pattern.size() - 1), name);
    if (wildcardMatches(pattern, name))
        return true;
    return pattern.ends_with(".*") && !hasExtension(name)
        && wildcardMatches(pattern.substr(0, pattern.size() - 2), name);
}

} // namespace

bool matchesFileMask(std::string_view mask, std::string_view fileName)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t end = mask.find(';', start);
        if (matchesFilePattern(mask.substr(start, end - start), fileName))
            return true;
        if (end == std::string_view::npos)
            return false;
        start = end + 1;
    }
}

int maskChoiceOf(std::string_view mask)
{
    if (mask == kAllFilesMask)
        return kAllFiles;
    if (mask == kHtmlMask)
        return kHtmlFiles;
    return kOneExtension;
}

std::string_view presetExtensionOf(std::string_view mask)
{
    return substring(mask, 3, kExtensionPresetLength);
}

std::string maskForChoice(int choice, std::string_view extension)
{
    switch (choice) {
    case kAllFiles: return kAllFilesMask;
    case kHtmlFiles: return kHtmlMask;
    default: return "*." + std::string(extension);
    }
}

} // namespace vorelind
