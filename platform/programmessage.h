#pragma once

#include <functional>
#include <string>

namespace vorelind {

enum class MessageIcon { Information, Error };

// The program's own messages: modal, with a text, a caption, an icon and one
// OK button. Every one goes through here, so tests can answer them without
// a window waiting for a click.
class ProgramMessage {
public:
    using Presenter = std::function<void(const std::string& text, const std::string& caption, MessageIcon icon)>;

    // Shows the Shift-JIS text and caption and returns when the box is closed.
    static void show(const std::string& text, const std::string& caption, MessageIcon icon);

    // Routes show() to the given function; an empty one restores the message box.
    static void setPresenter(Presenter presenter);
};

} // namespace vorelind
