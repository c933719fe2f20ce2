#pragma once

#include <QString>
#include <QtGlobal>

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace vorelind {

// The local socket on which the line-analysis tool that shows a work file
// listens for requests to bring its window to the front. It depends on the
// work file's path and the user only, so both programs find it. On POSIX
// systems it lies in toolLinkFolder(), and is empty when that folder is;
// on Windows it is a named pipe that the tool opens to its own user only.
QString toolLinkName(const QString& workFile);

// The one request the tool understands, a line of its own.
inline constexpr char kRaiseRequest[] = "raise\n";

// Asks the tool that shows the work file to bring its window to the front.
// Returns false when no tool of the user's listens.
bool askToolToRaise(const QString& workFile);

// Whether the process at the other end of a connected link runs as this
// process's user. Always true on Windows, whose links are closed to others.
bool isLinkFromOwnUser(qintptr descriptor);

#ifndef _WIN32
// The folder of the user's links: the runtime folder $XDG_RUNTIME_DIR when it
// is the user's own and closed to others, else a folder "vorelind-UID" of
// the temporary folder, made when missing. Empty when that folder is not a
// real folder of the user's closed to others: another user could have put it
// there to take the links.
QString toolLinkFolder();

// Whether the path (not followed when it is a symbolic link) is a folder of
// this process's user that no one else may enter, read or write.
bool isPrivateFolder(const QString& path);

// Whether the process at the other end of a connected local socket runs as the user.
bool peerRunsAs(qintptr descriptor, uid_t user);
#endif

} // namespace vorelind
