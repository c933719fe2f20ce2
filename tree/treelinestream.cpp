#include "tree/treelinestream.h"

#include "util/bytescan.h"
#include "util/leadingblanks.h"

#include <cstring>

namespace vorelind {

TreeLineStream::TreeLineStream(TreeLineSink& lines)
    : m_lines(lines)
{
}

// Leading blanks are counted, not kept; the rest is read up to each CR LF
// pair, whose CR is taken back when its LF comes, in this piece or the next.
// The lines that lie whole in the piece, the most of them, are handed on
// from the piece itself.
void TreeLineStream::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        if (m_countingBlanks) {
            if (m_blanks == m_leftOutBlanks) {
                bytes.remove_prefix(takeWholeLines(bytes));
                if (bytes.empty())
                    return;
            }
            const std::size_t blanks = leadingBlankCount(bytes);
            m_blanks += blanks;
            bytes.remove_prefix(blanks);
            if (bytes.empty())
                return;
            beginLineText();
        }
        const void* found = std::memchr(bytes.data(), '\n', bytes.size());
        if (!found) {
            keep(bytes);
            return;
        }
        const auto lf = static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data());
        keep(bytes.substr(0, lf));
        if (m_textLength > 0 && m_lastByte == '\r') {
            // The CR was kept unless the node text was full before it.
            if (m_textLength <= m_keptLimit)
                m_kept.pop_back();
            endLine(m_kept);
        } else {
            keep(bytes.substr(lf, 1));
        }
        bytes.remove_prefix(lf + 1);
    }
}

// The bytes begin a line of which no byte came yet. Each line whose blanks,
// if it has any written, and CR LF lie in them is handed on, its last blank
// being the byte before its text; returns the bytes those lines took.
std::size_t TreeLineStream::takeWholeLines(std::string_view bytes)
{
    std::size_t at = 0;
    std::size_t leftOut = m_leftOutBlanks;
    while (at < bytes.size()) {
        const std::size_t blanks = leadingBlankCount(bytes.substr(at));
        const std::size_t textStart = at + blanks;
        if (blanks == 0 && leftOut > 0)
            break;
        // Lines are short, too short to pay for a call that finds their end.
        const std::size_t lf = findByte(bytes, textStart, '\n');
        if (lf == bytes.size() || lf == textStart || bytes[lf - 1] != '\r')
            break;
        const std::size_t depth = leftOut + blanks;
        const std::string_view fromLastBlank = depth == 0
                                                   ? bytes.substr(textStart, lf - 1 - textStart)
                                                   : bytes.substr(textStart - 1, lf - textStart).substr(0, kIndentedTextLength);
        // An empty line is not handed on, though it still takes its start.
        if (!fromLastBlank.empty())
            m_lines.addLine(IndentedLine{depth, fromLastBlank}, m_line.sourcePosition, m_line.verbatim);
        takeLineStart();
        leftOut = m_line.leftOutBlanks;
        at = lf + 1;
    }
    m_leftOutBlanks = m_blanks = leftOut;
    return at;
}

void TreeLineStream::beginLines(const std::vector<std::size_t>& sourcePositions)
{
    dropTakenStarts();
    for (const std::size_t position : sourcePositions)
        m_starts.push_back(LineStart{position, 0, false});
    takeLateStart();
}

// The starts are taken whole when every start held is taken, as most often.
void TreeLineStream::beginLineStarts(std::vector<LineStart>& starts)
{
    if (m_startsTaken == m_starts.size()) {
        m_starts.swap(starts);
        m_startsTaken = 0;
    } else {
        dropTakenStarts();
        m_starts.insert(m_starts.end(), starts.begin(), starts.end());
    }
    takeLateStart();
}

// A line already begun, and of which no byte came yet, takes its left-out
// blanks at once.
void TreeLineStream::takeLateStart()
{
    if (!m_lineStartLate)
        return;
    takeLineStart();
    if (!m_lineStartLate && m_countingBlanks && m_blanks == 0)
        m_leftOutBlanks = m_blanks = m_line.leftOutBlanks;
}

void TreeLineStream::dropTakenStarts()
{
    m_starts.erase(m_starts.begin(), m_starts.begin() + static_cast<std::ptrdiff_t>(m_startsTaken));
    m_startsTaken = 0;
}

void TreeLineStream::finish()
{
    if (m_countingBlanks && m_blanks > 0)
        beginLineText();
    endLine(m_kept);
}

// The last blank is kept, where an indented line's node text begins; the
// bytes after it that the node text has room for follow.
void TreeLineStream::beginLineText()
{
    m_countingBlanks = false;
    m_kept.clear();
    m_keptLimit = std::string::npos;
    if (m_blanks > 0) {
        m_kept += ' ';
        m_keptLimit = kIndentedTextLength - 1;
    }
}

void TreeLineStream::keep(std::string_view bytes)
{
    if (bytes.empty())
        return;
    if (m_textLength < m_keptLimit)
        m_kept.append(bytes.substr(0, m_keptLimit - m_textLength));
    m_textLength += bytes.size();
    m_lastByte = bytes.back();
}

// An empty line is not handed on, though it still takes its start.
void TreeLineStream::endLine(std::string_view fromLastBlank)
{
    if (!fromLastBlank.empty())
        m_lines.addLine(IndentedLine{m_blanks, fromLastBlank}, m_line.sourcePosition, m_line.verbatim);
    takeLineStart();
    m_countingBlanks = true;
    m_leftOutBlanks = m_line.leftOutBlanks;
    m_blanks = m_leftOutBlanks;
    m_kept.clear();
    m_textLength = 0;
    m_lastByte = 0;
}

void TreeLineStream::takeLineStart()
{
    m_lineStartLate = m_startsTaken == m_starts.size();
    m_line = m_lineStartLate ? LineStart{0, 0, false} : m_starts[m_startsTaken++];
}

} // namespace vorelind
