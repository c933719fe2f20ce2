#include "ui/listingmodel.h"

namespace vorelind {

void ListingModel::setListing(std::shared_ptr<const Listing> listing)
{
    beginResetModel();
    m_listing = std::move(listing);
    endResetModel();
}

} // namespace vorelind
