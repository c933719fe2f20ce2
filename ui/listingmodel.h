#pragma once

#include "document/listing.h"
#include "document/sourceindex.h"
#include "ui/linelistmodel.h"

#include <functional>
#include <memory>
#include <vector>

namespace vorelind {

// The lines of a listing for a list view, read from the listing's one buffer.
class ListingModel : public LineRowsModel {
    Q_OBJECT

public:
    using LineRowsModel::LineRowsModel;

    // Shows the listing's lines; none when it is null.
    void setListing(std::shared_ptr<const Listing> listing);
    const std::shared_ptr<const Listing>& listing() const { return m_listing; }

    // Tints these rows, ascending, and no others, until another listing is set.
    void setMarkedRows(std::vector<std::size_t> rows);
    // What a marked row's Qt::AccessibleDescriptionRole tells, asked for one row at a time.
    void setMarkDescription(std::function<QString(std::size_t)> describe) { m_describeMark = std::move(describe); }

    // The line of the walked source, whose lines are given, where the row
    // began; 0 for a listing that was not walked.
    std::size_t sourceLine(std::size_t row, const SourceIndex& sourceLines) const;

    std::size_t lineCount() const override { return m_listing ? m_listing->lineCount() : 0; }
    IndentedText lineAt(std::size_t row) const override { return m_listing->indentedLine(row); }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const Listing> m_listing;
    std::vector<std::size_t> m_markedRows;
    std::function<QString(std::size_t)> m_describeMark;
};

} // namespace vorelind
