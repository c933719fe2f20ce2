#pragma once

#include <stdexcept>
#include <string>

namespace vorelind {

// The one error type that ends a handler and reaches the application's
// error box. The message is Shift-JIS text, shown as it stands.
class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& message);
};

// Builds the error for a failed operating-system call from errno.
AppError systemError();

// Returns the message with "." appended when its last byte sorts above ".",
// as the error box shows it.
std::string errorBoxText(const std::string& message);

// Replaces the first "%s" of a message pattern with the argument.
std::string formatMessage(const std::string& pattern, const std::string& argument);

} // namespace vorelind
