#pragma once

#include "util/largebuffer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vorelind {

// A node of the tree written by the command line, in 12 bytes. Its text is
// its length of bytes from where its line began in the source, or of the
// text set aside, after the blank that leads an indented line's node text.
struct TreeNode {
    std::uint32_t level;
    std::uint32_t sourcePosition;
    std::uint32_t length; // with the flags below

    static constexpr std::uint32_t kBlankLed = std::uint32_t(1) << 31;
    static constexpr std::uint32_t kSetAside = std::uint32_t(1) << 30;
    static constexpr std::uint32_t kLengthBits = kSetAside - 1;
};

// The nodes in the order they came, in blocks of some megabytes that the
// kernel may back with huge pages: a large page's hundreds of thousands of
// nodes otherwise cost a page fault every 4 KiB, more than the work of
// filling them. Growing never copies a node.
class TreeNodes {
public:
    void push(const TreeNode& node)
    {
        if (m_free == 0)
            addBlock();
        m_blocks.back()[kBlockNodes - m_free] = node;
        --m_free;
    }
    std::size_t size() const { return m_blocks.size() * kBlockNodes - m_free; }
    const TreeNode& operator[](std::size_t at) const { return m_blocks[at / kBlockNodes][at % kBlockNodes]; }
    void clear()
    {
        m_blocks.clear();
        m_free = 0;
    }

private:
    static constexpr std::size_t kBlockNodes = std::size_t(1) << 19; // six megabytes, three huge pages

    static constexpr std::size_t kBlockBytes = kBlockNodes * sizeof(TreeNode);

    struct BlockRelease {
        void operator()(TreeNode* block) const { freeLarge(block, kBlockBytes); }
    };

    void addBlock()
    {
        m_blocks.emplace_back(static_cast<TreeNode*>(allocateLarge(kBlockBytes)));
        m_free = kBlockNodes;
    }

    std::vector<std::unique_ptr<TreeNode[], BlockRelease>> m_blocks;
    std::size_t m_free = 0; // nodes the last block has room for
};

} // namespace vorelind
