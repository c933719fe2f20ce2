#include "ui/walkprogress.h"

#include <QLabel>
#include <QLocale>
#include <QProgressBar>

#include <algorithm>

namespace vorelind {

namespace {

constexpr qint64 kRepaintIntervalMs = 100;

// The system's long time format without its time zone, which the long
// time of the status line does not show.
QString longTimeFormat()
{
    const QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    QString withoutZone;
    bool quoted = false;
    for (const QChar character : format) {
        if (character == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || character != QLatin1Char('t'))
            withoutZone += character;
    }
    return withoutZone.trimmed();
}

} // namespace

const QLatin1String kFileSeparator("     ");

WalkProgress::WalkProgress(QProgressBar& progressBar, QLabel& statusLine, QString walkedFile)
    : m_progressBar(progressBar)
    , m_statusLine(statusLine)
    , m_walkedFile(std::move(walkedFile))
{
}

void WalkProgress::start(std::size_t maximum)
{
    // A range of 0 to 0 would show a busy bar rather than an empty one.
    m_progressBar.setRange(0, static_cast<int>(std::max<std::size_t>(maximum, 1)));
    m_progressBar.setValue(0);
    m_steps = 0;
    m_position = 0;
    m_sinceRepaint.start();
    m_progressBar.repaint();
}

void WalkProgress::advance(std::size_t steps)
{
    m_steps += steps;
}

void WalkProgress::showPosition(std::size_t position, std::size_t total)
{
    m_position = position;
    m_total = total;
    if (m_sinceRepaint.elapsed() >= kRepaintIntervalMs)
        repaintNow();
}

// A walk that reached no position still names its file.
void WalkProgress::finish()
{
    if (m_position > 0) {
        repaintNow();
        return;
    }
    m_statusLine.setText(m_walkedFile);
    m_statusLine.repaint();
}

QString WalkProgress::statusText(std::size_t position, std::size_t total, const QDateTime& when)
{
    const QLocale locale = QLocale::system();
    return QString::number(position) + QLatin1Char('/') + QString::number(total) + QStringLiteral("     ")
        + locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + locale.toString(when.time(), longTimeFormat());
}

void WalkProgress::repaintNow()
{
    m_progressBar.setValue(static_cast<int>(m_steps));
    m_statusLine.setText(statusText(m_position, m_total, QDateTime::currentDateTime()) + kFileSeparator + m_walkedFile);
    m_progressBar.repaint();
    m_statusLine.repaint();
    m_sinceRepaint.start();
}

} // namespace vorelind
