#include "tools/kivalter/tagsummarymodel.h"

#include "look/windowlook.h"
#include "platform/codecs/displaytext.h"
#include "tools/kivalter/linetablemodel.h"

namespace vorelind {

TagSummaryModel::TagSummaryModel(const LineAnalysis& analysis, QObject* parent)
    : QAbstractTableModel(parent)
    , m_analysis(analysis)
{
}

int TagSummaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_analysis.tags().size());
}

int TagSummaryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TagSummaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const TagSummary& tag = m_analysis.tags()[static_cast<std::size_t>(index.row())];
    if (role == Qt::BackgroundRole)
        return tag.unmatched > 0 ? QVariant(unmatchedTint()) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case TagColumn: return toDisplayText(tag.tag);
    case StartsColumn: return static_cast<qulonglong>(tag.starts);
    case EndsColumn: return static_cast<qulonglong>(tag.ends);
    case SelfClosedColumn: return static_cast<qulonglong>(tag.selfClosed);
    case UnmatchedColumn: return static_cast<qulonglong>(tag.unmatched);
    default: return {};
    }
}

QVariant TagSummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case TagColumn: return QStringLiteral("タグ");
    case StartsColumn: return QStringLiteral("開始");
    case EndsColumn: return QStringLiteral("終了");
    case SelfClosedColumn: return QStringLiteral("自己終了");
    case UnmatchedColumn: return QStringLiteral("不一致");
    default: return {};
    }
}

} // namespace vorelind
