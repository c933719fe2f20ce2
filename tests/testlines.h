#pragma once

#include <QByteArray>
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

Q_DECLARE_METATYPE(std::string)
