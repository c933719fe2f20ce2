#pragma once

#include "ui/linelistmodel.h"

#include <QListView>

#include <string>
#include <vector>

namespace vorelind {

class RowWidthDelegate;

// A list view of Shift-JIS text lines. All rows share one size, so half a
// million lines lay out at once; the shared width is that of the widest of
// the longest lines, so that long lines scroll rather than being cut.
class LineListView : public QListView {
    Q_OBJECT

public:
    explicit LineListView(QWidget* parent = nullptr);

    LineListModel& lineModel() { return m_model; }
    const std::vector<std::string>& lines() const { return m_model.lines(); }

    // The selected row, or -1 when none is selected.
    int selectedRow() const;
    // Selects a row and makes it current; -1 clears the selection.
    void selectRow(int row);

private:
    void updateRowWidth();

    LineListModel m_model;
    RowWidthDelegate* m_delegate;
};

} // namespace vorelind
