#pragma once

#include "ui/linelistmodel.h"

#include "ui/numberedlistview.h"
#include "ui/rowwidthdelegate.h"

#include <optional>
#include <string>
#include <vector>

namespace vorelind {

// A list view of Shift-JIS text lines. All rows share one size, so half a
// million lines lay out at once; the shared width is that of the widest of
// the longest lines, so that long lines scroll rather than being cut.
class LineListView : public NumberedListView {
    Q_OBJECT

public:
    explicit LineListView(QWidget* parent = nullptr);

    // The view's own lines, shown unless other rows are set.
    LineListModel& lineModel() { return m_model; }
    const std::vector<std::string>& lines() const { return m_model.lines(); }
    // Shows the rows of another model, which must outlive the view.
    void setRowsModel(LineRowsModel& rows);

    // The selected row, or -1 when none is selected.
    int selectedRow() const;
    // Selects a row and makes it current; -1 clears the selection.
    void selectRow(int row);
    // Shows bytes of a row's text after its blanks, from a start, as the
    // found text, until another row becomes current or the rows change.
    void markMatch(int row, std::size_t start, std::size_t length);
    // The part of the row's text shown as found, if any.
    std::optional<TextPart> markedPart(const QModelIndex& index) const;

protected:
    void doItemsLayout() override;

private:
    void updateRowWidth();

    void showRows(LineRowsModel& rows);

    struct Match {
        int row;
        std::size_t start;
        std::size_t length;
    };

    void forgetMatch();

    LineListModel m_model;
    LineRowsModel* m_rows = nullptr;
    RowWidthDelegate* m_delegate;
    bool m_rowWidthStale = true;
    std::optional<Match> m_match;
};

} // namespace vorelind
