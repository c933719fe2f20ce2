#include "platform/codecs/systemmessages.h"

#include <clocale>

#ifdef __GLIBC__
#include <libintl.h>
#endif

namespace vorelind {

void useJapaneseSystemMessages()
{
#ifdef __GLIBC__
    // The messages' language alone: numbers, dates and the code set of
    // characters stay as the user's locale has them.
    std::setlocale(LC_MESSAGES, "ja_JP.UTF-8");
    bind_textdomain_codeset("libc", "CP932");
#endif
}

} // namespace vorelind
