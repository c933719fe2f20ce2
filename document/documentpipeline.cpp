#include "document/documentpipeline.h"

#include "document/indentwalk.h"
#include "document/messages.h"
#include "document/sizelimits.h"
#include "document/sourceforview.h"
#include "document/sourceloader.h"
#include "platform/files/filereader.h"
#include "util/apperror.h"
#include "util/largebuffer.h"

#include <cstdint>
#include <utility>

namespace vorelind {

Refusal::Refusal(std::string caption, const std::string& message)
    : std::runtime_error(message)
    , m_caption(std::move(caption))
{
}

namespace {

void refuseUnlessRegularFile(const FileReader& file, const DocumentRequest& request)
{
    if (file.kind() != FileReader::Kind::Regular)
        throw Refusal(messages::kOpenFailureCaption, openFailureMessage(request.fileName));
}

void refuseUnlessText(std::string_view head, const DocumentRequest& request)
{
    switch (judgeSourceHead(head, request.convertToShiftJis)) {
    case TextVerdict::Text:
        return;
    case TextVerdict::NotText:
        throw Refusal(messages::kNotTextCaption, notTextMessage(request.fileName));
    case TextVerdict::EndOfFile:
        break;
    }
    throw AppError(messages::kEndOfFile);
}

void refuseOverSizeLimit(std::uint64_t size, const DocumentRequest& request)
{
    if (size > kMaxSourceSize)
        throw AppError(sourceTooLargeMessage(request.fileName));
}

// The checks before the file is taken: it must be a regular file whose head
// passes the text check. Returns the head that was read.
std::string readCheckedHead(FileReader& file, const DocumentRequest& request)
{
    refuseUnlessRegularFile(file, request);
    std::string bytes;
    file.readOn(bytes, kSourceHeadLength);
    refuseUnlessText(bytes, request);
    return bytes;
}

// Room for the file and for the loading to make lone CRs or LFs CR LF in
// place, for lines of sixteen bytes and more on average. Room that loading
// does not use is never touched, so it costs no memory.
void reserveForLoading(std::string& bytes, std::uint64_t fileSize)
{
    const auto size = static_cast<std::size_t>(fileSize);
    reserveLarge(bytes, size, size / 16 + 1);
}

// The file is opened once and read on from the checked head, so every check
// holds for the bytes that are loaded, whatever happens at the path meanwhile.
std::string loadAccepted(const DocumentRequest& request, DocumentSteps& steps)
{
    FileReader file(request.path);
    std::string bytes = readCheckedHead(file, request);
    // A file too big is refused before the rest is read; the reading checks
    // again, since the file may grow meanwhile.
    refuseOverSizeLimit(file.size(), request);
    steps.accepted();
    reserveForLoading(bytes, file.size());
    file.readOn(bytes, kMaxSourceSize + 1);
    refuseOverSizeLimit(bytes.size(), request);
    return sourceForView(std::move(bytes), request.convertToShiftJis);
}

} // namespace

void checkDocument(const DocumentRequest& request)
{
    FileReader file(request.path);
    readCheckedHead(file, request);
}

void readDocumentAsWritten(const DocumentRequest& request, const std::function<void(std::string_view)>& use)
{
    FileReader file(request.path);
    std::string bytes = readCheckedHead(file, request);
    refuseOverSizeLimit(file.size(), request);
    const MappedFile mapped = file.mapWhole();
    if (!mapped.isMapped()) {
        reserveLarge(bytes, static_cast<std::size_t>(file.size()) + 1);
        file.readOn(bytes, kMaxSourceSize + 1);
        refuseOverSizeLimit(bytes.size(), request);
    }
    const std::string_view whole = mapped.isMapped() ? mapped.bytes() : std::string_view(bytes);
    use(whole.substr(0, whole.find('\0')));
}

std::string loadDocument(const DocumentRequest& request)
{
    DocumentSteps steps;
    return loadAccepted(request, steps);
}

void runDocument(const DocumentRequest& request, const ExcludedTags& excluded, DocumentSteps& steps,
                 const WalkSinks& sinks, ListingSink& listing)
{
    const auto source = std::make_shared<const std::string>(loadAccepted(request, steps));
    steps.loaded(source);
    walkSource(*source, excluded, sinks, listing);
}

} // namespace vorelind
