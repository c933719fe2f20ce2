#include "platform/version/commonutil.h"

#include "platform/process/processlauncher.h"

namespace vorelind {

void TCommonUtil::RunAndWait(const std::string& commandLine)
{
    runAndWait(commandLine);
}

} // namespace vorelind
