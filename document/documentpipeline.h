#pragma once

#include "document/excludedtags.h"
#include "document/walksinks.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vorelind {

// A file that the text check refuses: the message box's caption and text,
// in Shift-JIS.
class Refusal : public std::runtime_error {
public:
    Refusal(std::string caption, const std::string& message);
    const std::string& caption() const { return m_caption; }

private:
    std::string m_caption;
};

// One document run as the window and the command-line tool both make it.
struct DocumentRequest {
    std::string path;     // as the system takes it
    std::string fileName; // as the program's Shift-JIS messages name it
    bool convertToShiftJis = false;
};

// What the caller does between the steps of a run; by default nothing.
class DocumentSteps {
public:
    virtual ~DocumentSteps() = default;
    // The file passed the text check and the size limit; only its head is
    // read yet.
    virtual void accepted() {}
    // The source is loaded and about to be walked; the caller may keep it
    // rather than copy it.
    virtual void loaded(const std::shared_ptr<const std::string>& /*source*/) {}
};

// Runs the document path on the file opened once: text check of its head (a
// refusal raises Refusal), size limit, reading the rest, optional conversion
// to Shift-JIS, loading, and the walk, which writes the listing to the sink
// and reports to the walk sinks. Other failures raise AppError.
void runDocument(const DocumentRequest& request, const ExcludedTags& excluded, DocumentSteps& steps,
                 const WalkSinks& sinks, ListingSink& listing);

// The path up to the walk: text check, size limit, reading, optional
// conversion and loading; returns the source as the walk takes it.
std::string loadDocument(const DocumentRequest& request);

// The same path for a reader that takes line breaks as they are written,
// without conversion (the request asks for none): hands use the file's
// bytes up to their first NUL, which are the loaded text but for its lone
// CRs and LFs made CR LF, while they live. The bytes are mapped rather than
// copied where the system allows.
void readDocumentAsWritten(const DocumentRequest& request, const std::function<void(std::string_view)>& use);

// The text check alone: raises Refusal or AppError as runDocument does.
void checkDocument(const DocumentRequest& request);

} // namespace vorelind
