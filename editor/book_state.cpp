// SPDX-License-Identifier: MIT
#include "editor/book_state.h"

#include "book/address_book.h"

BookState::BookState(const AddressBook& book) : book_(book), savedRevision_(book.revision()) {}

void BookState::bookOpened(const QString& file, std::optional<FileStamp> stamp)
{
    cardChanged_ = false;
    bookChanged_ = false;
    currentFile_ = file;
    savedRevision_ = book_.revision();
    stampedFile_ = file;
    stamp_ = stamp;
}

void BookState::bookRecovered(const QString& file)
{
    bookOpened(file);
    bookChanged_ = true;
    savedRevision_.reset();
}

void BookState::bookSaved(const QString& file, const FileStamp& stamp)
{
    savedRevision_ = book_.revision();
    stampedFile_ = file;
    stamp_ = stamp;
}

bool BookState::changedOnDisk(const QString& file, const std::optional<FileStamp>& now) const
{
    return stamp_ && now && file == stampedFile_ && *now != *stamp_;
}

bool BookState::hasUnsavedWork() const
{
    return savedRevision_ != book_.revision();
}
