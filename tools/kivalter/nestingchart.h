#pragma once

#include "tools/kivalter/lineanalysis.h"

#include <QWidget>

namespace vorelind {

// The nesting level along the lines: each pixel column shows the deepest
// level of the lines it covers, a red tick marks columns holding a line that
// does not balance, and a blue line marks the current line. A click asks to
// jump to the line under the pointer.
class NestingChart : public QWidget {
    Q_OBJECT

public:
    explicit NestingChart(const LineAnalysis& analysis, QWidget* parent = nullptr);

    void setCurrentLine(int line);
    QSize sizeHint() const override;

signals:
    void lineClicked(int line);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRect plotArea() const;
    int lineAtColumn(int x) const;
    int columnOfLine(int line) const;

    const LineAnalysis& m_analysis;
    std::size_t m_maxLevel = 0;
    int m_currentLine = -1;
};

} // namespace vorelind
