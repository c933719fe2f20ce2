#include "sitecheck.h"

#include "document/documentpipeline.h"
#include "document/sourceloader.h"
#include "platform/codecs/sjistext.h"
#include "util/apperror.h"
#include "util/filemask.h"
#include "util/filename.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace vorelind {

namespace {

namespace fs = std::filesystem;

void writeOut(std::string_view bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        throw systemError();
}

// The results of the files, handed from the workers to the writer in the
// order of the files, whichever worker finishes first.
template <typename Result>
class OrderedResults {
public:
    explicit OrderedResults(std::size_t count)
        : m_results(count)
    {
    }

    void put(std::size_t index, Result result)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_results[index] = std::move(result);
        }
        m_ready.notify_all();
    }

    // Waits for a file's result and takes it, so that its memory goes.
    Result take(std::size_t index)
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this, index] { return m_results[index].has_value(); });
        Result result = std::move(*m_results[index]);
        m_results[index].reset();
        return result;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::vector<std::optional<Result>> m_results;
};

} // namespace

SiteCheck::SiteCheck(SiteCheckOptions options, const ExcludedTags& excluded)
    : m_options(std::move(options))
    , m_excluded(excluded)
{
}

int SiteCheck::run(const std::vector<std::string>& paths)
{
    collectFiles(paths);
    OrderedResults<FileResult> results(m_files.size());
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        for (std::size_t index = next++; index < m_files.size(); index = next++)
            results.put(index, checkFile(m_files[index]));
    };
    const std::size_t workerCount = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()),
                                                          m_files.size());
    std::vector<std::jthread> workers;
    for (std::size_t i = 0; i < workerCount; ++i)
        workers.emplace_back(work);
    try {
        for (std::size_t index = 0; index < m_files.size(); ++index)
            writeResult(m_files[index], results.take(index));
    } catch (...) {
        next = m_files.size(); // the workers stop after the file in hand
        throw;
    }
    if (m_options.countOnly)
        writeCounts();
    return m_found || m_failed ? 1 : 0;
}

void SiteCheck::collectFiles(const std::vector<std::string>& paths)
{
    bool folderGiven = false;
    for (const std::string& path : paths) {
        std::error_code error;
        if (fs::is_directory(fs::path(path), error)) {
            folderGiven = true;
            addFolder(path);
        } else {
            m_files.push_back(path); // a file named is checked whatever its name
        }
    }
    std::sort(m_files.begin(), m_files.end());
    m_options.style.pathFirst = paths.size() > 1 || folderGiven;
}

void SiteCheck::addFolder(const std::string& folder)
{
    const auto take = [this](const fs::directory_entry& entry) {
        std::error_code error;
        if (entry.is_regular_file(error) && matchesFileMask(m_options.mask, pathText(entry.path().filename())))
            m_files.push_back(entry.path().string());
    };
    std::error_code error;
    constexpr auto options = fs::directory_options::skip_permission_denied;
    if (m_options.recursive) {
        for (fs::recursive_directory_iterator it(folder, options, error), end; !error && it != end; it.increment(error))
            take(*it);
    } else {
        for (fs::directory_iterator it(folder, options, error), end; !error && it != end; it.increment(error))
            take(*it);
    }
    if (error)
        reportFailure(folder, error.message());
}

SiteCheck::FileResult SiteCheck::checkFile(const std::string& path) const
{
    FileResult result;
    try {
        const std::string source = loadDocument(DocumentRequest{path, fileNameOf(pathText(path)), m_options.convertToShiftJis});
        result.findings = unmatchedListing(path, source, m_excluded, m_options.style);
    } catch (const Refusal& refusal) {
        result.failure = refusal.what();
    } catch (const AppError& error) {
        result.failure = error.what();
    } catch (const std::bad_alloc&) {
        result.failure = "out of memory";
    } catch (const std::exception& error) {
        result.failure = error.what();
    }
    return result;
}

void SiteCheck::writeResult(const std::string& path, const FileResult& result)
{
    if (!result.failure.empty()) {
        reportFailure(path, result.failure);
        return;
    }
    m_found = m_found || result.findings.count > 0;
    if (m_options.countOnly)
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
    std::cerr << "vorelind-cli: " << path << ": " << sjisToUtf8(sjisMessage) << '\n';
}

} // namespace vorelind
