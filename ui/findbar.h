#pragma once

#include "util/findmatches.h"

#include <QWidget>

#include <map>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTimer;

namespace vorelind {

class FindTarget;
class SjisFind;

// The find bar under the tabs: it searches the view of the page shown,
// as the user types from the current item on, and with the next and
// previous commands, wrapping round; it shows how many items match. The
// query is turned into Shift-JIS once and matched on the views' bytes.
class FindBar : public QWidget {
    Q_OBJECT

public:
    explicit FindBar(QTabWidget& pages, QWidget* parent = nullptr);
    ~FindBar() override;

    // The target is searched while its page is shown.
    void addTarget(QWidget& page, std::unique_ptr<FindTarget> target);

    // Shows the bar with its query selected for typing; not on a page
    // without a target.
    void open();
    // Goes to the next or previous match; without a query it opens the bar.
    void findNext();
    void findPrevious();

private:
    enum class Step { AtOrAfter, After, Before };

    FindTarget* shownTarget() const;
    // The query as it stands, with the case option.
    SjisFind find() const;
    void go(Step step);
    void close();
    // The matches of the query in the shown target, found once per query,
    // target and content.
    const FindMatches* matches();
    void forgetMatches();
    // Enables the bar on a page with a target and shows the count of its matches.
    void refresh();

    QTabWidget& m_pages;
    QLineEdit* m_query;
    QCheckBox* m_matchCase;
    QLabel* m_count;
    // Counts afresh once a page change or a new content has settled.
    QTimer* m_recount;
    std::map<const QWidget*, std::unique_ptr<FindTarget>> m_targets;
    std::optional<FindMatches> m_matches;
    const FindTarget* m_matchesTarget = nullptr;
};

} // namespace vorelind
