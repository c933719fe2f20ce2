#pragma once

#include "tools/kivalter/lineanalysis.h"

#include <QAbstractTableModel>

namespace vorelind {

// The listing's lines as a table: line number, level, kind, balance, tag and
// text, each read from the analysis when shown. Lines that do not balance are
// tinted.
class LineTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { LineColumn, LevelColumn, KindColumn, BalanceColumn, TagColumn, TextColumn, ColumnCount };

    explicit LineTableModel(const LineAnalysis& analysis, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant displayText(std::size_t row, int column) const;

    const LineAnalysis& m_analysis;
};

} // namespace vorelind
