#pragma once

#include "ui/sourcerowmodel.h"

#include <QListView>

#include <memory>
#include <string>

namespace vorelind {

class RowWidthDelegate;

// The source view of the original-source tab: a read-only list of the
// source's rows. All rows share one size, so a page of any length lays out
// at once, and a line without breaks, however long, is shown over rows of
// bounded width instead of one text layout that would freeze the window.
class SourceView : public QListView {
    Q_OBJECT

public:
    explicit SourceView(QWidget* parent = nullptr);

    // Shows the Shift-JIS bytes, which the view shares rather than copies.
    void setSource(std::shared_ptr<const std::string> bytes);
    void clear();
    const SourceRowModel& rowModel() const { return m_model; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateRowWidth();

    SourceRowModel m_model;
    RowWidthDelegate* m_delegate;
};

} // namespace vorelind
