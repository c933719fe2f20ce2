#include "ui/treeindent.h"

#include <QHeaderView>

namespace vorelind {

TTreeIndent::TTreeIndent(QWidget* parent)
    : QTreeView(parent)
{
    setModel(&m_model);
    setUniformRowHeights(true);
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The column follows its widest shown text (the header samples a bounded
    // number of rows), so long node texts scroll rather than being cut.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void TTreeIndent::LoadIndentedLines(const std::vector<std::string_view>& lines)
{
    m_model.load(lines);
}

void TTreeIndent::clearNodes()
{
    m_model.clear();
}

} // namespace vorelind
