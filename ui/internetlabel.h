#pragma once

#include <QColor>
#include <QLabel>

#include <chrono>

namespace vorelind {

// A text label that works as a hyperlink: it changes colour while the
// pointer is over it or presses it, and a press of any button hands its
// caption to the shell (unchanged when it holds ":", as a "mailto:" link when
// it holds "@").
class TInternetLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(bool Executable READ isExecutable WRITE setExecutable)
    Q_PROPERTY(bool HotTrack READ hotTrack WRITE setHotTrack)
    Q_PROPERTY(QColor HotColor READ hotColor WRITE setHotColor)
    Q_PROPERTY(QColor PushedColor READ pushedColor WRITE setPushedColor)

public:
    explicit TInternetLabel(QWidget* parent = nullptr);

    // Whether a press may launch the caption's target.
    bool isExecutable() const { return m_executable; }
    void setExecutable(bool executable);
    // Whether the colour follows the pointer.
    bool hotTrack() const { return m_hotTrack; }
    void setHotTrack(bool hotTrack);
    // The colour while the pointer is over the label.
    QColor hotColor() const { return m_hotColor; }
    void setHotColor(const QColor& color);
    // The colour from a press until the release.
    QColor pushedColor() const { return m_pushedColor; }
    void setPushedColor(const QColor& color);

    QColor fontColor() const;
    void setFontColor(const QColor& color);

    // The shell target for a caption; empty when a press launches nothing.
    static QString launchTarget(const QString& caption);

    // How long the label holds the hourglass after a launch; tests shorten it.
    void setLaunchPause(std::chrono::milliseconds pause) { m_launchPause = pause; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void launch();

    bool m_executable = false;
    bool m_hotTrack = true;
    QColor m_rememberedColor{0, 0, 0};
    QColor m_hotColor{128, 0, 0};
    QColor m_pushedColor{255, 0, 0};
    std::chrono::milliseconds m_launchPause{2000};
};

} // namespace vorelind
