#pragma once

#include "document/listingmarks.h"
#include "ui/sourcejump.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace vorelind {

class ListingModel;
class SourceView;
class TTreeIndent;

// The marks of the tags that do not balance: after each run the tree's
// nodes and the listing's lines that hold them are tinted and counted, as
// soon as the background thread has found them, and the user steps from
// mark to mark, told where each lies in the source.
class FaultMarks {
public:
    FaultMarks(SourceJump& places, TTreeIndent& tree, ListingModel& listing, SourceView& source, QLabel& status);

    // Starts finding the unbalanced tags of a loaded source under a rule set
    // on the background thread, so that the analysis runs beside the window's other work.
    void analyse(std::shared_ptr<const std::string> source, ExcludedTags excluded, TagRules rules);
    // Starts finding the rows of the analysed tags in the listing that the
    // walk of that source with the same list made, and marks them in the
    // views once they are found. The views show that listing already.
    void locate(std::shared_ptr<const Listing> listing);
    // Marks the located tags in the views now, waiting for them if they are
    // still to come; the listing may change only after that, as the placing reads it.
    void mark();
    void clear();

    // Goes to the next or previous mark from the view's current row; the
    // status says so when the way wraps round the end.
    void goToNext(StructureView view);
    void goToPrevious(StructureView view);
    // Goes to the first mark of the source, wherever the view stands.
    void goToFirst(StructureView view);

    // The faults of the marks on a listing row, each as kind, name and
    // LINE:COL, for the views to describe the row; empty for an unmarked row.
    QString faultsOfRow(std::size_t row);

private:
    // The marks and the rows that hold them, each row once.
    struct Located {
        ListingMarks marks;
        std::vector<std::size_t> rows;
    };

    void goTo(StructureView view, std::optional<std::size_t> mark, bool forward);
    // Shows the mark's row and names it on the status line, with a notice after it.
    void showMark(StructureView view, std::size_t mark, const QString& notice);
    // Whether going on from the row (and the mark visited on it) came round
    // the end to the mark.
    bool wrapsTo(std::size_t mark, std::optional<std::size_t> row, bool forward) const;
    // Brings the status back to the count once the view's current row is
    // not the visited mark's any more.
    void leaveMark(StructureView view);
    // "LINE:COL" of a source offset, the column in characters.
    QString placeText(std::size_t offset);
    QString countText() const;

    SourceJump& m_places;
    TTreeIndent& m_tree;
    ListingModel& m_listing;
    SourceView& m_source;
    QLabel& m_status;
    QFuture<std::vector<UnbalancedTag>> m_analysis;
    QFuture<Located> m_located; // invalid once marked
    QFutureWatcher<Located> m_locatedDone;
    ListingMarks m_marks;
    std::optional<std::size_t> m_visited;
};

// The status line's name of a rule set: "HTML 規則" or "XML 規則".
QString rulesStatusText(TagRules rules);

} // namespace vorelind
