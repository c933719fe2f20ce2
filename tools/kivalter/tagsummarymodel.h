#pragma once

#include "tools/kivalter/lineanalysis.h"

#include <QAbstractTableModel>

namespace vorelind {

// One row per tag name: its start, end and self-closed tags and how many of
// them found no partner. Numbers sort as numbers.
class TagSummaryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { TagColumn, StartsColumn, EndsColumn, SelfClosedColumn, UnmatchedColumn, ColumnCount };

    explicit TagSummaryModel(const LineAnalysis& analysis, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const LineAnalysis& m_analysis;
};

} // namespace vorelind
