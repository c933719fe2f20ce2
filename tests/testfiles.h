#pragma once

#include "util/apperror.h"

#include <QFile>
#include <QStringDecoder>
#include <QTest>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>
#include <string_view>

// The UTF-8 form of Shift-JIS bytes, through Qt's own codec, for readable failures.
inline QString fromSjis(std::string_view bytes)
{
    QStringDecoder decoder("Shift_JIS");
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

inline void writeFile(const QString& path, std::string_view bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
}

inline std::string readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "(unreadable)";
    return file.readAll().toStdString();
}

// The message of the AppError that the action raises, as UTF-8.
inline QString messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const vorelind::AppError& error) {
        return fromSjis(error.what());
    }
    return QStringLiteral("(no error)");
}

// Gives the file the size without writing the added bytes: a sparse file,
// which costs no disk space however large it is.
inline void growFile(const QString& path, qint64 size)
{
    if (!QFile::resize(path, size))
        qFatal("cannot grow %s", qPrintable(path));
}

// Leaves a socket file of the test's own at the path: a special file that a
// test may aim a write at, unlike the system's devices.
inline void makeSocketFile(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        qFatal("socket path too long: %s", path.c_str());
    path.copy(address.sun_path, path.size());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = socket >= 0 && ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (socket >= 0)
        ::close(socket);
    if (!bound)
        qFatal("cannot make a socket file at %s", path.c_str());
}

// Lowers the limit on the size of files this process writes, which then
// fail with EFBIG instead of a signal, until the object goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_before);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{bytes, m_before.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_before{};
    void (*m_handler)(int) = nullptr;
};
