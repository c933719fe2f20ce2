#pragma once

#include "util/apperror.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include <functional>
#include <string>
#include <string_view>

// The Shift-JIS bytes of a UTF-8 text, through Qt's own codec.
inline std::string sjis(const char* utf8)
{
    QStringEncoder encoder("Shift_JIS");
    const QByteArray encoded = encoder.encode(QString::fromUtf8(utf8));
    return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

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
