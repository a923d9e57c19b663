// The open and save dialogs of the address book commands.
#pragma once

#include <QString>

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen full path, or an empty string when the user cancels.
    virtual QString openBook() = 0;
    virtual QString saveBook() = 0;
};
