#include "tools/kivalter/linetablemodel.h"

#include "platform/displaytext.h"

namespace vorelind {

namespace {

QString latin(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QColor unmatchedTint()
{
    return {255, 200, 200};
}

LineTableModel::LineTableModel(const LineAnalysis& analysis, QObject* parent)
    : QAbstractTableModel(parent)
    , m_analysis(analysis)
{
}

int LineTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_analysis.lines.size());
}

int LineTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LineTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const AnalysedLine& line = m_analysis.lines[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return displayText(line, index.row(), index.column());
    case Qt::BackgroundRole:
        return isUnmatched(line.balance) ? QVariant(unmatchedTint()) : QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() == LineColumn || index.column() == LevelColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant LineTableModel::displayText(const AnalysedLine& line, int row, int column) const
{
    switch (column) {
    case LineColumn: return row + 1;
    case LevelColumn: return static_cast<qulonglong>(line.level);
    case KindColumn: return latin(kindName(line.kind));
    case BalanceColumn: return line.balance == Balance::None ? QString() : latin(balanceName(line.balance));
    case TagColumn: return toDisplayText(line.tag);
    case TextColumn: return toDisplayText(line.text);
    default: return {};
    }
}

QVariant LineTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case LineColumn: return tr("Line");
    case LevelColumn: return tr("Level");
    case KindColumn: return tr("Kind");
    case BalanceColumn: return tr("Balance");
    case TagColumn: return tr("Tag");
    case TextColumn: return tr("Text");
    default: return {};
    }
}

} // namespace vorelind
