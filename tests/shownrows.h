#pragma once

#include "tree/indenttreemodel.h"

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

// Views into the lines, as the tree takes them.
inline std::vector<std::string_view> viewsOf(const std::vector<std::string>& lines)
{
    return std::vector<std::string_view>(lines.begin(), lines.end());
}

// The shown rows: the level in dots, "+" for a collapsed node, "-" for an
// expanded one, " " for a leaf, then the text.
inline QStringList shownRows(const vorelind::IndentTreeModel& model)
{
    static const char marks[] = {' ', '+', '-'};
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row);
        rows << QString(index.data(vorelind::IndentTreeModel::LevelRole).toInt(), QLatin1Char('.'))
                    + QLatin1Char(marks[index.data(vorelind::IndentTreeModel::BranchRole).toInt()])
                    + index.data().toString();
    }
    return rows;
}
