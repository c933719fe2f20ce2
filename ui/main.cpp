// vorelind: the window program. A file named on the command line is opened
// once the window stands, as a double-click on it would.

#include "ui/applicationsetup.h"
#include "ui/errorreport.h"
#include "ui/htmladj.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    vorelind::setUpApplication();
    const QString file = vorelind::fileToOpen(QCoreApplication::arguments());
    vorelind::TStructedHtmlForm form(QCoreApplication::applicationFilePath());
    form.show();
    if (!file.isEmpty())
        QTimer::singleShot(0, &form, [&form, file] { vorelind::runHandler([&] { form.openFile(file); }); });
    return application.exec();
}
