#include "ui/faultmarks.h"

#include "document/lineindex.h"
#include "document/listing.h"
#include "platform/codecs/displaytext.h"
#include "ui/backgroundwork.h"
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
}

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
    goTo(view, m_marks.next(m_places.currentRow(view), m_visited));
}

void FaultMarks::goToPrevious(StructureView view)
{
    mark();
    goTo(view, m_marks.previous(m_places.currentRow(view), m_visited));
}

void FaultMarks::goToFirst(StructureView view)
{
    mark();
    goTo(view, m_marks.next(std::nullopt, std::nullopt));
}

void FaultMarks::goTo(StructureView view, std::optional<std::size_t> mark)
{
    if (!mark)
        return;
    m_visited = mark;
    const MarkedTag marked = m_marks[*mark];
    m_places.showRow(view, marked.row);
    const QString kind = marked.tag.side == TagSide::Start ? QStringLiteral("閉じていない開始タグ")
                                                           : QStringLiteral("対応のない終了タグ");
    m_status.setText(QStringLiteral("不一致タグ %1/%2  %3  %4 %5")
                         .arg(*mark + 1)
                         .arg(m_marks.count())
                         .arg(QString::fromStdString(lineColumnText(m_source.lines().at(marked.tag.offset))), kind,
                              toDisplayText(marked.tag.name)));
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
