#pragma once

#include <QAccessibleWidget>

#include <memory>
#include <unordered_map>

namespace vorelind {

class TTreeIndent;

// What the tag tree tells assistive tools: a tree whose items are its
// shown rows, each with its level, its open or closed state and its fault.
// The flat model leaves the stock interface a plain list, so this one stands
// in for it. Child 0 is the header, as in the index of the view's own focus
// and selection events; child n is row n - 1. A row's interface is made
// when it is asked for and dropped once the rows change, so the interface
// costs nothing per row of a tree of any size.
class TreeAccessible : public QAccessibleWidget {
public:
    explicit TreeAccessible(TTreeIndent& tree);
    ~TreeAccessible() override;

    // The interface of a tree, or null for any other object; for
    // QAccessible::installFactory.
    static QAccessibleInterface* forObject(const QString& className, QObject* object);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    TTreeIndent& tree() const;
    void forgetRows() const;
    // Tells the tools that the row was opened or closed.
    void announceBranch(int row) const;

    mutable std::unordered_map<int, QAccessible::Id> m_rows;
    // Holds the connections to the model, which end with this interface.
    std::unique_ptr<QObject> m_modelWatch;
};

} // namespace vorelind
