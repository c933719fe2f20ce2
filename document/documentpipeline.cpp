#include "document/documentpipeline.h"

#include "document/indentwalk.h"
#include "document/messages.h"
#include "document/sizelimits.h"
#include "document/sourceforview.h"
#include "document/sourceloader.h"
#include "util/apperror.h"

#include <filesystem>

namespace vorelind {

Refusal::Refusal(std::string caption, const std::string& message)
    : std::runtime_error(message)
    , m_caption(std::move(caption))
{
}

void checkDocument(const DocumentRequest& request)
{
    switch (checkSourceForView(request.path, request.convertToShiftJis)) {
    case TextCheck::Text:
        break;
    case TextCheck::CannotOpen:
        throw Refusal(messages::kOpenFailureCaption, openFailureMessage(request.fileName));
    case TextCheck::NotText:
        throw Refusal(messages::kNotTextCaption, notTextMessage(request.fileName));
    case TextCheck::EndOfFile:
        throw AppError(messages::kEndOfFile);
    }
}

namespace {

std::string loadAccepted(const DocumentRequest& request, DocumentSteps& steps)
{
    checkDocument(request);
    // A file too big is refused before anything is read; reading checks again.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(request.path, error);
    if (!error && size > kMaxSourceSize)
        throw AppError(sourceTooLargeMessage(request.fileName));
    steps.accepted();
    return loadSourceForView(request.path, request.convertToShiftJis);
}

} // namespace

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
