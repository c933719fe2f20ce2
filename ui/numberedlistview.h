#pragma once

#include <QListView>

#include <cstddef>
#include <functional>

namespace vorelind {

// A list view that can show a column of line numbers left of its rows.
// Only the rows in sight are numbered, at each paint, so the column costs
// nothing per row of the model, however many there are.
class NumberedListView : public QListView {
    Q_OBJECT

public:
    explicit NumberedListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // The number of a row, or 0 for a row that shows none.
    using RowNumber = std::function<std::size_t(int row)>;
    // Shows before every row the number it is given; the column is as wide
    // as the largest number that can come.
    void showLineNumbers(RowNumber numberOfRow, std::function<std::size_t()> largestNumber);
    // The number shown before a row; 0 for none.
    std::size_t numberShownAt(int row) const { return m_numberOfRow ? m_numberOfRow(row) : 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    void updateLineNumberWidth();
    void placeLineNumbers();
    void paintLineNumbers();

    QWidget* m_lineNumbers;
    RowNumber m_numberOfRow;
    std::function<std::size_t()> m_largestNumber;
};

} // namespace vorelind
