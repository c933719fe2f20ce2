#pragma once

#include "document/documentpipeline.h"
#include "document/sourceindex.h"
#include "tree/treefill.h"
#include "tree/treelinestream.h"
#include "blocktext.h"
#include "gatheredoutput.h"
#include "treenodes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorelind {

// Keeps the source that the run loads, and its line index when asked, so
// that the tree can take its node texts from it and name where each node
// began.
class LoadedSource : public DocumentSteps {
public:
    explicit LoadedSource(bool indexLines)
        : m_indexLines(indexLines)
    {
    }

    void loaded(const std::shared_ptr<const std::string>& source) override
    {
        text = source;
        if (m_indexLines)
            index = SourceIndex::linesOf(*source);
    }

    std::shared_ptr<const std::string> text;
    std::optional<SourceIndex> index;

private:
    bool m_indexLines;
};

// Fills the tree of a listing as its lines come, and writes it one node per
// line in pre-order: its level (0 at the top), a TAB, the node text, LF.
// With the source's lines, "LINE:COL" of the byte that began the node's
// listing line and a TAB come after the level. In the node text a control
// byte but TAB, and a Shift-JIS lead byte before one, is written as \xHH.
//
// The fill adds every node right after its parent's subtree so far, so a
// top-level node and its subtree come in pre-order. Only a top-level node
// that the fill puts in front of the others goes, with its subtree, ahead
// of all before it: the nodes are held in runs in the order they came, and
// the runs are put in order at the end. A node holds no text of its own
// when its text is the source's bytes where its line began, as most are.
class TreeWriter final : public TreeLineSink {
public:
    // The source must be loaded, and indexed when the positions are
    // written, once the first line comes; it must outlive the writer.
    TreeWriter(const LoadedSource& source, bool withPositions);

    void addLine(const IndentedLine& line, std::size_t sourcePosition, bool verbatim) override;
    // Ends the fill; call it after the last line.
    void finish();
    void writeTo(ListingSink& out) const;

private:
    // The nodes from begin up to end, whose texts set aside begin at aside.
    struct Run {
        std::size_t begin;
        std::size_t end;
        std::size_t aside;
    };

    // A node is named by its level: the fill names only the node added last
    // and its ancestors, one on each level above it. The fill calls these,
    // which are no tree's virtual functions, as part of addLine.
    friend class BasicTreeFill<TreeWriter>;
    void clear();
    NodeId addFirstTopLevel(std::string_view text);
    NodeId addLastChild(NodeId parent, std::string_view text);
    NodeId addLastSibling(NodeId node, std::string_view text);
    NodeId parent(NodeId node) const;

    void startRun(bool front);
    void endRun();
    NodeId addNode(std::size_t level, std::string_view text);
    // Whether the source holds the text where the line being added began.
    // It and setAside are seldom called, and are kept out of addNode.
    [[gnu::noinline]] bool holdsInSource(std::string_view text) const;
    // Keeps a text the source does not hold; returns the node's flag for it.
    [[gnu::noinline]] std::uint32_t setAside(std::string_view text);
    // The line of the position written last is passed along, since the next
    // one most often lies on it or a line or two below.
    void writeRun(const Run& run, std::size_t& line, GatheredOutput& out) const;
    bool putPlainNode(const TreeNode& node, std::string_view text, std::size_t& line, GatheredOutput& out) const;
    // Writes a node whose text holds a byte written escaped, or is long.
    void writeEscapedNode(const TreeNode& node, std::string_view text, std::size_t& line, GatheredOutput& out) const;
    // Puts the level, a TAB and, with the positions, "LINE:COL" of the byte
    // that began the node's line and a TAB at out; returns their end.
    char* putHead(const TreeNode& node, std::size_t& line, char* out) const;
    char* putPlace(const TreeNode& node, std::size_t& line, char* out) const;

    const LoadedSource& m_source;
    const bool m_withPositions;
    bool m_blankLed = false;        // the line being added is indented
    std::size_t m_position = 0;     // where it began
    bool m_verbatim = false;        // whether its text is known to be the source's there
    TreeNodes m_nodes;
    BlockText m_aside;
    Run m_run{0, 0, 0};
    bool m_runInFront = false;
    std::vector<Run> m_frontRuns; // the latest goes first
    std::vector<Run> m_backRuns;
    BasicTreeFill<TreeWriter> m_fill; // last, since it clears the tree it is given
};

} // namespace vorelind
