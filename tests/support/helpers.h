// SPDX-License-Identifier: MIT
// Small helpers that most tests share: readable literals, file bytes, and the
// message of a failed command.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "platform/app_error.h"

// A QString from a UTF-8 literal.
inline QString u(const char* utf8Text)
{
    return QString::fromUtf8(utf8Text);
}

// The whole content of a file, or "" when it cannot be read.
std::string readBytes(const std::string& path);
inline std::string readBytes(const QString& path)
{
    return readBytes(path.toStdString());
}

// Creates or truncates the file and writes exactly these bytes.
void writeBytes(const std::string& path, std::string_view bytes);

// The message of the AppError that `action` throws, or "" when it throws none.
template <typename Action>
QString errorOf(Action action)
{
    try {
        action();
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

// The path of a fixture under tests/data.
std::string testDataPath(const std::string& relative);
