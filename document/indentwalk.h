#pragma once

#include "document/excludedtags.h"
#include "document/walksinks.h"

#include <string>
#include <string_view>

namespace vorelind {

// Returns the first byte of the text above 32 (unsigned), or 0 when none is.
unsigned char FirstAboveBlank(std::string_view text);

// Walks the source once and writes the indented listing to the sink, in
// pieces as it goes: every tag on a new line led by its depth in blanks,
// SCRIPT and PRE blocks keeping their own line breaks, excluded tags on a
// line of their own without nesting.
// A listing that would pass listingBudget() stops the walk with AppError.
void walkSource(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks, ListingSink& listing);

// The same walk within an output budget of the caller's choice, in bytes.
void walkSourceWithin(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks,
                      ListingSink& listing, std::size_t budget);

// The walk, returning the listing in one string.
std::string indentSource(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks = {});

// The same within an output budget of the caller's choice, in bytes.
std::string indentSourceWithin(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks,
                               std::size_t budget);

} // namespace vorelind
