#include "ui/sitecheckmodel.h"

#include "platform/files/nativepath.h"

#include <algorithm>

namespace vorelind {

namespace {

enum Column { FileColumn, CountColumn, RulesColumn, PlaceColumn, ColumnCount };

bool isWorse(const SiteFileResult& a, const SiteFileResult& b)
{
    if (a.failure.isEmpty() != b.failure.isEmpty())
        return a.failure.isEmpty();
    return a.count != b.count ? a.count > b.count : a.file < b.file;
}

} // namespace

void SiteCheckModel::add(SiteFileResult result)
{
    const auto place = std::upper_bound(m_results.begin(), m_results.end(), result, isWorse);
    const int row = static_cast<int>(place - m_results.begin());
    beginInsertRows({}, row, row);
    m_results.insert(place, std::move(result));
    endInsertRows();
}

void SiteCheckModel::clear()
{
    beginResetModel();
    m_results.clear();
    endResetModel();
}

int SiteCheckModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_results.size());
}

int SiteCheckModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SiteCheckModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const SiteFileResult& file = result(index.row());
    switch (index.column()) {
    case FileColumn: return displayedPath(role == Qt::ToolTipRole ? file.file : file.file.filename());
    case CountColumn: return file.failure.isEmpty() ? QVariant(qulonglong(file.count)) : QVariant(QStringLiteral("-"));
    case RulesColumn: return file.rules;
    case PlaceColumn: return file.failure.isEmpty() ? file.firstPlace : file.failure;
    default: return {};
    }
}

QVariant SiteCheckModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case FileColumn: return QStringLiteral("ファイル");
    case CountColumn: return QStringLiteral("不一致タグ");
    case RulesColumn: return QStringLiteral("規則");
    case PlaceColumn: return QStringLiteral("最初の不一致");
    default: return {};
    }
}

} // namespace vorelind
