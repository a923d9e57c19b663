// SPDX-License-Identifier: MIT
// A failure that ends the current command; its text is shown as it stands.
#pragma once

#include <QString>

#include <stdexcept>

class AppError : public std::runtime_error {
public:
    explicit AppError(QString message)
        : std::runtime_error(message.toStdString()), message_(std::move(message))
    {
    }
    const QString& message() const { return message_; }

private:
    QString message_;
};
