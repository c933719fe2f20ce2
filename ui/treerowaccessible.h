#pragma once

#include <QAccessibleInterface>
#include <QModelIndex>
#include <QPointer>

namespace vorelind {

class TTreeIndent;

// One shown row of the tag tree for assistive tools: its text as its name,
// its level (from 1) as its value, its fault as its description, its place
// from its indentation on, its open or closed state, and the toggle action
// that opens or closes it.
class TreeRowAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TreeRowAccessible(TTreeIndent& tree, int row);

    int row() const { return m_row; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::TreeItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QModelIndex index() const;

    QPointer<TTreeIndent> m_tree;
    int m_row;
};

} // namespace vorelind
