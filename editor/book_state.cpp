// SPDX-License-Identifier: MIT
#include "editor/book_state.h"

#include "book/address_book.h"

BookState::BookState(const AddressBook& book) : book_(book), savedRevision_(book.revision()) {}

void BookState::bookOpened(const QString& file)
{
    cardChanged_ = false;
    bookChanged_ = false;
    currentFile_ = file;
    savedRevision_ = book_.revision();
}

void BookState::bookSaved()
{
    savedRevision_ = book_.revision();
}

bool BookState::hasUnsavedWork() const
{
    return book_.revision() != savedRevision_;
}
