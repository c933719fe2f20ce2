#pragma once

#include "document/documentpipeline.h"
#include "document/lineindex.h"
#include "tree/treefill.h"
#include "tree/treelinestream.h"
#include "blocktext.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorelind {

// Keeps the line index of the source that the run loads, so that the tree
// can name where each node began.
class SourceLines : public DocumentSteps {
public:
    void loaded(const std::shared_ptr<const std::string>& source) override { index.emplace(*source); }

    std::optional<LineIndex> index;
};

// Fills the tree of a listing as its lines come, and writes it one node per
// line in pre-order: its level (0 at the top), a TAB, the node text, LF.
// With the source's lines, "LINE:COL" of the byte that began the node's
// listing line and a TAB come after the level. In the node text a control
// byte but TAB, and a Shift-JIS lead byte before one, is written as \xHH.
//
// No node is kept, only the text written for it: the fill adds every node
// right after its parent's subtree so far, so a top-level node and its
// subtree come in pre-order. Only a top-level node that the fill puts in
// front of the others goes, with its subtree, ahead of all before it; the
// text is held in runs in the order it came, and the runs are put in order
// at the end.
class TreeWriter : public TreeLineSink, private TreeOperations {
public:
    // The source's lines, when given, must be there once the first line comes.
    explicit TreeWriter(const std::optional<LineIndex>* sourceLines);

    void addLine(const IndentedLine& line, std::size_t sourcePosition) override;
    // Ends the fill; call it after the last line.
    void finish() override;
    void writeTo(ListingSink& out) const;

private:
    // The written bytes from begin up to end.
    struct Run {
        std::size_t begin;
        std::size_t end;
    };

    // A node is named by its level: the fill names only the node added last
    // and its ancestors, one on each level above it.
    void clear() override;
    NodeId addFirstTopLevel(std::string_view text) override;
    NodeId addLastChild(NodeId parent, std::string_view text) override;
    NodeId addLastSibling(NodeId node, std::string_view text) override;
    NodeId parent(NodeId node) const override;

    void startRun(bool front);
    void endRun();
    NodeId writeNode(std::size_t level, std::string_view text);
    char* putHead(std::size_t level, char* out) const;

    const std::optional<LineIndex>* m_sourceLines;
    std::size_t m_position = 0; // of the line being added
    std::string m_nodeLine;
    BlockText m_text;
    Run m_run{0, 0};
    bool m_runInFront = false;
    std::vector<Run> m_frontRuns; // the latest goes first
    std::vector<Run> m_backRuns;
    TreeFill m_fill; // last, since it clears the tree it is given
};

} // namespace vorelind
