#include "tools/kivalter/raiselistener.h"

#include "platform/toollink.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace vorelind {

RaiseListener::RaiseListener(QWidget& window, const QString& workFile)
    : m_window(window)
    , m_server(new QLocalServer(this))
{
    const QString name = toolLinkName(workFile);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        QLocalServer::removeServer(name);
        m_server->listen(name);
    }
    connect(m_server, &QLocalServer::newConnection, this, &RaiseListener::takeRequests);
}

void RaiseListener::takeRequests()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == kRaiseRequest)
                    raiseWindow();
            }
        });
    }
}

void RaiseListener::raiseWindow()
{
    m_window.setWindowState(m_window.windowState() & ~Qt::WindowMinimized);
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
}

} // namespace vorelind
