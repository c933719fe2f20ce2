#include "platform/toollink.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace vorelind {

namespace {

constexpr int kConnectWaitMs = 1000;

} // namespace

// The user's home folder goes into the name too, so that users who share
// the program (and its work file) don't share the link.
QString toolLinkName(const QString& workFile)
{
    const QByteArray key = (QDir::homePath() + QLatin1Char('\n') + QFileInfo(workFile).absoluteFilePath()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("kivalter-") + QString::fromLatin1(hash);
}

bool askToolToRaise(const QString& workFile)
{
    QLocalSocket socket;
    socket.connectToServer(toolLinkName(workFile));
    if (!socket.waitForConnected(kConnectWaitMs))
        return false;
    socket.write(kRaiseRequest);
    return socket.waitForBytesWritten(kConnectWaitMs);
}

} // namespace vorelind
