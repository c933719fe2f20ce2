#include "platform/process/processlauncher.h"

#include "platform/codecs/displaytext.h"
#include "util/commandline.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>

namespace vorelind {

namespace {

QString utf8Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// How long an application that quits waits at most for a running program to
// say that it has read its input.
constexpr int kInputReadWaitMs = 10000;

// A process that can be left running: destroying a QProcess that runs kills
// its program, so one that is let run is marked as not running first.
class ToolProcess : public QProcess {
public:
    void letRun() { setProcessState(QProcess::NotRunning); }
};

// Waits, the event loop stopped, until the program has written on its
// standard output (kivalter writes a line once it has read its work file),
// or has ended, or the time is up.
void waitUntilInputRead(QProcess& process, const bool& inputRead)
{
    const QDeadlineTimer deadline(kInputReadWaitMs);
    while (!inputRead && process.state() != QProcess::NotRunning) {
        if (!process.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return;
    }
}

// The program file for the command's first word; empty when none is found.
QString findProgram(const QString& name)
{
    if (name.contains('/') || name.contains('\\'))
        return name;
    const QString beside = QStandardPaths::findExecutable(name, {QCoreApplication::applicationDirPath()});
    return beside.isEmpty() ? QStandardPaths::findExecutable(name) : beside;
}

// The arguments, split by the rules of a Windows program's start-up code,
// quotes included.
void setArguments(QProcess& process, std::string_view commandLine)
{
    const std::vector<std::string> words = splitCommandLine(commandLine);
    QStringList arguments;
    for (std::size_t i = 1; i < words.size(); ++i)
        arguments << utf8Text(words[i]);
    process.setArguments(arguments);
}

} // namespace

void runAndWait(const std::string& commandLine)
{
    const std::vector<std::string> words = splitCommandLine(commandLine);
    if (words.empty())
        return;
    const QString program = findProgram(utf8Text(words.front()));
    if (program.isEmpty())
        return;

    ToolProcess process;
    process.setProgram(program);
    setArguments(process, commandLine);
    // The program's standard output tells when it has read its input.
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);

    QEventLoop waiting;
    bool inputRead = false;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &waiting, [&] {
        process.readAllStandardOutput();
        inputRead = true;
    });
    QObject::connect(&process, &QProcess::finished, &waiting, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &waiting, [&waiting](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            waiting.quit();
    });
    process.start();
    if (process.state() == QProcess::NotRunning)
        return;
    waiting.exec();
    // The wait ends with the program still running only when the application
    // quits: the program outlives it, once it has read its input.
    if (process.state() != QProcess::NotRunning) {
        waitUntilInputRead(process, inputRead);
        process.letRun();
    }
}

} // namespace vorelind
