#pragma once

#include "document/listing.h"
#include "ui/linelistmodel.h"

#include <memory>

namespace vorelind {

// The lines of a listing for a list view, read from the listing's one buffer.
class ListingModel : public LineRowsModel {
    Q_OBJECT

public:
    using LineRowsModel::LineRowsModel;

    // Shows the listing's lines; none when it is null.
    void setListing(std::shared_ptr<const Listing> listing);
    const std::shared_ptr<const Listing>& listing() const { return m_listing; }

    std::size_t lineCount() const override { return m_listing ? m_listing->lineCount() : 0; }
    IndentedText lineAt(std::size_t row) const override { return m_listing->indentedLine(row); }

private:
    std::shared_ptr<const Listing> m_listing;
};

} // namespace vorelind
