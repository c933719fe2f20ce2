#include "platform/toollink.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

namespace vorelind {

namespace {

constexpr int kConnectWaitMs = 1000;

} // namespace

QString toolLinkName(const QString& workFile)
{
    const QByteArray path = QFileInfo(workFile).absoluteFilePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(16);
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/kivalter-") +
           QString::fromLatin1(hash);
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
