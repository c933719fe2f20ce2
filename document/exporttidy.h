#pragma once

#include "document/listing.h"
#include "document/walksinks.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace vorelind {

// Returns the text without its trailing bytes of value 32 or less.
std::string_view TrimTail(std::string_view text);

// Returns the 1-based position of the first byte above 32, or 0 when none is.
std::size_t FirstNonBlankPos(std::string_view text);

// Tidies listing lines for saving, taken one after another in listing
// order: trailing blanks and control bytes go, and inside SCRIPT and PRE
// blocks the blanks that the listing put in front of each line go too.
// Lines that hold a block marker stay as they are.
class ExportTidy {
public:
    // Returns the saved form of the next line, which is a part of it.
    IndentedText tidy(const IndentedText& line);

private:
    bool m_inBlock = false;
    std::size_t m_blockStart = 0; // 1-based position of the opening line's first non-blank
};

// Tidies every line of the listing in place.
void tidyForExport(Listing& listing);

// Writes the line, its leading blanks included, followed by CR LF.
void writeLine(ListingSink& out, const IndentedText& line);

// Writes the listing's lines, each followed by CR LF, to a new file beside
// the target and renames it over the target once it is whole, so a failure
// leaves the target as it was. A symbolic link is followed to the file it
// names. A file that cannot be written, a FIFO or a device raises AppError,
// whose message holds the path's bytes.
void writeExportFile(const std::filesystem::path& path, const Listing& listing);

// Replaces the file at the path, or the file that a symbolic link there
// names, with the bytes that the producer writes to the sink it is given,
// once all are written: a producer that raises, or a write that fails, leaves
// the file as it was, and the producer may read the file meanwhile. The
// producer's error is raised again; a file that cannot be written, a FIFO or
// a device raises AppError.
void replaceExportFile(const std::filesystem::path& path, const std::function<void(ListingSink&)>& produce);

// Takes the listing from the walk, tidies its non-empty lines as they
// complete and hands each on followed by CR LF; it holds one line at most.
class ExportStream : public ListingSink {
public:
    explicit ExportStream(ListingSink& out);

    void write(std::string_view bytes) override;
    // Hands on the last line, which no CR LF ends.
    void finish();

private:
    void putLine(std::string_view line);

    ListingSink& m_out;
    ExportTidy m_tidy;
    std::string m_partialLine;
};

} // namespace vorelind
