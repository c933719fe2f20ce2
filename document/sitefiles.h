#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// The files a site check reads, sorted: each file named, and the regular
// files of each folder named whose names the mask picks, down into its
// folders when recursive.
struct SiteFiles {
    std::vector<std::string> files;
    bool folderGiven = false;
};

// Told of a folder that could not be read to its end, with the system's reason.
using FolderFailure = std::function<void(const std::string& folder, const std::string& reason)>;

SiteFiles collectSiteFiles(const std::vector<std::string>& paths, std::string_view mask, bool recursive,
                           const FolderFailure& failed);

} // namespace vorelind
