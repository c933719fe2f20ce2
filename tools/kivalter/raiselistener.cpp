#include "tools/kivalter/raiselistener.h"

#include "platform/process/toollink.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace vorelind {

namespace {

constexpr int kProbeWaitMs = 500;

// Whether a tool listens on the link, as when the same work file is shown twice.
bool someoneListensOn(const QString& name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    return probe.waitForConnected(kProbeWaitMs);
}

} // namespace

RaiseListener::RaiseListener(QWidget& window, const QString& workFile)
    : m_window(window)
    , m_server(new QLocalServer(this))
{
    const QString name = toolLinkName(workFile);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Without a safe name the window simply finds no one to raise.
    if (!name.isEmpty() && !m_server->listen(name) && !someoneListensOn(name)) {
        QLocalServer::removeServer(name);
        m_server->listen(name);
    }
    connect(m_server, &QLocalServer::newConnection, this, &RaiseListener::takeRequests);
}

void RaiseListener::takeRequests()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!isLinkFromOwnUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
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
