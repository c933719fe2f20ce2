#include "document/rulesfile.h"

#include <algorithm>

namespace vorelind {

namespace {

// The next line of the text from an offset, without its CR LF (or LF), and where the line after it starts.
std::string_view nextLine(std::string_view text, std::size_t& at)
{
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    at = end + 1;
    return line;
}

} // namespace

std::filesystem::path rulesFilePath(const std::filesystem::path& listing)
{
    std::filesystem::path path = listing;
    path += ".rules";
    return path;
}

std::string rulesFileText(const HandedRules& handed)
{
    std::string text(tagRulesName(handed.rules));
    text += "\r\n";
    for (const std::string& name : handed.excluded)
        text += name + "\r\n";
    return text;
}

std::optional<HandedRules> readRulesFileText(std::string_view text)
{
    std::size_t at = 0;
    const std::optional<TagRules> rules = tagRulesNamed(nextLine(text, at));
    if (!rules)
        return std::nullopt;
    HandedRules handed{*rules, {}};
    while (at < text.size()) {
        const std::string_view name = nextLine(text, at);
        if (!name.empty())
            handed.excluded.emplace_back(name);
    }
    return handed;
}

std::string_view tagRulesName(TagRules rules)
{
    return rules == TagRules::Html ? "html" : "xml";
}

std::optional<TagRules> tagRulesNamed(std::string_view name)
{
    if (name == "html")
        return TagRules::Html;
    if (name == "xml")
        return TagRules::Xml;
    return std::nullopt;
}

} // namespace vorelind
