#pragma once

#include <QTabBar>

class QHelpEvent;

namespace vorelind {

// The tab bar of the main window. When the captions don't fit, the longest
// ones are drawn shortened to a common width, so that every tab stays in
// sight and the short captions stay whole; a tab's tooltip shows its own
// tooltip, or else its whole caption.
class PageTabBar : public QTabBar {
    Q_OBJECT

public:
    explicit PageTabBar(QWidget* parent = nullptr);

    // As wide as the tab widget, so that the tabs are laid out again
    // whenever its width changes.
    QSize sizeHint() const override;
    // The tabs fit any width, so they never hold the window wide.
    QSize minimumSizeHint() const override;

    // The caption as drawn in that width. A file name in 「」 loses its
    // extension first and then its middle, so that the start and the end
    // that tell files apart stay; any other caption loses its middle.
    static QString fittedCaption(const QString& caption, const QFontMetrics& metrics, int width);

protected:
    bool event(QEvent* event) override;
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void initStyleOption(QStyleOptionTab* option, int index) const override;

private:
    void showCaption(const QHelpEvent& event);
    int availableWidth() const;
    // The widest a tab may be so that all fit: the long captions share what
    // the short ones leave.
    int widthCap() const;
};

} // namespace vorelind
