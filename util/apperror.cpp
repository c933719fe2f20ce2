#include "util/apperror.h"

#include <cerrno>
#include <cstring>

namespace vorelind {

AppError::AppError(const std::string& message)
    : std::runtime_error(message)
{
}

AppError systemError()
{
    return AppError(std::strerror(errno));
}

std::string errorBoxText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + '.';
    return message;
}

std::string formatMessage(const std::string& pattern, const std::string& argument)
{
    std::string text = pattern;
    const auto at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

} // namespace vorelind
