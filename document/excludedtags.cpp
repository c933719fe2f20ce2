#include "document/excludedtags.h"

namespace vorelind {

ExcludedTags::ExcludedTags(const std::vector<std::string>& entries)
    : m_names(entries.begin(), entries.end())
{
}

} // namespace vorelind
