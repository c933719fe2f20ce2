#pragma once

#include "tools/kivalter/lineanalysis.h"

#include <QMainWindow>

#include <vector>

class QLabel;
class QPlainTextEdit;
class QModelIndex;
class QSortFilterProxyModel;
class QTableView;

namespace vorelind {

class LineTableModel;
class NestingChart;
class TagSummaryModel;

// The tool's one window: the table of the lines above, the per-tag summary
// and the nesting chart below. A click on a tag goes to its unmatched lines
// (or, when it has none, to all its lines) one after the other.
class AnalysisWindow : public QMainWindow {
    Q_OBJECT

public:
    AnalysisWindow(LineAnalysis analysis, const QString& title, QWidget* parent = nullptr);

private:
    QWidget* createLinePane();
    QWidget* createLineView();
    QWidget* createTagView();
    QWidget* createChart();
    QWidget* createDetailLine();
    void fitScreen();
    void showDetail(int line);
    void createActions();
    void goToLine(int line);
    void goToTagLine(const QModelIndex& sortedIndex);
    void goToUnmatched(int direction);
    void showTotals();

    const LineAnalysis m_analysis;
    LineTableModel* m_lineModel = nullptr;
    QTableView* m_lineView = nullptr;
    TagSummaryModel* m_tagModel = nullptr;
    QSortFilterProxyModel* m_sortedTags = nullptr;
    QTableView* m_tagView = nullptr;
    NestingChart* m_chart = nullptr;
    QPlainTextEdit* m_detailLine = nullptr;
    // Per tag: how many of its lines the clicks have gone through.
    std::vector<std::size_t> m_tagClicks;
};

} // namespace vorelind
