#pragma once

#include "document/listing.h"

#include <string_view>

// A listing of a finished text, for the tests that need a listing without
// walking a source.
inline vorelind::Listing listingOfText(std::string_view text)
{
    vorelind::Listing listing;
    listing.write(text);
    listing.finish();
    return listing;
}
