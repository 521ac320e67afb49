// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#include "IniValueCheck.h"

#include <QFile>

#include <array>

namespace
{

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

/// Reads the next character as the INI reader sees it: quotes vanish, an escaped line break
/// continues the line, and escapes give the character they stand for (-1 at the end).
int nextCharacter(const QByteArray& content, int& position)
{
    const int size = content.size();
    while (position < size) {
        const char c = content.at(position++);
        if (c == '"')
            continue;
        if (c != '\\')
            return static_cast<unsigned char>(c);
        if (position >= size)
            return -1;
        const char escaped = content.at(position++);
        if (escaped == '\n')
            continue;
        if (escaped == '\r') {
            if (position < size && content.at(position) == '\n')
                ++position;
            continue;
        }
        if (escaped == 'x' || escaped == 'X') {
            // As many hex digits as follow; an overflowing code is no marker character.
            long code = 0;
            while (position < size && hexValue(content.at(position)) >= 0 && code <= 0x10FFFF)
                code = code * 16 + hexValue(content.at(position++));
            return code <= 0x10FFFF ? static_cast<int>(code) : 0x110000;
        }
        if (isOctal(escaped)) {
            long code = escaped - '0';
            while (position < size && isOctal(content.at(position)) && code <= 0x10FFFF)
                code = code * 8 + (content.at(position++) - '0');
            return code <= 0x10FFFF ? static_cast<int>(code) : 0x110000;
        }
        return static_cast<unsigned char>(escaped);
    }
    return -1;
}

bool spellsAt(const QByteArray& content, int position, const char* marker)
{
    for (const char* expected = marker; *expected; ++expected) {
        if (nextCharacter(content, position) != static_cast<unsigned char>(*expected))
            return false;
    }
    return true;
}

} // namespace

bool IniValueCheck::holdsSerialisedObject(const QByteArray& content)
{
    static constexpr std::array<const char*, 2> markers { "@Variant(", "@DateTime(" };
    for (int start = 0; start < content.size(); ++start) {
        const char c = content.at(start);
        // Every marker begins with "@", written as it is or escaped; quotes in front vanish.
        if (c != '@' && c != '\\' && c != '"')
            continue;
        if (start > 0 && content.at(start - 1) == '@')
            continue;
        for (const char* marker : markers) {
            if (spellsAt(content, start, marker))
                return true;
        }
    }
    return false;
}

bool IniValueCheck::fileHoldsSerialisedObject(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return holdsSerialisedObject(file.readAll());
}
