#include "treecommand.h"

#include "document/sizelimits.h"
#include "util/apperror.h"
#include "util/sjis.h"

#include <charconv>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorelind {

namespace {

// The most bytes a node's line takes before its text: the level,
// "LINE:COL" and two TABs.
constexpr std::size_t kHeadRoom = 3 * 20 + 3;

// Puts a number in decimal at out and returns the end of its digits. Most
// levels, lines and columns have one or two digits.
char* putNumber(std::size_t number, char* out)
{
    if (number < 10) {
        *out = static_cast<char>('0' + number);
        return out + 1;
    }
    if (number < 100) {
        out[0] = static_cast<char>('0' + number / 10);
        out[1] = static_cast<char>('0' + number % 10);
        return out + 2;
    }
    return std::to_chars(out, out + 20, number).ptr;
}

// Whether the byte is written escaped: a control byte but TAB, which the
// walk keeps in a line when a Shift-JIS lead byte takes it for the second
// byte of its character (a CR or LF too). A TAB cannot end the node's line.
bool isEscapedByte(unsigned char byte)
{
    return (byte < 0x20 && byte != '\t') || byte == 0x7F;
}

// Whether any byte of a word is below the blank or is 0x7F: only such a
// word can hold an escaped byte.
template <typename Word>
bool mayHoldEscapedByte(Word bytes)
{
    constexpr Word kOnes = static_cast<Word>(~Word(0)) / 0xFF;
    constexpr Word kHighBits = kOnes * 0x80;
    const Word belowBlank = (bytes - 0x20 * kOnes) & ~bytes & kHighBits;
    const Word deletes = bytes ^ (0x7F * kOnes);
    const Word hasDelete = (deletes - kOnes) & ~deletes & kHighBits;
    return (belowBlank | hasDelete) != 0;
}

// copyUnescaped byte by byte.
bool copyBytesUnescaped(std::string_view text, char* out)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (isEscapedByte(static_cast<unsigned char>(text[at])))
            return false;
        out[at] = text[at];
    }
    return true;
}

// copyUnescaped for a text of at least one word, a word at a time; the last
// word may overlap the one before. A word that may hold an escaped byte
// sends the whole text to the byte-by-byte copy.
template <typename Word>
bool copyWordsUnescaped(std::string_view text, char* out)
{
    const auto copyWord = [text, out](std::size_t at) {
        Word bytes;
        std::memcpy(&bytes, text.data() + at, sizeof bytes);
        if (mayHoldEscapedByte(bytes))
            return false;
        std::memcpy(out + at, &bytes, sizeof bytes);
        return true;
    };
    for (std::size_t at = 0; at + sizeof(Word) < text.size(); at += sizeof(Word)) {
        if (!copyWord(at))
            return copyBytesUnescaped(text, out);
    }
    return copyWord(text.size() - sizeof(Word)) || copyBytesUnescaped(text, out);
}

#if defined(__SSE2__)
// Whether any of sixteen bytes is escaped.
bool holdsEscapedByte(__m128i bytes)
{
    // A byte is at most 31 when the unsigned minimum with 31 leaves it as it is.
    const __m128i controls = _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(31)), bytes);
    const __m128i tabs = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t'));
    const __m128i deletes = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(0x7F));
    return _mm_movemask_epi8(_mm_or_si128(_mm_andnot_si128(tabs, controls), deletes)) != 0;
}

// copyUnescaped for a text of sixteen bytes or more, sixteen at a time; the
// last sixteen may overlap those before them.
bool copyUnescapedBySixteen(std::string_view text, char* out)
{
    const auto copySixteen = [text, out](std::size_t at) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        if (holdsEscapedByte(bytes))
            return false;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), bytes);
        return true;
    };
    for (std::size_t at = 0; at + 16 < text.size(); at += 16) {
        if (!copySixteen(at))
            return false;
    }
    return copySixteen(text.size() - 16);
}
#endif

// Copies the text to out unless it holds an escaped byte, and tells
// whether it did. Without an escaped byte no lead byte is escaped either,
// and the text is written as it is.
bool copyUnescaped(std::string_view text, char* out)
{
#if defined(__SSE2__)
    if (text.size() >= 16)
        return copyUnescapedBySixteen(text, out);
#endif
    if (text.size() >= 8)
        return copyWordsUnescaped<std::uint64_t>(text, out);
    if (text.size() >= 4)
        return copyWordsUnescaped<std::uint32_t>(text, out);
    return copyBytesUnescaped(text, out);
}

// Whether n bytes at a and at b, n at least a word, are the same, compared
// a word at a time; the last word may overlap the one before.
template <typename Word>
bool sameWords(const char* a, const char* b, std::size_t n)
{
    const auto sameWord = [a, b](std::size_t at) {
        Word x;
        Word y;
        std::memcpy(&x, a + at, sizeof x);
        std::memcpy(&y, b + at, sizeof y);
        return x == y;
    };
    for (std::size_t at = 0; at + sizeof(Word) < n; at += sizeof(Word)) {
        if (!sameWord(at))
            return false;
    }
    return sameWord(n - sizeof(Word));
}

// Whether n bytes at a and at b are the same. Node texts are short, too
// short to pay for a call that compares them.
bool sameBytes(const char* a, const char* b, std::size_t n)
{
#if defined(__SSE2__)
    if (n >= 16) {
        const auto sameSixteen = [a, b](std::size_t at) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + at));
            const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at));
            return _mm_movemask_epi8(_mm_cmpeq_epi8(x, y)) == 0xFFFF;
        };
        for (std::size_t at = 0; at + 16 < n; at += 16) {
            if (!sameSixteen(at))
                return false;
        }
        return sameSixteen(n - 16);
    }
#endif
    if (n >= 8)
        return sameWords<std::uint64_t>(a, b, n);
    if (n >= 4)
        return sameWords<std::uint32_t>(a, b, n);
    return std::memcmp(a, b, n) == 0;
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
[[noreturn]] void refuseNodeField(std::uint32_t largest)
{
    throw AppError(listingTooLargeMessage(largest));
}

std::uint32_t nodeField(std::size_t value, std::uint32_t largest)
{
    if (value > largest) [[unlikely]]
        refuseNodeField(largest);
    return static_cast<std::uint32_t>(value);
}

} // namespace

TreeWriter::TreeWriter(const LoadedSource& source, bool withPositions)
    : m_source(source)
    , m_withPositions(withPositions)
    , m_fill(*this)
{
}

void TreeWriter::addLine(const IndentedLine& line, std::size_t sourcePosition, bool verbatim)
{
    m_blankLed = line.depth > 0;
    m_position = sourcePosition;
    m_verbatim = verbatim;
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
// Most lines the walk tells to be the source's, and they are not compared.
// Defined inline, the fill's calls of it take no call of their own.
inline NodeId TreeWriter::addNode(std::size_t level, std::string_view text)
{
    if (m_blankLed)
        text.remove_prefix(1);
    std::uint32_t length = nodeField(text.size(), TreeNode::kLengthBits);
    if (m_blankLed)
        length |= TreeNode::kBlankLed;
    if (!m_verbatim && !holdsInSource(text))
        length |= setAside(text);
    m_nodes.push(TreeNode{nodeField(level, UINT32_MAX), nodeField(m_position, UINT32_MAX), length});
    return level;
}

std::uint32_t TreeWriter::setAside(std::string_view text)
{
    m_aside.append(text);
    return TreeNode::kSetAside;
}

bool TreeWriter::holdsInSource(std::string_view text) const
{
    const std::string_view source = m_source.text ? std::string_view(*m_source.text) : std::string_view();
    const std::size_t start = m_position - 1;
    return m_position > 0 && start <= source.size() && text.size() <= source.size() - start
           && sameBytes(source.data() + start, text.data(), text.size());
}

void TreeWriter::writeRun(const Run& run, std::size_t& line, GatheredOutput& out) const
{
    const std::string_view source = m_source.text ? std::string_view(*m_source.text) : std::string_view();
    std::string scratch;
    std::size_t aside = run.aside;
    for (std::size_t at = run.begin; at < run.end; ++at) {
        const TreeNode& node = m_nodes[at];
        const std::size_t length = node.length & TreeNode::kLengthBits;
        std::string_view text;
        if (node.length & TreeNode::kSetAside) {
            text = m_aside.view(aside, length, scratch);
            aside += length;
        } else {
            text = std::string_view(source.data() + node.sourcePosition - 1, length);
        }
        if (!putPlainNode(node, text, line, out))
            writeEscapedNode(node, text, line, out);
    }
}

// A node text of an indented line with no escaped byte, nearly every one,
// is put straight into the output gathered; the others are left to
// writeEscapedNode, and false returned. Defined inline, it takes no call
// of its own for each node.
inline bool TreeWriter::putPlainNode(const TreeNode& node, std::string_view text, std::size_t& line,
                                     GatheredOutput& out) const
{
    if (text.size() >= kIndentedTextLength)
        return false;
    char* room = out.room(kHeadRoom + kIndentedTextLength + 1);
    char* end = putHead(node, line, room);
    *end = ' ';
    end += (node.length & TreeNode::kBlankLed) != 0 ? 1 : 0;
    if (!copyUnescaped(text, end))
        return false;
    end += text.size();
    *end++ = '\n';
    out.take(static_cast<std::size_t>(end - room));
    return true;
}

void TreeWriter::writeEscapedNode(const TreeNode& node, std::string_view text, std::size_t& line,
                                  GatheredOutput& out) const
{
    char head[kHeadRoom];
    std::string whole(head, putHead(node, line, head));
    if ((node.length & TreeNode::kBlankLed) != 0)
        whole += ' ';
    appendNodeText(text, whole);
    whole += '\n';
    out.write(whole);
}

char* TreeWriter::putHead(const TreeNode& node, std::size_t& line, char* out) const
{
    out = putNumber(node.level, out);
    *out++ = '\t';
    return m_withPositions ? putPlace(node, line, out) : out;
}

char* TreeWriter::putPlace(const TreeNode& node, std::size_t& line, char* out) const
{
    const LineColumn place = placeNear(*m_source.index, std::size_t(node.sourcePosition) - 1, line);
    out = putNumber(place.line, out);
    *out++ = ':';
    out = putNumber(place.column, out);
    *out++ = '\t';
    return out;
}

} // namespace vorelind
