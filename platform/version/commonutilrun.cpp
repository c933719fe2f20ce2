#include "util/commonutil.h"

#include "platform/processlauncher.h"

namespace vorelind {

void TCommonUtil::RunAndWait(const std::string& commandLine)
{
    runAndWait(commandLine);
}

} // namespace vorelind
