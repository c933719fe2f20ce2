#pragma once

#include "document/excludedtags.h"
#include "document/tagbalance.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// One loaded file's tag balance, while its text is at hand.
struct CheckedText {
    std::string_view source;
    TagRules rules;
    const std::vector<UnbalancedTag>& found; // the names point into the source
};

// Loads a file as the window does (converted to Shift-JIS when asked) and
// finds its unbalanced tags under the given rules, or the text's own when
// none are given, and hands them to describe while the text lives. Returns
// why the file could not be loaded or checked (Shift-JIS), empty when it was.
std::string checkFileBalance(const std::string& path, bool convertToShiftJis, const ExcludedTags& excluded,
                             std::optional<TagRules> rules, const std::function<void(const CheckedText&)>& describe);

// The same load, which hands check the loaded text and the rules for it
// while the text lives, so that the check may take the findings one by one.
std::string checkLoadedFile(const std::string& path, bool convertToShiftJis, std::optional<TagRules> rules,
                            const std::function<void(std::string_view source, TagRules rules)>& check);

// The same check on the file's bytes as written, never converted: the
// loaded text but for its line breaks, so the tags and lines are the same.
// It spares the loading and, where the file can be mapped, the copy.
std::string checkFileAsWritten(const std::string& path, std::optional<TagRules> rules,
                               const std::function<void(std::string_view source, TagRules rules)>& check);

} // namespace vorelind
