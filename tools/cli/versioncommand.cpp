#include "versioncommand.h"

#include "platform/codecs/sjistext.h"
#include "platform/version/commonutil.h"
#include "platform/version/versioninfo.h"
#include "util/apperror.h"

#include <array>

namespace vorelind {

std::string versionListing(const std::string& fileName)
{
    if (fileVersionInfoSize(fileName) == 0)
        throw AppError(fileName + ": no version record");
    std::array<std::string, 16> texts;
    TCommonUtil().GetVersionInfo(fileName, texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6],
                                 texts[7], texts[8], texts[9], texts[10], texts[11], texts[12], texts[13],
                                 texts[14], texts[15]);
    constexpr std::array<const char*, 16> names = {
        "OSText",         "VersionText",     "FlagsText",       "TypeText",
        "Comments",       "CompanyName",     "FileDescription", "FileVersion",
        "InternalName",   "LegalCopyright",  "LegalTrademarks", "OriginalFilename",
        "PrivateBuild",   "ProductName",     "ProductVersion",  "SpecialBuild",
    };
    std::string listing;
    for (std::size_t i = 0; i < names.size(); ++i)
        listing += std::string(names[i]) + '=' + sjisToUtf8(texts[i]) + '\n';
    return listing;
}

} // namespace vorelind
