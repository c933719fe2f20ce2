#include "treecommand.h"

#include "document/sizelimits.h"
#include "util/apperror.h"
#include "util/leadingblanks.h"
#include "util/sjis.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace vorelind {

namespace {

// The most bytes a node's line takes before its text: the level,
// "LINE:COL" and two TABs.
constexpr std::size_t kHeadRoom = 3 * 20 + 3;

// Puts a number in decimal at out and returns the end of its digits.
char* putNumber(std::size_t number, char* out)
{
    return std::to_chars(out, out + 20, number).ptr;
}

// Whether the byte is written escaped: a control byte but TAB, which the
// walk keeps in a line when a Shift-JIS lead byte takes it for the second
// byte of its character (a CR or LF too). A TAB cannot end the node's line.
bool isEscapedByte(unsigned char byte)
{
    return (byte < 0x20 && byte != '\t') || byte == 0x7F;
}

// Whether any of eight bytes is below the blank or is 0x7F: only such a
// word can hold an escaped byte.
bool mayHoldEscapedByte(std::uint64_t eight)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    const std::uint64_t belowBlank = (eight - 0x20 * kOnes) & ~eight & kHighBits;
    const std::uint64_t deletes = eight ^ (0x7F * kOnes);
    const std::uint64_t hasDelete = (deletes - kOnes) & ~deletes & kHighBits;
    return (belowBlank | hasDelete) != 0;
}

// Copies the text to out unless it holds an escaped byte, and tells
// whether it did. Without an escaped byte no lead byte is escaped either,
// and the text is written as it is.
bool copyUnescaped(std::string_view text, char* out)
{
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        const std::uint64_t eight = wordAt(text, at);
        if (mayHoldEscapedByte(eight))
            break;
        std::memcpy(out + at, &eight, sizeof eight);
    }
    for (; at < text.size(); ++at) {
        if (isEscapedByte(static_cast<unsigned char>(text[at])))
            return false;
        out[at] = text[at];
    }
    return true;
}

void appendEscapedByte(unsigned char byte, std::string& out)
{
    constexpr char kHexDigits[] = "0123456789ABCDEF";
    const char escape[] = {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
    out.append(escape, sizeof escape);
}

// Appends the node text so that it keeps its one line: each escaped byte as
// \xHH, and a lead byte before one so too, which a reader would otherwise
// join to the escape's backslash. Whole characters are stepped over, so
// that a lead byte is told from a second byte.
void appendNodeText(std::string_view text, std::string& out)
{
    std::size_t plainFrom = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const bool lead = isSjisLeadByte(byte) && at + 1 < text.size();
        if (lead && !isEscapedByte(static_cast<unsigned char>(text[at + 1]))) {
            at += 2;
            continue;
        }
        if (lead || isEscapedByte(byte)) {
            out.append(text.substr(plainFrom, at - plainFrom));
            appendEscapedByte(byte, out);
            plainFrom = at + 1;
        }
        ++at;
    }
    out.append(text.substr(plainFrom));
}

// The line and column of the byte at an offset, sought from the given line
// on, which becomes the byte's line: a node's line began a few lines at most
// below the one before it. Elsewhere the whole index is searched.
LineColumn placeNear(const SourceIndex& lines, std::size_t offset, std::size_t& line)
{
    constexpr std::size_t kLinesStepped = 4;
    if (line <= lines.lineCount() && lines.lineStart(line) <= offset) {
        for (std::size_t step = 0; step < kLinesStepped; ++step) {
            if (line == lines.lineCount() || lines.lineStart(line + 1) > offset)
                return {line, offset - lines.lineStart(line) + 1};
            ++line;
        }
    }
    const LineColumn place = lines.at(offset);
    line = place.line;
    return place;
}

// A node's field of 32 bits; only a listing of billions of lines, which
// the walk's budget stops on any ordinary machine, could pass it.
std::uint32_t nodeField(std::size_t value, std::uint32_t largest)
{
    if (value > largest)
        throw AppError(listingTooLargeMessage(largest));
    return static_cast<std::uint32_t>(value);
}

} // namespace

TreeWriter::TreeWriter(const LoadedSource& source, bool withPositions)
    : m_source(source)
    , m_withPositions(withPositions)
    , m_fill(*this)
{
}

void TreeWriter::addLine(const IndentedLine& line, std::size_t sourcePosition)
{
    m_blankLed = line.depth > 0;
    m_position = sourcePosition;
    m_fill.add(line);
}

void TreeWriter::finish()
{
    endRun();
}

void TreeWriter::writeTo(ListingSink& out) const
{
    GatheredOutput gathered(out);
    std::size_t line = 1;
    for (auto run = m_frontRuns.rbegin(); run != m_frontRuns.rend(); ++run)
        writeRun(*run, line, gathered);
    for (const Run& run : m_backRuns)
        writeRun(run, line, gathered);
    gathered.flush();
}

void TreeWriter::clear()
{
    m_nodes.clear();
    m_aside = {};
    m_run = {0, 0, 0};
    m_frontRuns.clear();
    m_backRuns.clear();
}

NodeId TreeWriter::addFirstTopLevel(std::string_view text)
{
    startRun(true);
    return addNode(0, text);
}

NodeId TreeWriter::addLastChild(NodeId parent, std::string_view text)
{
    return addNode(parent + 1, text);
}

// A top-level node added last comes after every run; while the run filled
// is one that went in front, the node begins another.
NodeId TreeWriter::addLastSibling(NodeId node, std::string_view text)
{
    if (node == 0 && m_runInFront)
        startRun(false);
    return addNode(node, text);
}

NodeId TreeWriter::parent(NodeId node) const
{
    return node == 0 ? kNoNode : node - 1;
}

void TreeWriter::startRun(bool front)
{
    endRun();
    m_run = {m_nodes.size(), m_nodes.size(), m_aside.size()};
    m_runInFront = front;
}

void TreeWriter::endRun()
{
    m_run.end = m_nodes.size();
    if (m_run.end > m_run.begin)
        (m_runInFront ? m_frontRuns : m_backRuns).push_back(m_run);
    m_run = {m_run.end, m_run.end, m_aside.size()};
}

// The text is set aside only when the source does not hold it where the
// line began: when the walk dropped a line break or a control byte from it.
NodeId TreeWriter::addNode(std::size_t level, std::string_view text)
{
    if (m_blankLed)
        text.remove_prefix(1);
    const std::string_view source = m_source.text ? std::string_view(*m_source.text) : std::string_view();
    const std::size_t start = m_position - 1;
    const bool inSource = m_position > 0 && start <= source.size() && text.size() <= source.size() - start
                          && std::memcmp(source.data() + start, text.data(), text.size()) == 0;
    std::uint32_t length = nodeField(text.size(), kLengthBits);
    if (m_blankLed)
        length |= kBlankLed;
    if (!inSource) {
        m_aside.append(text);
        length |= kSetAside;
    }
    m_nodes.push_back(Node{nodeField(level, UINT32_MAX), nodeField(m_position, UINT32_MAX), length});
    return level;
}

void TreeWriter::writeRun(const Run& run, std::size_t& line, GatheredOutput& out) const
{
    const std::string_view source = m_source.text ? std::string_view(*m_source.text) : std::string_view();
    std::string scratch;
    std::size_t aside = run.aside;
    for (auto node = m_nodes.begin() + static_cast<std::ptrdiff_t>(run.begin),
              end = m_nodes.begin() + static_cast<std::ptrdiff_t>(run.end);
         node != end; ++node) {
        const std::size_t length = node->length & kLengthBits;
        std::string_view text;
        if (node->length & kSetAside) {
            text = m_aside.view(aside, length, scratch);
            aside += length;
        } else {
            text = source.substr(std::size_t(node->sourcePosition) - 1, length);
        }
        writeNode(*node, text, line, out);
    }
}

// A node text of an indented line with no escaped byte, nearly every one,
// is put straight into the output gathered.
void TreeWriter::writeNode(const Node& node, std::string_view text, std::size_t& line, GatheredOutput& out) const
{
    const bool blankLed = (node.length & kBlankLed) != 0;
    if (text.size() < kIndentedTextLength) {
        char* room = out.room(kHeadRoom + kIndentedTextLength + 1);
        char* end = putHead(node, line, room);
        if (blankLed)
            *end++ = ' ';
        if (copyUnescaped(text, end)) {
            end += text.size();
            *end++ = '\n';
            out.take(static_cast<std::size_t>(end - room));
            return;
        }
    }
    char head[kHeadRoom];
    std::string whole(head, putHead(node, line, head));
    if (blankLed)
        whole += ' ';
    appendNodeText(text, whole);
    whole += '\n';
    out.write(whole);
}

// Puts the level, a TAB and, with the positions, "LINE:COL" of the byte
// that began the node's line and a TAB at out; returns their end.
char* TreeWriter::putHead(const Node& node, std::size_t& line, char* out) const
{
    out = putNumber(node.level, out);
    *out++ = '\t';
    if (!m_withPositions)
        return out;
    const LineColumn place = placeNear(*m_source.index, std::size_t(node.sourcePosition) - 1, line);
    out = putNumber(place.line, out);
    *out++ = ':';
    out = putNumber(place.column, out);
    *out++ = '\t';
    return out;
}

} // namespace vorelind
