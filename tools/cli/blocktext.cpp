#include "blocktext.h"

#include <algorithm>
#include <cstring>

namespace vorelind {

void BlockText::appendAcrossBlocks(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t offset = m_size % kBlockSize;
        // A fresh block's pages are only mapped as they are written.
        if (offset == 0 && m_size / kBlockSize == m_blocks.size())
            m_blocks.emplace_back(new char[kBlockSize]);
        const std::size_t count = std::min(bytes.size(), kBlockSize - offset);
        std::memcpy(m_blocks[m_size / kBlockSize].get() + offset, bytes.data(), count);
        m_size += count;
        bytes.remove_prefix(count);
    }
}

std::string_view BlockText::view(std::size_t begin, std::size_t length, std::string& scratch) const
{
    const std::size_t offset = begin % kBlockSize;
    if (length == 0)
        return {};
    if (length <= kBlockSize - offset)
        return std::string_view(m_blocks[begin / kBlockSize].get() + offset, length);
    scratch.clear();
    for (std::size_t at = begin; at < begin + length;) {
        const std::size_t count = std::min(begin + length - at, kBlockSize - at % kBlockSize);
        scratch.append(m_blocks[at / kBlockSize].get() + at % kBlockSize, count);
        at += count;
    }
    return scratch;
}

} // namespace vorelind
