#include "sitecheck.h"

#include "document/filecheck.h"
#include "document/orderedchecks.h"
#include "document/sitefiles.h"
#include "platform/codecs/sjistext.h"
#include "util/apperror.h"
#include "errorline.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

namespace vorelind {

namespace {

void writeOut(std::string_view bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        throw systemError();
}

// Writes to standard output and keeps the first failure for the caller to
// raise: raised inside a check, it would be taken for the checked file's.
class StandardOutput : public ListingSink {
public:
    void write(std::string_view bytes) override
    {
        if (!m_failure && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
            m_failure = systemError();
    }

    void raiseFailure() const
    {
        if (m_failure)
            throw *m_failure;
    }

private:
    std::optional<AppError> m_failure;
};

} // namespace

SiteCheck::SiteCheck(SiteCheckOptions options, const ExcludedTags& excluded)
    : m_options(std::move(options))
    , m_excluded(excluded)
{
}

int SiteCheck::run(const std::vector<std::string>& paths)
{
    const auto folderFailed = [this](const std::string& folder, const std::string& reason) {
        reportFailure(folder, reason);
    };
    SiteFiles site = collectSiteFiles(paths, m_options.mask, m_options.recursive, folderFailed);
    m_options.style.pathFirst = paths.size() > 1 || site.folderGiven;
    if (site.files.size() == 1 && !m_options.style.countOnly) {
        checkAlone(site.files.front());
    } else {
        OrderedChecks<FileResult> checks(std::move(site.files),
                                         [this](const std::string& path) { return checkFile(path); });
        checks.run([&](std::size_t index, FileResult result) { writeResult(checks.files()[index], result); });
    }
    if (m_options.style.countOnly)
        writeCounts();
    return m_found || m_failed ? 1 : 0;
}

SiteCheck::FileResult SiteCheck::checkFile(const std::string& path, ListingSink* out) const
{
    FileResult result;
    const auto check = [&](std::string_view source, TagRules rules) {
        result.findings = unmatchedFindings(path, source, rules, m_excluded, m_options.style, out);
    };
    // Columns in characters need the encoding guessed on the loaded text.
    const bool loaded = m_options.convertToShiftJis || m_options.style.format == FindingFormat::Gnu;
    result.failure = loaded ? checkLoadedFile(path, m_options.convertToShiftJis, m_options.style.rules, check)
                            : checkFileAsWritten(path, m_options.style.rules, check);
    return result;
}

void SiteCheck::checkAlone(const std::string& path)
{
    StandardOutput out;
    const FileResult result = checkFile(path, &out);
    out.raiseFailure();
    writeResult(path, result);
}

void SiteCheck::writeResult(const std::string& path, const FileResult& result)
{
    if (!result.failure.empty()) {
        reportFailure(path, result.failure);
        return;
    }
    m_found = m_found || result.findings.count > 0;
    if (m_options.style.countOnly)
        m_counts.emplace_back(result.findings.count, path);
    else
        writeOut(result.findings.text);
}

void SiteCheck::writeCounts()
{
    std::sort(m_counts.begin(), m_counts.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    for (const auto& [count, path] : m_counts)
        writeOut(std::to_string(count) + "\t" + path + "\n");
}

void SiteCheck::reportFailure(const std::string& path, const std::string& sjisMessage)
{
    m_failed = true;
    std::fflush(stdout); // the line lands after the findings written before it
    writeErrorLine(path + ": " + sjisToUtf8(sjisMessage));
}

} // namespace vorelind
