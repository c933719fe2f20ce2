#include "platform/process/shell.h"

#ifdef _WIN32
#include "platform/process/desktopopen.h"
#else
#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#endif

namespace vorelind {

namespace {

Shell::Opener& testOpener()
{
    static Shell::Opener opener;
    return opener;
}

void openWithSystem(const QString& target)
{
#ifdef _WIN32
    openWithAssociatedProgram(target.toStdString());
#else
    // A path is taken as a local file, an address with a scheme as it stands.
    QDesktopServices::openUrl(QUrl::fromUserInput(target, QDir::currentPath(), QUrl::AssumeLocalFile));
#endif
}

} // namespace

void Shell::open(const QString& target)
{
    if (testOpener())
        testOpener()(target);
    else
        openWithSystem(target);
}

void Shell::setOpener(Opener opener)
{
    testOpener() = std::move(opener);
}

} // namespace vorelind
