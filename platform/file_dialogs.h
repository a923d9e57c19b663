// SPDX-License-Identifier: MIT
// The open and save dialogs of the address book commands, and the open dialog
// of the import command.
#pragma once

#include <QString>

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen full path, or an empty string when the user cancels.
    virtual QString openBook() = 0;
    virtual QString saveBook() = 0;
    virtual QString importContacts() = 0;
};
