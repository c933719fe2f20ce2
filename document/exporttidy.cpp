#include "document/exporttidy.h"

#include "document/messages.h"
#include "platform/codecs/sjistext.h"
#include "platform/files/regularfile.h"
#include "platform/files/wholefile.h"
#include "util/apperror.h"
#include "util/leadingblanks.h"
#include "util/sjis.h"

#include <algorithm>
#include <exception>

namespace vorelind {

namespace {

// Whether the text holds the upper-case marker, with the text's ASCII
// letters upper-cased; it copies nothing.
bool holdsMarker(std::string_view text, std::string_view marker)
{
    const auto found = std::search(text.begin(), text.end(), marker.begin(), marker.end(),
                                   [](char a, char b) { return upperAsciiByte(a) == b; });
    return found != text.end();
}

// The new file is written in pieces of about this size, so that a listing
// of many short lines costs few writes.
constexpr std::size_t kPieceSize = 1 << 20;

// Gathers bytes into pieces for the new file; after a failed write it drops
// the rest.
class PieceSink : public ListingSink {
public:
    explicit PieceSink(const FilePieceWriter& write)
        : m_write(write)
    {
    }

    void write(std::string_view bytes) override
    {
        m_piece.append(bytes);
        if (m_piece.size() >= kPieceSize)
            flush();
    }

    // Writes what is gathered; returns whether every piece was written.
    bool finish()
    {
        flush();
        return m_written;
    }

private:
    void flush()
    {
        m_written = m_written && m_write(m_piece);
        m_piece.clear();
    }

    const FilePieceWriter& m_write;
    std::string m_piece;
    bool m_written = true;
};

} // namespace

std::string_view TrimTail(std::string_view text)
{
    std::size_t length = text.size();
    while (length > 0 && static_cast<unsigned char>(text[length - 1]) <= 32)
        --length;
    return text.substr(0, length);
}

std::size_t FirstNonBlankPos(std::string_view text)
{
    const std::size_t at = offsetAboveBlank(text);
    return at == std::string_view::npos ? 0 : at + 1;
}

IndentedText ExportTidy::tidy(const IndentedText& line)
{
    const std::string_view trimmed = TrimTail(line.text);
    if (holdsMarker(trimmed, "<SCRIPT") || holdsMarker(trimmed, "<PRE")) {
        m_inBlock = true;
        m_blockStart = line.blanks + FirstNonBlankPos(trimmed);
        return line;
    }
    if (holdsMarker(trimmed, "/SCRIPT") || holdsMarker(trimmed, "/PRE")) {
        m_inBlock = false;
        return line;
    }
    // A line of blanks and control bytes alone keeps nothing.
    if (trimmed.empty())
        return {0, trimmed};
    if (!m_inBlock)
        return {line.blanks, trimmed};
    // The listing leads a block line with the opening tag's depth + 2
    // blanks, which is blockStart + 1; any further blanks are content.
    return {line.blanks - std::min(line.blanks, m_blockStart + 1), trimmed};
}

void tidyForExport(Listing& listing)
{
    ExportTidy tidy;
    for (std::size_t row = 0; row < listing.lineCount(); ++row)
        listing.narrowLine(row, tidy.tidy(listing.indentedLine(row)));
}

void writeLine(ListingSink& out, const IndentedText& line)
{
    static const std::string kBlanks(4096, ' ');
    for (std::size_t left = line.blanks; left > 0;) {
        const std::size_t piece = std::min(left, kBlanks.size());
        out.write(std::string_view(kBlanks).substr(0, piece));
        left -= piece;
    }
    out.write(line.text);
    out.write("\r\n");
}

void writeExportFile(const std::filesystem::path& path, const Listing& listing)
{
    replaceExportFile(path, [&listing](ListingSink& out) {
        for (std::size_t row = 0; row < listing.lineCount(); ++row)
            writeLine(out, listing.indentedLine(row));
    });
}

void replaceExportFile(const std::filesystem::path& path, const std::function<void(ListingSink&)>& produce)
{
    // A link is written through to the file it names; a FIFO or a device is
    // no place for a listing.
    const std::filesystem::path target = writeTarget(path);
    std::exception_ptr failure;
    const bool written = !isLinkOrSpecialFile(target) && replaceFileWhole(target, [&](const FilePieceWriter& write) {
        PieceSink pieces(write);
        try {
            produce(pieces);
        } catch (...) {
            failure = std::current_exception();
            return false;
        }
        return pieces.finish();
    });
    if (failure)
        std::rethrow_exception(failure);
    if (!written)
        throw AppError(formatMessage(messages::kCannotCreateFile, pathText(path)));
}

ExportStream::ExportStream(ListingSink& out)
    : m_out(out)
{
}

void ExportStream::write(std::string_view bytes)
{
    // A CR LF pair may straddle two pieces: a CR at the end of the partial
    // line is matched with an LF at the start of the next piece.
    while (!bytes.empty()) {
        if (!m_partialLine.empty() && m_partialLine.back() == '\r' && bytes.front() == '\n') {
            m_partialLine.pop_back();
            putLine(m_partialLine);
            m_partialLine.clear();
            bytes.remove_prefix(1);
            continue;
        }
        const std::size_t end = bytes.find("\r\n");
        if (end == std::string_view::npos) {
            m_partialLine.append(bytes);
            return;
        }
        if (m_partialLine.empty()) {
            putLine(bytes.substr(0, end));
        } else {
            m_partialLine.append(bytes.substr(0, end));
            putLine(m_partialLine);
            m_partialLine.clear();
        }
        bytes.remove_prefix(end + 2);
    }
}

void ExportStream::finish()
{
    putLine(m_partialLine);
    m_partialLine.clear();
}

// The list holds no empty lines, so neither does the saved file.
void ExportStream::putLine(std::string_view line)
{
    if (line.empty())
        return;
    writeLine(m_out, m_tidy.tidy(indentedText(line)));
}

} // namespace vorelind
