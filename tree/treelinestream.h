#pragma once

#include "document/walksinks.h"
#include "tree/treefill.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// Receives the lines a tree is filled from, in order, each with the
// position (from 1) in the walked source of the byte that began it, and
// whether its bytes after its leading blanks are known to be the source's
// from there on.
class TreeLineSink {
public:
    virtual ~TreeLineSink() = default;
    virtual void addLine(const IndentedLine& line, std::size_t sourcePosition, bool verbatim) = 0;
};

// Splits a listing into its lines as the walk writes it, just as a Listing
// indexes them (at CR LF pairs, empty ones left out), and hands each on as
// the tree fill takes it. Of an indented line it keeps only the bytes its
// node text can hold, so that no listing, which can be many times the size
// of its source, is ever held.
class TreeLineStream : public ListingSink {
public:
    explicit TreeLineStream(TreeLineSink& lines);

    void write(std::string_view bytes) override;
    void beginLines(const std::vector<std::size_t>& sourcePositions) override;
    bool takesLineStarts() const override { return true; }
    void beginLineStarts(std::vector<LineStart>& starts) override;
    // Hands on the last line, which no CR LF ends; call it once the walk is done.
    void finish();

private:
    std::size_t takeWholeLines(std::string_view bytes);
    void dropTakenStarts();
    // Takes the start of the line that began when it came after the line.
    void takeLateStart();
    void beginLineText();
    // Keeps what the node text can hold of bytes of the line.
    void keep(std::string_view bytes);
    // Hands the line on unless it is empty, and begins the next.
    void endLine(std::string_view fromLastBlank);
    // Takes the start of the line that begins, once its start has come.
    void takeLineStart();

    TreeLineSink& m_lines;
    // The line being written: its blanks while they are counted, those left
    // out first, then the bytes kept of it from its last blank on.
    bool m_countingBlanks = true;
    std::size_t m_leftOutBlanks = 0;
    std::size_t m_blanks = 0;
    std::string m_kept;
    std::size_t m_keptLimit = 0;
    // The line's bytes after its blanks, kept or not, and the last of them.
    std::size_t m_textLength = 0;
    char m_lastByte = 0;
    // The start of the line being written, unless it has not come yet;
    // then the starts of the lines that begin later, the first
    // m_startsTaken of them taken. Taking a line's start as it begins
    // leaves none to keep when the next ones come, most often.
    LineStart m_line{0, 0, false};
    bool m_lineStartLate = true;
    std::vector<LineStart> m_starts;
    std::size_t m_startsTaken = 0;
};

} // namespace vorelind
