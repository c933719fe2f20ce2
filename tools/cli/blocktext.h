#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// Bytes appended in blocks of one size, so that growing never copies what
// is held nor takes room for twice as much.
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
    std::size_t size() const { return m_size; }
    // The bytes of the given length from offset begin on: in place when they
    // lie in one block, else copied to scratch.
    std::string_view view(std::size_t begin, std::size_t length, std::string& scratch) const;

private:
    void appendAcrossBlocks(std::string_view bytes);

    static constexpr std::size_t kBlockSize = std::size_t(1) << 20;

    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_size = 0;
};

} // namespace vorelind
