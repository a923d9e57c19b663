// SPDX-License-Identifier: MIT
// Hands a web address to the user's browser.
#pragma once

#include <QString>

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // The result is ignored: a missing browser is not reported.
    virtual void open(const QString& url) = 0;
};
