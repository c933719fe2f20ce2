#pragma once

#include "tree/indenttreemodel.h"
#include "ui/rowwidthdelegate.h"

#include <QTreeView>

#include <optional>
#include <string_view>
#include <vector>

namespace vorelind {

class TreeRowDelegate;

// The tag tree control. The view lays out only the flat list of shown
// nodes, with uniform row heights, and paints their nesting; expanding and
// collapsing change that list. So a tree of any depth expands, collapses and
// scrolls without recursion, and hundreds of thousands of nodes stay quick.
// The arrow before a node, the keys of the desktop's tree views, and
// "全展開" and "全たたみ" open and close nodes.
class TTreeIndent : public QTreeView {
    Q_OBJECT

public:
    explicit TTreeIndent(QWidget* parent = nullptr);

    // Replaces every node with the tree that the indented lines describe;
    // every node starts collapsed. The nodes point into the lines' bytes,
    // which must stay until the next load or clearNodes().
    void LoadIndentedLines(const IndentedLines& lines);
    // Removes every node.
    void clearNodes();
    // Expands or collapses every node; they take the place of the tree
    // view's own, which would recurse through the levels.
    void expandAll();
    void collapseAll();
    const IndentTreeModel& indentModel() const { return m_model; }
    IndentTreeModel& indentModel() { return m_model; }
    // Expands the node's ancestors, makes it current and scrolls it into view.
    void revealNode(NodeId node);
    // Opens the node in the row when it is closed, and closes it when it is open.
    void toggleRow(int row);
    // Where the row's text lies in the viewport, after its indentation and arrow.
    QRect textRect(const QModelIndex& index) const;
    // Shows bytes of a node's text, from a start, as the found text, until
    // another node becomes current or the nodes change.
    void markMatch(NodeId node, std::size_t start, std::size_t length);
    // The part of the row's text shown as found, if any.
    std::optional<TextPart> markedPart(const QModelIndex& index) const;

signals:
    // The left button's double-click; no double-click opens or closes a node.
    void leftDoubleClicked();

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& options, const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Acts on a key that opens, closes or moves through the nodes, from the
    // row; false for any other key.
    bool treeKey(int key, int row);
    void forgetMatch();

    struct Match {
        NodeId node;
        std::size_t start;
        std::size_t length;
    };

    IndentTreeModel m_model;
    TreeRowDelegate* m_delegate;
    std::optional<Match> m_match;
};

} // namespace vorelind
