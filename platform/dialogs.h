// SPDX-License-Identifier: MIT
// Questions and notices: the one way any command talks to the user.
#pragma once

#include <QString>

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A confirmation with Yes and No; true for Yes.
    virtual bool ask(const QString& question) = 0;
    // A plain notice with OK.
    virtual void notify(const QString& message) = 0;
    // The error box of a failed command.
    virtual void showError(const QString& message) = 0;
};
