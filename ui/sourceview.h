#pragma once

#include "document/sourceindex.h"
#include "ui/sourcerowmodel.h"

#include <QStackedWidget>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace vorelind {

class SourceRowView;
class SourceTextEdit;

// The source view of the original-source tab. A page within the bounds is
// shown as an editable text whose lines wrap at the view's width; a larger
// page, or one with a longer line, in read-only rows of bounded width that
// show any page at once, where a text layout would freeze the window. Both
// take offsets into the loaded bytes; the rows index the page for both.
class SourceView : public QStackedWidget {
    Q_OBJECT

public:
    // The largest page, and the longest line in it, that the text holds:
    // beyond them its loading, or the wrapping of a line at every resize,
    // takes a good part of a second (bench/run-views-benchmark.sh).
    static constexpr std::size_t kTextPageBytes = 4u << 20;
    static constexpr std::size_t kTextLineBytes = 16u << 10;
    // Whether a page is shown as text rather than in rows.
    static bool fitsTheText(std::string_view bytes);

    explicit SourceView(QWidget* parent = nullptr);

    // Shows the Shift-JIS bytes, which the view shares rather than copies.
    void setSource(std::shared_ptr<const std::string> bytes);
    // Starts indexing the whole source on the background thread, unless it
    // is indexed or being indexed.
    void indexInBackground();
    void clear();
    const SourceRowModel& rowModel() const;
    const std::shared_ptr<const std::string>& source() const;
    // The lines of the whole source, which end at CR LF pairs.
    const SourceIndex& lines();

    // Selects bytes of the source (from an offset from 0) and scrolls them into view.
    void selectBytes(std::size_t offset, std::size_t length);
    // The offset of the cursor in the loaded source.
    std::size_t cursorOffset() const;
    // The bytes last selected; none after the user moved the cursor.
    std::string_view selectedBytes() const;

    // Names the view, as assistive tools tell it, by its tab's caption.
    void setCaption(const QString& caption);

    // Whether the page is shown as text; else in rows.
    bool showsText() const;
    SourceRowView& rowView() const { return *m_rows; }
    SourceTextEdit& textView() const { return *m_text; }

private:
    void showAs(QWidget* view);

    SourceRowView* m_rows;
    SourceTextEdit* m_text;
};

} // namespace vorelind
