#include "platform/files/nativepath.h"

#include <QFile>
#include <QUrl>

namespace vorelind {

std::filesystem::path fileSystemPath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString displayedPath(const std::filesystem::path& path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

std::filesystem::path localFilePath(const QUrl& url)
{
#ifdef Q_OS_WIN
    return fileSystemPath(url.toLocalFile());
#else
    // QUrl keeps percent-encoded bytes that are no valid UTF-8 as they
    // stand; decoded as text they would become replacement characters.
    std::string path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
    if (!url.host().isEmpty())
        path = "//" + url.host().toStdString() + path;
    return path;
#endif
}

} // namespace vorelind
