#pragma once

#include "tree/indenttreemodel.h"

#include <QTreeView>

#include <string_view>
#include <vector>

namespace vorelind {

// The tag tree control: a tree view over the indent tree model, with
// uniform row heights so that hundreds of thousands of nodes scroll,
// expand and collapse quickly.
class TTreeIndent : public QTreeView {
    Q_OBJECT

public:
    explicit TTreeIndent(QWidget* parent = nullptr);

    // Replaces every node with the tree that the indented lines describe;
    // every node starts collapsed. The nodes point into the lines' bytes,
    // which must stay until the next load or clearNodes().
    void LoadIndentedLines(const std::vector<std::string_view>& lines);
    // Removes every node.
    void clearNodes();
    const IndentTreeModel& indentModel() const { return m_model; }

private:
    IndentTreeModel m_model;
};

} // namespace vorelind
