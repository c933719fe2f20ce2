#pragma once

#include <QAbstractListModel>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// The loaded source as rows for a list view: the Shift-JIS bytes, shared
// with the document path rather than copied, and an index of rows into
// them. CR LF, a lone CR and a lone LF end a line; a line longer than
// kRowBytes goes on over further rows, cut between characters, so that no
// row costs more than a bounded text layout however long the line. Rows
// become display text only when the view asks for them.
class SourceRowModel : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr std::size_t kRowBytes = 1024;

    explicit SourceRowModel(QObject* parent = nullptr);

    void setSource(std::shared_ptr<const std::string> bytes);
    void clear() { setSource(std::make_shared<const std::string>()); }
    std::string_view row(std::size_t row) const;
    const std::shared_ptr<const std::string>& bytes() const { return m_bytes; }
    // The offset in the source of a row's first byte.
    std::size_t rowOffset(std::size_t row) const { return m_rows[row].offset; }
    // The row that holds the byte at an offset (the last row for the end of the source).
    std::size_t rowAt(std::size_t offset) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct Row {
        std::size_t offset;
        std::size_t length;
    };

    void indexLine(std::size_t offset, std::size_t length);

    std::shared_ptr<const std::string> m_bytes = std::make_shared<const std::string>();
    std::vector<Row> m_rows;
};

} // namespace vorelind
