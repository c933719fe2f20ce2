#include "ui/faultmarks.h"

#include "document/listing.h"
#include "document/sourceindex.h"
#include "platform/codecs/displaytext.h"
#include "ui/backgroundwork.h"
#include "ui/linelistview.h"
#include "ui/listingmodel.h"
#include "ui/sourceview.h"
#include "ui/treeindent.h"

#include <QLabel>

namespace vorelind {

FaultMarks::FaultMarks(SourceJump& places, TTreeIndent& tree, ListingModel& listing, SourceView& source,
                       QLabel& status)
    : m_places(places)
    , m_tree(tree)
    , m_listing(listing)
    , m_source(source)
    , m_status(status)
{
    QObject::connect(&m_locatedDone, &QFutureWatcherBase::finished, [this] { mark(); });
    QObject::connect(m_tree.selectionModel(), &QItemSelectionModel::currentChanged,
                     [this] { leaveMark(StructureView::Tree); });
    QObject::connect(m_places.listingView().selectionModel(), &QItemSelectionModel::currentChanged,
                     [this] { leaveMark(StructureView::Listing); });
    // The tree keeps the nodes of the last run while the next one loads.
    m_tree.indentModel().setMarkDescription(
        [this](NodeId node) { return m_places.listing() ? faultsOfRow(m_places.rowOfNode(node)) : QString(); });
    m_listing.setMarkDescription([this](std::size_t row) { return faultsOfRow(row); });
}

namespace {

QString faultText(const UnbalancedTag& tag)
{
    const QString kind = tag.side == TagSide::Start ? QStringLiteral("閉じていない開始タグ")
                                                    : QStringLiteral("対応のない終了タグ");
    return kind + QLatin1Char(' ') + toDisplayText(tag.name);
}

} // namespace

void FaultMarks::analyse(std::shared_ptr<const std::string> source, ExcludedTags excluded, TagRules rules)
{
    m_analysis = runInBackground([source = std::move(source), excluded = std::move(excluded), rules] {
        return unbalancedTags(*source, excluded, rules);
    });
}

void FaultMarks::locate(std::shared_ptr<const Listing> listing)
{
    auto placeMarks = [analysis = std::move(m_analysis), listing = std::move(listing)]() mutable {
        ListingMarks marks(*listing, analysis.takeResult());
        std::vector<std::size_t> rows = marks.rows();
        return Located{std::move(marks), std::move(rows)};
    };
    m_located = runInBackground(std::move(placeMarks));
    m_locatedDone.setFuture(m_located);
}

void FaultMarks::mark()
{
    if (!m_located.isValid())
        return;
    Located located = m_located.takeResult();
    m_marks = std::move(located.marks);
    m_visited.reset();
    m_tree.indentModel().setMarkedNodes(m_places.nodesOfRows(located.rows));
    m_listing.setMarkedRows(std::move(located.rows));
    m_status.setText(countText());
}

void FaultMarks::clear()
{
    m_analysis = {};
    m_located = {};
    m_locatedDone.setFuture(m_located);
    m_marks = ListingMarks();
    m_visited.reset();
    m_status.clear();
}

void FaultMarks::goToNext(StructureView view)
{
    mark();
    goTo(view, m_marks.next(m_places.currentRow(view), m_visited), true);
}

void FaultMarks::goToPrevious(StructureView view)
{
    mark();
    goTo(view, m_marks.previous(m_places.currentRow(view), m_visited), false);
}

void FaultMarks::goToFirst(StructureView view)
{
    mark();
    if (const std::optional<std::size_t> first = m_marks.next(std::nullopt, std::nullopt))
        showMark(view, *first, QString());
}

QString FaultMarks::faultsOfRow(std::size_t row)
{
    QStringList faults;
    std::size_t mark = m_marks.firstFrom(row);
    for (; mark < m_marks.count() && m_marks[mark].row == row; ++mark)
        faults << faultText(m_marks[mark].tag) + QLatin1Char(' ') + placeText(m_marks[mark].tag.offset);
    return faults.join(QStringLiteral("、"));
}

void FaultMarks::goTo(StructureView view, std::optional<std::size_t> mark, bool forward)
{
    if (!mark)
        return;
    const bool wrapped = wrapsTo(*mark, m_places.currentRow(view), forward);
    showMark(view, *mark,
             !wrapped ? QString() : forward ? QStringLiteral("先頭に戻りました") : QStringLiteral("末尾に戻りました"));
}

void FaultMarks::showMark(StructureView view, std::size_t mark, const QString& notice)
{
    const MarkedTag marked = m_marks[mark];
    m_places.showRow(view, marked.row);
    // Set once the row is shown, so that moving there does not leave the mark.
    m_visited = mark;
    QString text = QStringLiteral("不一致タグ %1/%2  %3  %4")
                       .arg(mark + 1)
                       .arg(m_marks.count())
                       .arg(placeText(marked.tag.offset), faultText(marked.tag));
    if (!notice.isEmpty())
        text += QStringLiteral("  ") + notice;
    m_status.setText(text);
}

bool FaultMarks::wrapsTo(std::size_t mark, std::optional<std::size_t> row, bool forward) const
{
    if (!row)
        return false;
    const std::size_t markRow = m_marks[mark].row;
    if (markRow != *row)
        return forward ? markRow < *row : markRow > *row;
    // On the row itself: going on from a mark visited there, or past the row.
    if (!m_visited || m_marks[*m_visited].row != *row)
        return true;
    return forward ? mark <= *m_visited : mark >= *m_visited;
}

void FaultMarks::leaveMark(StructureView view)
{
    if (!m_visited || m_places.currentRow(view) == m_marks[*m_visited].row)
        return;
    m_visited.reset();
    m_status.setText(countText());
}

QString FaultMarks::placeText(std::size_t offset)
{
    return QString::fromStdString(lineColumnText(m_source.lines().characterAt(*m_source.source(), offset)));
}

QString FaultMarks::countText() const
{
    return QStringLiteral("不一致タグ %1 個").arg(m_marks.count());
}

QString rulesStatusText(TagRules rules)
{
    return rules == TagRules::Html ? QStringLiteral("HTML 規則") : QStringLiteral("XML 規則");
}

} // namespace vorelind
