#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorelind {

// Looks for a Shift-JIS query in Shift-JIS texts, byte by byte. A match
// starts only where a character starts, so the second byte of a
// double-byte character never begins one; without regard to case, the
// ASCII letters of single-byte characters fold, and second bytes never do.
class SjisFind {
public:
    SjisFind(std::string_view query, bool matchCase);

    // An empty query matches nothing.
    bool isEmpty() const { return m_query.empty(); }
    // Returns whether the text holds the query at a character that starts
    // before startsBefore; the match itself may run on beyond it.
    bool isIn(std::string_view text, std::size_t startsBefore = std::string_view::npos) const
    {
        return firstIn(text, startsBefore).has_value();
    }
    // Where the first such match starts; none without one.
    std::optional<std::size_t> firstIn(std::string_view text, std::size_t startsBefore = std::string_view::npos) const;
    // The bytes that a match spans, as many as the query's.
    std::size_t length() const { return m_query.size(); }

private:
    std::size_t candidateFrom(std::string_view text, std::size_t from, std::size_t end) const;
    bool matchesAt(std::string_view text, std::size_t at) const;
    char folded(char byte) const;

    // Upper-cased in its single-byte letters unless case counts.
    std::string m_query;
    bool m_matchCase;
};

} // namespace vorelind
