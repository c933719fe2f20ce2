#include "platform/process/toollink.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorelind {

namespace {

constexpr int kConnectWaitMs = 1000;

// The user's home folder goes into the name too, so that users who share
// the program (and its work file) don't share the link.
QString linkFileName(const QString& workFile)
{
    const QByteArray key = (QDir::homePath() + QLatin1Char('\n') + QFileInfo(workFile).absoluteFilePath()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("kivalter-") + QString::fromLatin1(hash);
}

#ifndef _WIN32
// The folder of the user's own in the temporary folder, made closed to others.
QString ownTemporaryFolder()
{
    const QString folder = QDir::tempPath() + QStringLiteral("/vorelind-") + QString::number(geteuid());
    // An existing one is judged as it stands, never changed: it may be someone else's.
    ::mkdir(QFile::encodeName(folder).constData(), S_IRWXU);
    return folder;
}
#endif

} // namespace

#ifndef _WIN32
bool isPrivateFolder(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return false;
    return S_ISDIR(status.st_mode) && status.st_uid == geteuid() && (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

QString toolLinkFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolder(runtime))
        return runtime;
    const QString own = ownTemporaryFolder();
    return isPrivateFolder(own) ? own : QString();
}

bool peerRunsAs(qintptr descriptor, uid_t user)
{
#ifdef SO_PEERCRED
    struct ucred credentials {};
    socklen_t length = sizeof credentials;
    if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    return credentials.uid == user;
#else
    uid_t peer = 0;
    gid_t group = 0;
    return ::getpeereid(static_cast<int>(descriptor), &peer, &group) == 0 && peer == user;
#endif
}

bool isLinkFromOwnUser(qintptr descriptor)
{
    return peerRunsAs(descriptor, geteuid());
}

QString toolLinkName(const QString& workFile)
{
    const QString folder = toolLinkFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + linkFileName(workFile);
}
#else
bool isLinkFromOwnUser(qintptr)
{
    return true;
}

QString toolLinkName(const QString& workFile)
{
    return linkFileName(workFile);
}
#endif

bool askToolToRaise(const QString& workFile)
{
    const QString name = toolLinkName(workFile);
    if (name.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectWaitMs) || !isLinkFromOwnUser(socket.socketDescriptor()))
        return false;
    socket.write(kRaiseRequest);
    return socket.waitForBytesWritten(kConnectWaitMs);
}

} // namespace vorelind
