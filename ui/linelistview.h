#pragma once

#include "ui/linelistmodel.h"

#include "ui/numberedlistview.h"

#include <string>
#include <vector>

namespace vorelind {

class RowWidthDelegate;

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

protected:
    void doItemsLayout() override;

private:
    void updateRowWidth();

    void showRows(LineRowsModel& rows);

    LineListModel m_model;
    LineRowsModel* m_rows = nullptr;
    RowWidthDelegate* m_delegate;
    bool m_rowWidthStale = true;
};

} // namespace vorelind
