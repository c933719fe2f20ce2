#include "util/commandline.h"

#include <algorithm>

namespace vorelind {

namespace {

bool isBlank(char byte)
{
    return byte == ' ' || byte == '\t';
}

} // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        const char byte = commandLine[i];
        if (byte == '\\') {
            const std::size_t runEnd = std::min(commandLine.find_first_not_of('\\', i), commandLine.size());
            const std::size_t run = runEnd - i;
            const bool beforeQuote = runEnd < commandLine.size() && commandLine[runEnd] == '"';
            word.append(beforeQuote ? run / 2 : run, '\\');
            // An odd backslash before a quote makes the quote literal.
            if (beforeQuote && run % 2 == 1) {
                word += '"';
                i = runEnd;
            } else {
                i = runEnd - 1;
            }
            inWord = true;
        } else if (byte == '"') {
            if (quoted && i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
                word += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
            inWord = true;
        } else if (isBlank(byte) && !quoted) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += byte;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

std::string commandLineWord(std::string_view text)
{
    if (!text.empty() && text.find_first_of(" \t\"") == std::string_view::npos)
        return std::string(text);
    std::string word = "\"";
    std::size_t backslashes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') {
            // The backslashes before it, doubled, then the escaped quote.
            word.append(backslashes + 1, '\\');
        }
        backslashes = text[i] == '\\' ? backslashes + 1 : 0;
        word += text[i];
    }
    // Backslashes before the closing quote are doubled too.
    word.append(backslashes, '\\');
    return word + '"';
}

} // namespace vorelind
