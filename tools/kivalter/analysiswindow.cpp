#include "tools/kivalter/analysiswindow.h"

#include "platform/codecs/displaytext.h"
#include "tools/kivalter/linetablemodel.h"
#include "tools/kivalter/nestingchart.h"
#include "tools/kivalter/tagsummarymodel.h"

#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace vorelind {

namespace {

constexpr QSize kDesignedSize(1040, 720);
// Room for the window's frame and title bar, which the toolkit does not count.
constexpr QMargins kFrameAllowance(8, 40, 8, 8);
constexpr int kDetailLines = 3;

QWidget* framed(const QString& caption, QWidget* content)
{
    auto* box = new QGroupBox(caption);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(content);
    return box;
}

// Uniform row heights keep a table of many thousand lines quick.
void useCompactRows(QTableView* view)
{
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->horizontalHeader()->setStretchLastSection(true);
}

} // namespace

AnalysisWindow::AnalysisWindow(LineAnalysis analysis, const QString& title, QWidget* parent)
    : QMainWindow(parent)
    , m_analysis(std::move(analysis))
    , m_tagClicks(m_analysis.tags().size(), 0)
{
    setWindowTitle(title.isEmpty() ? QStringLiteral("kivalter") : title);
    auto* lower = new QSplitter(Qt::Horizontal);
    lower->addWidget(framed(QStringLiteral("タグ（クリックでその行へ）"), createTagView()));
    lower->addWidget(framed(QStringLiteral("行ごとの入れ子の深さ"), createChart()));
    lower->setStretchFactor(1, 1);
    lower->setSizes({500, 540});
    auto* whole = new QSplitter(Qt::Vertical);
    whole->addWidget(createLinePane());
    whole->addWidget(lower);
    whole->setStretchFactor(0, 3);
    whole->setStretchFactor(1, 1);
    setCentralWidget(whole);
    createActions();
    showTotals();
    fitScreen();
}

// The designed size, made smaller where the screen is, and centred on it.
void AnalysisWindow::fitScreen()
{
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen) {
        resize(kDesignedSize);
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize size = kDesignedSize.boundedTo(available.size().shrunkBy(kFrameAllowance));
    resize(size);
    move(available.center() - QPoint(size.width() / 2, size.height() / 2) -
         QPoint(kFrameAllowance.left(), kFrameAllowance.top()) / 2);
}

// The table of the lines over the whole text of the current line.
QWidget* AnalysisWindow::createLinePane()
{
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(createLineView(), 1);
    layout->addWidget(createDetailLine());
    return pane;
}

// The whole text of the current line, wrapped, for lines longer than the table shows.
QWidget* AnalysisWindow::createDetailLine()
{
    m_detailLine = new QPlainTextEdit;
    m_detailLine->setObjectName("detail");
    m_detailLine->setReadOnly(true);
    m_detailLine->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_detailLine->setPlaceholderText(QStringLiteral("行を選ぶと、その行の全文がここに出ます"));
    m_detailLine->setFixedHeight(m_detailLine->fontMetrics().lineSpacing() * kDetailLines +
                                 2 * m_detailLine->frameWidth() + 8);
    return m_detailLine;
}

void AnalysisWindow::showDetail(int line)
{
    const std::string_view text = m_analysis.text(static_cast<std::size_t>(line));
    m_detailLine->setPlainText(QStringLiteral("%1行目: ").arg(line + 1) + toDisplayText(text));
}

QWidget* AnalysisWindow::createLineView()
{
    m_lineModel = new LineTableModel(m_analysis, this);
    m_lineView = new QTableView;
    m_lineView->setObjectName("lines");
    m_lineView->setModel(m_lineModel);
    useCompactRows(m_lineView);
    const int widths[] = {64, 48, 92, 80, 96};
    for (int column = 0; column < LineTableModel::TextColumn; ++column)
        m_lineView->setColumnWidth(column, widths[column]);
    connect(m_lineView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                m_chart->setCurrentLine(current.row());
                showDetail(current.row());
            });
    return m_lineView;
}

QWidget* AnalysisWindow::createTagView()
{
    m_tagModel = new TagSummaryModel(m_analysis, this);
    m_sortedTags = new QSortFilterProxyModel(this);
    m_sortedTags->setSourceModel(m_tagModel);
    m_tagView = new QTableView;
    m_tagView->setObjectName("tags");
    m_tagView->setModel(m_sortedTags);
    useCompactRows(m_tagView);
    m_tagView->setSortingEnabled(true);
    m_tagView->sortByColumn(TagSummaryModel::TagColumn, Qt::AscendingOrder);
    m_tagView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tagView->setMinimumWidth(300);
    connect(m_tagView, &QTableView::clicked, this, &AnalysisWindow::goToTagLine);
    connect(m_tagView, &QTableView::activated, this, &AnalysisWindow::goToTagLine);
    return m_tagView;
}

QWidget* AnalysisWindow::createChart()
{
    m_chart = new NestingChart(m_analysis);
    m_chart->setObjectName("chart");
    connect(m_chart, &NestingChart::lineClicked, this, &AnalysisWindow::goToLine);
    return m_chart;
}

void AnalysisWindow::createActions()
{
    QToolBar* bar = addToolBar(QStringLiteral("移動"));
    bar->setMovable(false);
    QAction* previous = bar->addAction(QStringLiteral("前の不一致"), this, [this] { goToUnmatched(-1); });
    previous->setShortcut(Qt::SHIFT | Qt::Key_F3);
    previous->setToolTip(QStringLiteral("対応の取れていない前の行へ (Shift+F3)"));
    QAction* next = bar->addAction(QStringLiteral("次の不一致"), this, [this] { goToUnmatched(1); });
    next->setShortcut(Qt::Key_F3);
    next->setToolTip(QStringLiteral("対応の取れていない次の行へ (F3)"));
    const bool anyUnmatched = m_analysis.unclosed() + m_analysis.stray() > 0;
    previous->setEnabled(anyUnmatched);
    next->setEnabled(anyUnmatched);
}

void AnalysisWindow::goToLine(int line)
{
    const QModelIndex index = m_lineModel->index(line, LineTableModel::TextColumn);
    m_lineView->setCurrentIndex(index);
    m_lineView->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_lineView->setFocus();
}

void AnalysisWindow::goToTagLine(const QModelIndex& sortedIndex)
{
    const auto row = static_cast<std::size_t>(m_sortedTags->mapToSource(sortedIndex).row());
    const TagSummary& tag = m_analysis.tags()[row];
    const bool unmatchedOnly = !tag.unmatchedLines.empty();
    const std::vector<std::uint32_t>& targets = unmatchedOnly ? tag.unmatchedLines : tag.lines;
    const std::size_t at = m_tagClicks[row]++ % targets.size();
    goToLine(static_cast<int>(targets[at]));
    statusBar()->showMessage(QStringLiteral("%1: %2行目 (%5%4件中%3件目)")
                                 .arg(toDisplayText(tag.tag))
                                 .arg(targets[at] + 1)
                                 .arg(at + 1)
                                 .arg(targets.size())
                                 .arg(unmatchedOnly ? QStringLiteral("不一致") : QString()));
}

void AnalysisWindow::goToUnmatched(int direction)
{
    const auto count = static_cast<long long>(m_analysis.lineCount());
    const long long current = m_lineView->currentIndex().isValid() ? m_lineView->currentIndex().row()
                                                                    : (direction > 0 ? -1 : count);
    for (long long step = 1; step <= count; ++step) {
        const long long line = ((current + direction * step) % count + count) % count;
        if (isUnmatched(m_analysis.balance(static_cast<std::size_t>(line)))) {
            goToLine(static_cast<int>(line));
            return;
        }
    }
}

void AnalysisWindow::showTotals()
{
    auto* totals = new QLabel(QStringLiteral("%1行、閉じていないタグ %2、対応のない終了タグ %3")
                                  .arg(m_analysis.lineCount())
                                  .arg(m_analysis.unclosed())
                                  .arg(m_analysis.stray()));
    statusBar()->addPermanentWidget(totals);
}

} // namespace vorelind
