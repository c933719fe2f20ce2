#pragma once

#include <QString>

#include <functional>

namespace vorelind {

// Opens files and addresses with the program that the system associates with
// them. The outcome is not examined: a missing association shows nothing
// beyond what the system itself shows.
class Shell {
public:
    using Opener = std::function<void(const QString& target)>;

    // Opens the target, a file path as the file system spells it or an
    // address ("mailto:..." included).
    static void open(const QString& target);

    // Routes open() to the given function, so tests never start a browser;
    // an empty function restores the system's shell.
    static void setOpener(Opener opener);
};

} // namespace vorelind
