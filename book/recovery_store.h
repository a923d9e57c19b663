// SPDX-License-Identifier: MIT
// Whole copies of books, kept while a save or unsaved work is at risk: before
// a save writes into the book file itself, when the program is told to end
// with unsaved work, and when the desktop session ends without a question.
// Each copy is a book file, <id>.csv, beside a note of the path it belongs
// to, <id>.path. Nothing else is ever written there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct RecoveryCopy {
    std::string copyPath;  // a book file, code page 932
    std::string bookPath;  // where it belongs; empty for a book never saved
};

class RecoveryStore {
public:
    explicit RecoveryStore(std::string folder) : folder_(std::move(folder)) {}

    // $XDG_STATE_HOME/fumiyose/recovery, or ~/.local/state/fumiyose/recovery.
    static std::string defaultFolder();

    const std::string& folder() const { return folder_; }

    // Writes the whole book text and its note, flushed to disk, under a new
    // name. Throws AppError when it cannot; nothing is left then.
    RecoveryCopy keep(const std::string& bookPath, std::string_view bookText) const;

    // Removes a copy and its note; a copy that is gone already is no failure.
    void remove(const RecoveryCopy& copy) const noexcept;

    // The copies there are, newest first.
    std::vector<RecoveryCopy> copies() const;

private:
    std::string folder_;
};
