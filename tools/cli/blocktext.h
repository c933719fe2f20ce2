#pragma once

#include "document/walksinks.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace vorelind {

// Bytes appended in blocks of one size, so that growing never copies what
// is held nor takes room for twice as much; ranges of it are written out.
class BlockText {
public:
    void append(std::string_view bytes)
    {
        // Most appends are short and fit the block begun.
        const std::size_t offset = m_size % kBlockSize;
        if (offset != 0 && bytes.size() <= kBlockSize - offset) {
            std::memcpy(m_blocks.back().get() + offset, bytes.data(), bytes.size());
            m_size += bytes.size();
            return;
        }
        appendAcrossBlocks(bytes);
    }
    // Returns room for at most the given number of bytes, to be written and
    // then taken: in the block begun when they fit, else aside.
    char* room(std::size_t bytes)
    {
        const std::size_t offset = m_size % kBlockSize;
        m_roomAside = offset == 0 || bytes > kBlockSize - offset;
        if (!m_roomAside)
            return m_blocks.back().get() + offset;
        if (m_aside.size() < bytes)
            m_aside.resize(bytes);
        return m_aside.data();
    }
    // Appends the first bytes of the room last returned.
    void take(std::size_t bytes)
    {
        if (m_roomAside)
            appendAcrossBlocks(std::string_view(m_aside.data(), bytes));
        else
            m_size += bytes;
    }
    std::size_t size() const { return m_size; }
    // Writes the bytes from offset begin up to offset end.
    void write(std::size_t begin, std::size_t end, ListingSink& out) const;

private:
    void appendAcrossBlocks(std::string_view bytes);

    static constexpr std::size_t kBlockSize = std::size_t(1) << 20;

    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_size = 0;
    std::vector<char> m_aside;
    bool m_roomAside = false;
};

} // namespace vorelind
