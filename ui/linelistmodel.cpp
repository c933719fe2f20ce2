#include "ui/linelistmodel.h"

#include "platform/codecs/displaytext.h"

namespace vorelind {

LineListModel::LineListModel(QObject* parent)
    : LineRowsModel(parent)
{
}

void LineListModel::setLines(std::vector<std::string> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

void LineListModel::insertLine(std::size_t row, std::string line)
{
    const int at = static_cast<int>(row);
    beginInsertRows({}, at, at);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(row), std::move(line));
    endInsertRows();
}

void LineListModel::removeLine(std::size_t row)
{
    const int at = static_cast<int>(row);
    beginRemoveRows({}, at, at);
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(row));
    endRemoveRows();
}

int LineRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lineCount());
}

QVariant LineRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const IndentedText line = lineAt(static_cast<std::size_t>(index.row()));
    // Assistive tools get what the row shows after its blanks, which would
    // be all they read of a deeply nested line.
    if (role == Qt::AccessibleTextRole)
        return toShownText(line.text);
    return QString(static_cast<qsizetype>(line.blanks), QLatin1Char(' ')) + toDisplayText(line.text);
}

} // namespace vorelind
