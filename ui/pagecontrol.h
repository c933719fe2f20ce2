#pragma once

#include <QTabWidget>

namespace vorelind {

// The main window's tabs, on a tab bar that keeps every tab in sight
// (PageTabBar).
class PageControl : public QTabWidget {
    Q_OBJECT

public:
    explicit PageControl(QWidget* parent = nullptr);
};

} // namespace vorelind
