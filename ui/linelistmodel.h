#pragma once

#include "document/listing.h"

#include <QAbstractListModel>

#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// Shift-JIS text lines for a list view. The lines stay bytes, their leading
// blanks perhaps only counted; they become display text only when the view
// asks for a row. Assistive tools get a row's text without its leading
// blanks, cut as the view cuts it (Qt::AccessibleTextRole).
class LineRowsModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    virtual std::size_t lineCount() const = 0;
    virtual IndentedText lineAt(std::size_t row) const = 0;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

// A list of lines that the model holds and edits itself.
class LineListModel : public LineRowsModel {
    Q_OBJECT

public:
    explicit LineListModel(QObject* parent = nullptr);

    const std::vector<std::string>& lines() const { return m_lines; }
    void setLines(std::vector<std::string> lines);
    void insertLine(std::size_t row, std::string line);
    void removeLine(std::size_t row);
    void clear() { setLines({}); }

    std::size_t lineCount() const override { return m_lines.size(); }
    IndentedText lineAt(std::size_t row) const override { return indentedText(m_lines[row]); }

private:
    std::vector<std::string> m_lines;
};

} // namespace vorelind
