#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <cstddef>
#include <filesystem>
#include <vector>

namespace vorelind {

// One file of a folder check: its findings, or why it could not be checked.
struct SiteFileResult {
    std::filesystem::path file; // as the file system spells it
    std::size_t count = 0;
    QString rules;      // "HTML" or "XML"
    QString firstPlace; // "LINE:COL" of the first finding; empty without one
    QString failure;    // empty when the file was checked
};

// The results of a folder check, worst first: most findings first, files
// of the same count by path, and the files that could not be checked last.
// Columns: the file's name, the count, the rules, the first finding.
class SiteCheckModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Puts a result in its place among those before it.
    void add(SiteFileResult result);
    void clear();
    const SiteFileResult& result(int row) const { return m_results[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<SiteFileResult> m_results;
};

} // namespace vorelind
