#pragma once

// Runs of the stand-in tool, built as "kivalter" beside the tests, where the
// launch looks first. It records into a file of a temporary folder the
// arguments it received and the work file as it found it.

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

class FakeToolRun {
public:
    explicit FakeToolRun(int pauseMs = 0)
    {
        qputenv("VORELIND_FAKE_RECORD", recordPath().toLocal8Bit());
        qputenv("VORELIND_FAKE_PAUSE_MS", QByteArray::number(pauseMs));
    }
    ~FakeToolRun()
    {
        qunsetenv("VORELIND_FAKE_RECORD");
        qunsetenv("VORELIND_FAKE_PAUSE_MS");
    }
    FakeToolRun(const FakeToolRun&) = delete;
    FakeToolRun& operator=(const FakeToolRun&) = delete;

    std::string executableFolder() const { return m_folder.path().toStdString() + "/"; }
    std::string workFile() const { return executableFolder() + "w.htm"; }
    QString recordPath() const { return m_folder.filePath("record"); }
    // Whether a run has ended: the tool writes its record last.
    bool recorded() const { return QFile::exists(recordPath()); }
    // The arguments as the tool received them, one per line.
    QStringList arguments() const
    {
        return QString::fromLocal8Bit(contents(recordPath())).split('\n', Qt::SkipEmptyParts);
    }
    QByteArray workFileSeen() const { return contents(recordPath() + ".workfile"); }

private:
    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_folder;
};
