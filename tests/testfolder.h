#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <string>

// A temporary folder that hands out new files holding given bytes.
class TestFolder {
public:
    bool isValid() const { return m_folder.isValid(); }

    QString path(const QString& name) const { return m_folder.filePath(name); }

    // Writes the bytes to a new file and returns its path.
    QString writeFile(const std::string& bytes)
    {
        QFile file(path(QString::number(++m_fileCount) + ".html"));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0)
            qFatal("cannot write a test file");
        return file.fileName();
    }

private:
    QTemporaryDir m_folder;
    int m_fileCount = 0;
};
