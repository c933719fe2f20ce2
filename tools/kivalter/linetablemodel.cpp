#include "tools/kivalter/linetablemodel.h"

#include "look/windowlook.h"
#include "platform/codecs/displaytext.h"

namespace vorelind {

namespace {

// The window's words for the kinds and balances that the report names in English.
QString kindCaption(LineKind kind)
{
    switch (kind) {
    case LineKind::Start: return QStringLiteral("開始");
    case LineKind::End: return QStringLiteral("終了");
    case LineKind::SelfClosed: return QStringLiteral("自己終了");
    case LineKind::Declaration: return QStringLiteral("宣言");
    case LineKind::Text: return QStringLiteral("テキスト");
    }
    return {};
}

QString balanceCaption(Balance balance)
{
    switch (balance) {
    case Balance::None: return {};
    case Balance::Matched: return QStringLiteral("対応あり");
    case Balance::Void: return QStringLiteral("空要素");
    case Balance::Unclosed: return QStringLiteral("閉じていない");
    case Balance::Stray: return QStringLiteral("対応なし");
    }
    return {};
}

} // namespace

LineTableModel::LineTableModel(const LineAnalysis& analysis, QObject* parent)
    : QAbstractTableModel(parent)
    , m_analysis(analysis)
{
}

int LineTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_analysis.lineCount());
}

int LineTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LineTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return displayText(row, index.column());
    case Qt::BackgroundRole:
        return isUnmatched(m_analysis.balance(row)) ? QVariant(unmatchedTint()) : QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() == LineColumn || index.column() == LevelColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant LineTableModel::displayText(std::size_t row, int column) const
{
    switch (column) {
    case LineColumn: return static_cast<qulonglong>(row + 1);
    case LevelColumn: return static_cast<qulonglong>(m_analysis.level(row));
    case KindColumn: return kindCaption(m_analysis.kind(row));
    case BalanceColumn: return balanceCaption(m_analysis.balance(row));
    case TagColumn: return toDisplayText(m_analysis.tag(row));
    case TextColumn: return toDisplayText(m_analysis.text(row));
    default: return {};
    }
}

QVariant LineTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case LineColumn: return QStringLiteral("行");
    case LevelColumn: return QStringLiteral("深さ");
    case KindColumn: return QStringLiteral("種類");
    case BalanceColumn: return QStringLiteral("対応");
    case TagColumn: return QStringLiteral("タグ");
    case TextColumn: return QStringLiteral("テキスト");
    default: return {};
    }
}

} // namespace vorelind
