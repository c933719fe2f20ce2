#pragma once

#include <QObject>

class QLocalServer;
class QWidget;

namespace vorelind {

// Brings the window to the front when the main program asks for it, as it
// does when the user starts a second line analysis while this one is open.
class RaiseListener : public QObject {
    Q_OBJECT

public:
    // Listens on the link of the work file; a stale link of an ended tool is
    // taken over, a live one of another tool left alone. Connections of other
    // users are dropped.
    RaiseListener(QWidget& window, const QString& workFile);

private:
    void takeRequests();
    void raiseWindow();

    QWidget& m_window;
    QLocalServer* m_server = nullptr;
};

} // namespace vorelind
