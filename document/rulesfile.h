#pragma once

#include "document/tagbalance.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// The rules a listing was judged by and the excluded names its walk took,
// handed to the line-analysis tool in a small file beside the listing, so
// that the tool judges the listing as the program judged its source.
struct HandedRules {
    TagRules rules = TagRules::Xml;
    std::vector<std::string> excluded;
};

// The file beside a listing that hands its rules: the listing's path with ".rules" appended.
std::filesystem::path rulesFilePath(const std::filesystem::path& listing);

// The file's bytes: the rules' name on the first line, then one excluded name a line, each + CR LF.
std::string rulesFileText(const HandedRules& handed);

// The rules a file's bytes hand, or none when its first line names no rules.
std::optional<HandedRules> readRulesFileText(std::string_view text);

// "html" or "xml".
std::string_view tagRulesName(TagRules rules);

// The rules named "html" or "xml"; none for any other word.
std::optional<TagRules> tagRulesNamed(std::string_view name);

} // namespace vorelind
