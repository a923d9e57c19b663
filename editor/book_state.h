// SPDX-License-Identifier: MIT
// What of the book is unsaved, and where Save writes it. The commands change it
// only through the named steps below, so each flag means one thing everywhere.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

#include "platform/file_stamp.h"

class AddressBook;

class BookState {
public:
    explicit BookState(const AddressBook& book);

    // CardChanged: the editor holds edits not yet stored into the table.
    bool cardChanged() const { return cardChanged_; }
    // BookChanged: a card was stored since the last New or Open.
    bool bookChanged() const { return bookChanged_; }
    // CurrentFile: where Save writes; empty, Save asks for a name.
    const QString& currentFile() const { return currentFile_; }

    // A card field's text changed, by the user or by a command.
    void cardEdited() { cardChanged_ = true; }
    // The editor's fields no longer hold unstored edits: a card was loaded or
    // deleted, a new card begun from stored fields, or the edits were dropped.
    void cardSettled() { cardChanged_ = false; }
    // The editor's card, or cards from another program, went into the table.
    void cardStored()
    {
        cardChanged_ = false;
        bookChanged_ = true;
    }
    // Start-up, New and Open: the book as it stands now is the one in `file`
    // (empty for a book not yet saved), with nothing stored and nothing
    // unsaved; `stamp` is the file's as it was read.
    void bookOpened(const QString& file, std::optional<FileStamp> stamp = std::nullopt);
    // A recovery copy was opened in place of `file`: all of it is unsaved work.
    void bookRecovered(const QString& file);
    // Save As chose a name; Save writes there from now on.
    void setCurrentFile(const QString& file) { currentFile_ = file; }
    // The book as it stands now was written to `file`, which then had `stamp`.
    void bookSaved(const QString& file, const FileStamp& stamp);

    // Whether `file`, which now has the stamp `now` (none: it is gone), was
    // changed by another program since this program last read or wrote it.
    bool changedOnDisk(const QString& file, const std::optional<FileStamp>& now) const;

    // Stores, deletes, grid edits or conversions since the book was created,
    // read or last written: what ending the program without a save would lose.
    bool hasUnsavedWork() const;
    // New and Open ask the save question when a card was stored since the last
    // New or Open (also after a save), or when there is unsaved work.
    bool needsSaveQuestion() const { return bookChanged_ || hasUnsavedWork(); }

private:
    const AddressBook& book_;
    bool cardChanged_ = false;
    bool bookChanged_ = false;
    QString currentFile_;
    // The book's revision when it was last created, read or written; none
    // for a recovered book, which is unsaved whatever is done to it.
    std::optional<std::uint64_t> savedRevision_;
    // The file this program last read or wrote, as it left it.
    QString stampedFile_;
    std::optional<FileStamp> stamp_;
};
