#include "ui/pagecontrol.h"

#include "ui/pagetabbar.h"

namespace vorelind {

PageControl::PageControl(QWidget* parent)
    : QTabWidget(parent)
{
    setTabBar(new PageTabBar(this));
    // Set after the bar, which the tab widget makes expanding. The bar spans
    // the widget; its tabs keep their own widths.
    tabBar()->setExpanding(false);
}

} // namespace vorelind
