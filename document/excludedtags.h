#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vorelind {

// The excluded tag names, matched byte for byte against upper-cased tag names.
class ExcludedTags {
public:
    ExcludedTags() = default;
    explicit ExcludedTags(const std::vector<std::string>& entries);

    bool contains(const std::string& name) const { return !m_names.empty() && m_names.contains(name); }

private:
    std::unordered_set<std::string> m_names;
};

} // namespace vorelind
