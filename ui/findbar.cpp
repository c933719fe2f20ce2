#include "ui/findbar.h"

#include "platform/codecs/displaytext.h"
#include "ui/findtarget.h"
#include "util/sjisfind.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <string>

namespace vorelind {

namespace {

// The query as document bytes; none when one of its characters has no
// Shift-JIS form, as "〓" would stand for it and find that mark instead.
std::optional<std::string> queryBytes(const QString& query)
{
    const QChar mark(u'〓');
    std::string bytes = fromDisplayText(query);
    if (toDisplayText(bytes).count(mark) != query.count(mark))
        return std::nullopt;
    return bytes;
}

} // namespace

FindBar::FindBar(QTabWidget& pages, QWidget* parent)
    : QWidget(parent)
    , m_pages(pages)
    , m_query(new QLineEdit(this))
    , m_matchCase(new QCheckBox(QStringLiteral("大文字と小文字を区別"), this))
    , m_count(new QLabel(this))
    , m_recount(new QTimer(this))
{
    setObjectName(QStringLiteral("FindBar"));
    m_query->setObjectName(QStringLiteral("FindText"));
    m_matchCase->setObjectName(QStringLiteral("FindMatchCase"));
    m_count->setObjectName(QStringLiteral("FindCount"));
    m_query->setPlaceholderText(QStringLiteral("検索する文字列"));
    auto* closeButton = new QToolButton(this);
    closeButton->setText(QStringLiteral("×"));
    closeButton->setToolTip(QStringLiteral("閉じる (Esc)"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_query, 1);
    layout->addWidget(m_matchCase);
    layout->addWidget(m_count);
    layout->addWidget(closeButton);
    m_recount->setSingleShot(true);
    m_recount->setInterval(0);

    // A changed query is sought from the current item on, which it keeps
    // while that still matches.
    const auto searchAfresh = [this] {
        forgetMatches();
        go(Step::AtOrAfter);
    };
    connect(m_query, &QLineEdit::textEdited, this, searchAfresh);
    connect(m_matchCase, &QCheckBox::toggled, this, searchAfresh);
    connect(m_query, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(closeButton, &QToolButton::clicked, this, &FindBar::close);
    // Esc closes the open bar wherever the focus is in the window; the
    // shortcut of a hidden bar takes no key.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &FindBar::close);
    connect(&m_pages, &QTabWidget::currentChanged, m_recount, qOverload<>(&QTimer::start));
    connect(m_recount, &QTimer::timeout, this, &FindBar::refresh);
    hide();
}

FindBar::~FindBar() = default;

void FindBar::addTarget(QWidget& page, std::unique_ptr<FindTarget> target)
{
    // Only a new content resets the models; expanding the tree, say, resets
    // it too, and then its matches are only found again.
    connect(target->view().model(), &QAbstractItemModel::modelReset, this, [this] {
        forgetMatches();
        m_recount->start();
    });
    m_targets[&page] = std::move(target);
}

void FindBar::open()
{
    if (!shownTarget())
        return;
    show();
    m_query->setFocus();
    m_query->selectAll();
    refresh();
}

void FindBar::findNext()
{
    go(Step::After);
}

void FindBar::findPrevious()
{
    go(Step::Before);
}

FindTarget* FindBar::shownTarget() const
{
    const auto found = m_targets.find(m_pages.currentWidget());
    return found == m_targets.end() ? nullptr : found->second.get();
}

void FindBar::go(Step step)
{
    if (!shownTarget())
        return;
    if (m_query->text().isEmpty()) {
        open();
        return;
    }
    show();
    const FindMatches* found = matches();
    if (!found) {
        refresh();
        return;
    }
    FindTarget& target = *shownTarget();
    const std::optional<std::size_t> current = target.currentItem();
    std::optional<std::size_t> match;
    if (step == Step::Before)
        match = found->before(current.value_or(0));
    else if (step == Step::After && current)
        match = found->after(*current);
    else
        match = found->atOrAfter(current.value_or(0));
    if (match)
        target.reveal(*match, find());
    refresh();
}

void FindBar::close()
{
    hide();
    if (FindTarget* target = shownTarget())
        target->view().setFocus();
}

SjisFind FindBar::find() const
{
    const std::optional<std::string> query = queryBytes(m_query->text());
    return SjisFind(query.value_or(std::string()), m_matchCase->isChecked());
}

const FindMatches* FindBar::matches()
{
    FindTarget* target = shownTarget();
    if (!target)
        return nullptr;
    if (m_matches && m_matchesTarget == target)
        return &*m_matches;
    const SjisFind query = find();
    m_matches.emplace(target->itemCount(), [&](std::size_t item) { return target->matches(item, query); });
    m_matchesTarget = target;
    return &*m_matches;
}

void FindBar::forgetMatches()
{
    m_matches.reset();
    m_matchesTarget = nullptr;
}

// The count reads "3 / 120 件" on a match, "120 件" elsewhere, nothing
// without a query.
void FindBar::refresh()
{
    setEnabled(shownTarget() != nullptr);
    const FindMatches* found = isVisible() && !m_query->text().isEmpty() ? matches() : nullptr;
    if (!found) {
        m_count->clear();
        return;
    }
    const std::optional<std::size_t> current = shownTarget()->currentItem();
    const QString total = QStringLiteral("%1 件").arg(found->count());
    const bool onMatch = current && found->count() > 0 && found->atOrAfter(*current) == current;
    m_count->setText(onMatch ? QStringLiteral("%1 / %2").arg(found->ordinal(*current)).arg(total) : total);
}

} // namespace vorelind
