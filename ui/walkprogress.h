#pragma once

#include "document/walksinks.h"

#include <QDateTime>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace vorelind {

// Shows the walk on the progress bar and the status line. The walk takes
// no input, but every tenth of a second both are repainted at once so that
// a long run visibly moves; the walk reports every few thousand positions,
// each report a look at the clock. finish() shows what the last position set.
// The status line names the walked file after the position, so that the
// file stays known after the run.
class WalkProgress : public ProgressSink, public StatusSink {
public:
    WalkProgress(QProgressBar& progressBar, QLabel& statusLine, QString walkedFile);

    void start(std::size_t maximum) override;
    void advance(std::size_t steps) override;
    void showPosition(std::size_t position, std::size_t total) override;
    void finish();

    // "i/n", five blanks, the local short date, a blank and the long time.
    static QString statusText(std::size_t position, std::size_t total, const QDateTime& when);

private:
    void repaintNow();

    QProgressBar& m_progressBar;
    QLabel& m_statusLine;
    QString m_walkedFile;
    QElapsedTimer m_sinceRepaint;
    std::size_t m_steps = 0;
    std::size_t m_position = 0;
    std::size_t m_total = 0;
};

} // namespace vorelind
