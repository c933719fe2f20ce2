#pragma once

#include "platform/displaytext.h"
#include "tree/indenttree.h"

#include <QStringList>

// A tree as it stands, shown or not: one line per node in pre-order, its
// level in dots, then its text.
inline void appendOutline(const vorelind::IndentTree& tree, vorelind::NodeId node, int level, QStringList& lines)
{
    lines << QString(level, QLatin1Char('.')) + vorelind::toDisplayText(tree.text(node));
    for (std::size_t row = 0; row < tree.childCount(node); ++row)
        appendOutline(tree, tree.child(node, row), level + 1, lines);
}

inline QStringList outline(const vorelind::IndentTree& tree)
{
    QStringList lines;
    for (std::size_t row = 0; row < tree.topLevelCount(); ++row)
        appendOutline(tree, tree.topLevel(row), 0, lines);
    return lines;
}
