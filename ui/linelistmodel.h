#pragma once

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace vorelind {

// A list of Shift-JIS text lines for a list view. The lines stay bytes;
// they become display text only when the view asks for a row.
class LineListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit LineListModel(QObject* parent = nullptr);

    const std::vector<std::string>& lines() const { return m_lines; }
    void setLines(std::vector<std::string> lines);
    void insertLine(std::size_t row, std::string line);
    void removeLine(std::size_t row);
    void clear() { setLines({}); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<std::string> m_lines;
};

} // namespace vorelind
