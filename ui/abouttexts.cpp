#include "ui/abouttexts.h"

#include "platform/codecs/nkf32.h"
#include "ui/aboutmessages.h"

namespace vorelind {

AboutTexts aboutTexts(std::string_view versionText, std::string_view comments, std::string_view legalCopyright,
                      std::string_view nkfVersion)
{
    AboutTexts texts;
    texts.version = messages::kVersionPrefix + std::string(versionText);
    texts.comments = messages::kRemarksPrefix + std::string(comments) + messages::kNkfHead + std::string(nkfVersion)
                     + messages::kNkfTail;
    texts.copyright = messages::kCopyrightPrefix + std::string(legalCopyright);
    return texts;
}

std::string nkfVersionText()
{
    char version[kNkfVersionBufferSize] = {};
    GetNkfVersion(version);
    return std::string(version, std::string_view(version, sizeof version).find('\0'));
}

} // namespace vorelind
