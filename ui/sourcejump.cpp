#include "ui/sourcejump.h"

#include "document/listing.h"
#include "document/listingmarks.h"
#include "document/tagbalance.h"
#include "ui/linelistview.h"
#include "ui/sourceview.h"
#include "ui/treeindent.h"
#include "util/rowsearch.h"

#include <algorithm>

namespace vorelind {

SourceJump::SourceJump(TTreeIndent& tree, LineListView& listing, SourceView& source)
    : m_tree(tree)
    , m_listingView(listing)
    , m_sourceView(source)
{
}

void SourceJump::setDocument(std::shared_ptr<const Listing> listing, std::shared_ptr<const std::string> source)
{
    m_listing = std::move(listing);
    m_source = std::move(source);
}

std::optional<std::size_t> SourceJump::currentRow(StructureView view) const
{
    if (!m_listing)
        return std::nullopt;
    if (view == StructureView::Listing) {
        const QModelIndex current = m_listingView.currentIndex();
        return current.isValid() ? std::optional<std::size_t>(static_cast<std::size_t>(current.row())) : std::nullopt;
    }
    const QModelIndex current = m_tree.currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return rowOfNode(m_tree.indentModel().nodeOf(current));
}

void SourceJump::showRow(StructureView view, std::size_t row)
{
    if (view == StructureView::Listing)
        m_listingView.selectRow(static_cast<int>(row));
    else if (const NodeId node = nodeOfRow(row); node != kNoNode)
        m_tree.revealNode(node);
}

bool SourceJump::showSourceOfCurrentRow(StructureView view)
{
    const std::optional<std::size_t> row = currentRow(view);
    if (!row || m_listing->sourcePosition(*row) == 0 || m_listing->sourcePosition(*row) > m_source->size())
        return false;
    const std::size_t offset = m_listing->sourcePosition(*row) - 1;
    const std::size_t end = (*m_source)[offset] == '<' ? markupEnd(*m_source, offset) : lineEnd(offset);
    m_sourceView.selectBytes(offset, end - offset);
    return true;
}

bool SourceJump::showNodeAtSourceCursor()
{
    if (!m_listing || m_listing->lineCount() == 0)
        return false;
    showRow(StructureView::Tree, rowAtSource(*m_listing, m_sourceView.cursorOffset()));
    return true;
}

void SourceJump::showSourceLine(std::size_t line)
{
    if (line == 0 || line > m_sourceView.lines().lineCount())
        return;
    const std::size_t offset = m_sourceView.lines().lineStart(line);
    m_sourceView.selectBytes(offset, lineEnd(offset) - offset);
}

// The tree was filled from the listing's lines, so its nodes point into
// them: a node's text begins at its line's last leading blank or, with no
// blank, at the line's text, and the export narrows a line without moving
// its text.
NodeId SourceJump::nodeOfRow(std::size_t row) const
{
    return nodeOfRow(m_tree.indentModel().tree(), row);
}

std::vector<NodeId> SourceJump::nodesOfRows(const std::vector<std::size_t>& rows) const
{
    const IndentTree& tree = m_tree.indentModel().tree();
    std::vector<NodeId> nodes;
    nodes.reserve(rows.size());
    for (const std::size_t row : rows)
        nodes.push_back(nodeOfRow(tree, row));
    return nodes;
}

NodeId SourceJump::nodeOfRow(const IndentTree& tree, std::size_t row) const
{
    const char* text = m_listing->lineText(row).data();
    // Every row made a node, in order, so the node of the same number is
    // tried first: it spares a search of the whole tree for each of many marks.
    if (row < tree.nodeCount() && (tree.text(row).data() == text || tree.text(row).data() + 1 == text))
        return row;
    return tree.nodeAt(text);
}

// The nodes grow with the rows they were made from.
std::size_t SourceJump::rowOfNode(NodeId node) const
{
    return firstRejectedRow(m_listing->lineCount(), [&](std::size_t row) { return nodeOfRow(row) < node; });
}

std::size_t SourceJump::lineEnd(std::size_t offset) const
{
    const std::string_view source = *m_sourceView.source();
    return std::min(source.find("\r\n", offset), source.size());
}

} // namespace vorelind
