#include "document/sitefiles.h"

#include "platform/codecs/sjistext.h"
#include "util/filemask.h"

#include <algorithm>
#include <filesystem>

namespace vorelind {

namespace {

namespace fs = std::filesystem;

void addFolder(std::vector<std::string>& files, const std::string& folder, std::string_view mask, bool recursive,
               const FolderFailure& failed)
{
    const auto take = [&files, mask](const fs::directory_entry& entry) {
        std::error_code error;
        if (entry.is_regular_file(error) && matchesFileMask(mask, pathText(entry.path().filename())))
            files.push_back(entry.path().string());
    };
    std::error_code error;
    constexpr auto options = fs::directory_options::skip_permission_denied;
    if (recursive) {
        for (fs::recursive_directory_iterator it(folder, options, error), end; !error && it != end; it.increment(error))
            take(*it);
    } else {
        for (fs::directory_iterator it(folder, options, error), end; !error && it != end; it.increment(error))
            take(*it);
    }
    if (error)
        failed(folder, error.message());
}

} // namespace

SiteFiles collectSiteFiles(const std::vector<std::string>& paths, std::string_view mask, bool recursive,
                           const FolderFailure& failed)
{
    SiteFiles site;
    for (const std::string& path : paths) {
        std::error_code error;
        if (fs::is_directory(fs::path(path), error)) {
            site.folderGiven = true;
            addFolder(site.files, path, mask, recursive, failed);
        } else {
            site.files.push_back(path); // a file named is checked whatever its name
        }
    }
    std::sort(site.files.begin(), site.files.end());
    return site;
}

} // namespace vorelind
