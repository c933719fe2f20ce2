#pragma once

#include <QByteArray>
#include <QProcess>
#include <QTest>

#include <initializer_list>
#include <string>
#include <string_view>

// Joins lines with CR LF between them, as the listing holds them.
inline std::string crlfJoined(std::initializer_list<std::string_view> lines)
{
    std::string text;
    bool first = true;
    for (const std::string_view line : lines) {
        if (!first)
            text += "\r\n";
        text += line;
        first = false;
    }
    return text;
}

// Lets QCOMPARE print byte strings.
inline QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// What one of the project's programs did: its exit status and output.
struct ProgramRun {
    int exitCode;
    QByteArray out;
    QString err;
};

// Runs a program of the build's bin folder to its end.
inline ProgramRun runProgram(const QString& name, const QStringList& arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("VORELIND_BIN_DIR") + "/" + name, arguments);
    if (!process.waitForFinished(30000))
        qFatal("%s did not finish", qPrintable(name));
    return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

Q_DECLARE_METATYPE(std::string)
