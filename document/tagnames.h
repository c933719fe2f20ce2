#pragma once

#include "util/sjis.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// The distinct tag names met in a text, each under an id counted from 0 in
// the order of first sight; names equal but for ASCII case share an id.
// Looked up once per tag, so it hashes into one flat table of its own: a
// standard map spent half of the tag balance's time here.
class TagNames {
public:
    TagNames();

    // A name's hash, built byte by byte from kEmptyHash as the name is read,
    // so that it costs no second pass: FNV-1a over the upper-cased bytes.
    static constexpr std::uint32_t kEmptyHash = 2166136261u;
    static constexpr std::uint32_t hashed(std::uint32_t hash, char byte)
    {
        return (hash ^ static_cast<unsigned char>(upperAsciiByte(byte))) * 16777619u;
    }

    // The id of a name with its hash; a name not met before gets the next one.
    std::uint32_t idOf(std::string_view name, std::uint32_t hash);

    // The name of an id, upper-cased.
    const std::string& upperName(std::uint32_t id) const { return m_upperNames[id]; }

    std::size_t size() const { return m_upperNames.size(); }

private:
    struct Slot {
        std::uint32_t idPlusOne = 0; // 0 for an empty slot
        std::uint32_t hash = 0;
    };

    std::uint32_t add(std::string_view name, std::uint32_t hash, std::size_t slot);
    void grow();

    std::vector<Slot> m_slots; // open addressing; a power of two, at most half full
    std::vector<std::string> m_upperNames;
    std::vector<std::uint32_t> m_hashes;
};

} // namespace vorelind
