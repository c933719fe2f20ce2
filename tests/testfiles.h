#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

// Writes a test's input file; a test cannot go on without it.
inline void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Gives the file the size without writing the added bytes: a sparse file,
// which costs no disk space however large it is.
inline void growFile(const QString& path, qint64 size)
{
    if (!QFile::resize(path, size))
        qFatal("cannot grow %s", qPrintable(path));
}
