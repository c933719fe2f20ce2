// vorelind: the window program.

#include "ui/applicationsetup.h"
#include "ui/htmladj.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    vorelind::setUpApplication();
    vorelind::TStructedHtmlForm form(QCoreApplication::applicationFilePath());
    form.show();
    return application.exec();
}
