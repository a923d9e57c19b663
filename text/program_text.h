// SPDX-License-Identifier: MIT
// The program's own texts are UTF-8 literals (one header of them per
// subsystem); the widgets take them as QString, the book as code page 932.
#pragma once

#include <QString>

#include <string>
#include <string_view>

inline QString uiText(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
inline QString uiText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The code page 932 bytes of one of the program's texts (all of them can be
// encoded), for what the program writes into the book or a card field.
std::string cardText(const char* utf8);
