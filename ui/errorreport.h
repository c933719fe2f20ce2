#pragma once

#include "util/apperror.h"

namespace vorelind {

// Shows the application's error box: the stop icon, one OK button, the
// application title as caption and the message with "." added when its
// last byte sorts above ".".
void showErrorReport(const AppError& error);

// Runs one event handler. An AppError ends it, skipping its remaining
// steps, and is shown in the error box; the program goes on with the next
// event. Errors never travel through Qt's event dispatch.
template <typename Handler>
void runHandler(Handler&& handler)
{
    try {
        handler();
    } catch (const AppError& error) {
        showErrorReport(error);
    }
}

} // namespace vorelind
