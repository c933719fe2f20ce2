#pragma once

#include "document/sourceindex.h"

#include <QAbstractListModel>

#include <memory>
#include <string>
#include <string_view>

namespace vorelind {

// The loaded source as rows for a list view: the Shift-JIS bytes, shared
// with the document path rather than copied, and an index of their lines
// and rows. Rows become display text only when the view asks for them.
class SourceRowModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit SourceRowModel(QObject* parent = nullptr);

    // Shows the bytes in the rows of their index, which may be only their first ones.
    void setSource(std::shared_ptr<const std::string> bytes, SourceIndex index);
    std::string_view row(std::size_t row) const;
    const std::shared_ptr<const std::string>& bytes() const { return m_bytes; }
    const SourceIndex& sourceIndex() const { return m_index; }
    // The offset in the source of a row's first byte.
    std::size_t rowOffset(std::size_t row) const { return m_index.rowOffset(row); }
    // The row that holds the byte at an offset (the last row for the end of the source).
    std::size_t rowAt(std::size_t offset) const { return m_index.rowAt(offset); }
    // The row's bytes, and the next row's when it goes on with the same line.
    std::string_view rowAndContinuation(std::size_t row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const std::string> m_bytes = std::make_shared<const std::string>();
    SourceIndex m_index;
};

} // namespace vorelind
