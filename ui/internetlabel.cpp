#include "ui/internetlabel.h"

#include "platform/displaytext.h"
#include "platform/shell.h"
#include "ui/aboutmessages.h"
#include "ui/modalseam.h"

#include <QMouseEvent>
#include <QThread>

namespace vorelind {

TInternetLabel::TInternetLabel(QWidget* parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TInternetLabel::setExecutable(bool executable)
{
    m_executable = executable;
}

void TInternetLabel::setHotTrack(bool hotTrack)
{
    if (hotTrack == m_hotTrack)
        return;
    m_hotTrack = hotTrack;
    update();
}

void TInternetLabel::setHotColor(const QColor& color)
{
    if (color == m_hotColor)
        return;
    m_hotColor = color;
    update();
}

void TInternetLabel::setPushedColor(const QColor& color)
{
    if (color == m_pushedColor)
        return;
    m_pushedColor = color;
    update();
}

QColor TInternetLabel::fontColor() const
{
    return palette().color(QPalette::WindowText);
}

void TInternetLabel::setFontColor(const QColor& color)
{
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}

QString TInternetLabel::launchTarget(const QString& caption)
{
    // ":" first, so an address that names its scheme stays as it is.
    if (caption.contains(u':'))
        return caption;
    if (caption.contains(u'@'))
        return "mailto:" + caption;
    return {};
}

void TInternetLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    if (!m_hotTrack)
        return;
    m_rememberedColor = fontColor();
    setFontColor(m_hotColor);
}

void TInternetLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (m_hotTrack)
        setFontColor(m_rememberedColor);
}

void TInternetLabel::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    // Taken here, so that the release comes back to the label.
    event->accept();
    if (m_hotTrack)
        setFontColor(m_pushedColor);
    launch();
}

void TInternetLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    event->accept();
    if (m_hotTrack)
        setFontColor(rect().contains(event->position().toPoint()) ? m_hotColor : m_rememberedColor);
}

void TInternetLabel::launch()
{
    const QString target = launchTarget(text());
    if (target.isEmpty())
        return;
    if (!m_executable) {
        ModalSeam::showMessage(window(), MessageIcon::Error, toDisplayText(messages::kNotExecutableCaption),
                               toDisplayText(messages::kNotExecutable));
        return;
    }
    setCursor(Qt::WaitCursor);
    Shell::open(target);
    // The hourglass stays while the shell starts the target; nothing else runs meanwhile.
    QThread::msleep(static_cast<unsigned long>(m_launchPause.count()));
    setCursor(Qt::PointingHandCursor);
}

} // namespace vorelind
