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

void BlockText::write(std::size_t begin, std::size_t end, ListingSink& out) const
{
    while (begin < end) {
        const std::size_t offset = begin % kBlockSize;
        const std::size_t count = std::min(end - begin, kBlockSize - offset);
        out.write(std::string_view(m_blocks[begin / kBlockSize].get() + offset, count));
        begin += count;
    }
}

} // namespace vorelind
