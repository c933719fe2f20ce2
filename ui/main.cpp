// vorelind: the window program. A file named on the command line is opened
// once the window stands, as a double-click on it would.

#include "ui/applicationsetup.h"
#include "ui/commandline.h"
#include "ui/errorreport.h"
#include "ui/htmladj.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <iostream>

namespace {

constexpr int kUsageError = 2;

} // namespace

int main(int argc, char* argv[])
{
    using vorelind::CommandLine;
    const CommandLine line = vorelind::readCommandLine({argv + std::min(argc, 1), argv + argc});
    switch (line.action) {
    case CommandLine::Action::Help:
        std::cout << vorelind::commandLineUsage();
        return 0;
    case CommandLine::Action::Version:
        std::cout << "vorelind " VORELIND_VERSION "\n";
        return 0;
    case CommandLine::Action::UsageError:
        std::cerr << "vorelind: " << line.error << "\nTry 'vorelind --help' for more information.\n";
        return kUsageError;
    case CommandLine::Action::Open:
        break;
    }
    // The toolkit sees the program's name alone: it takes arguments such as
    // -platform, -stylesheet or -platformpluginpath as its own options, and
    // a folder's file names may be passed here unchecked.
    char programName[] = "vorelind";
    char* toolkitArgv[] = {argc > 0 ? argv[0] : programName, nullptr};
    int toolkitArgc = 1;
    QApplication application(toolkitArgc, toolkitArgv);
    vorelind::setUpApplication();
    const std::filesystem::path file = vorelind::fileToOpen(line.file);
    vorelind::TStructedHtmlForm form(QCoreApplication::applicationFilePath());
    form.show();
    if (!file.empty())
        QTimer::singleShot(0, &form, [&form, file] { vorelind::runHandler([&] { form.openFile(file); }); });
    return application.exec();
}
