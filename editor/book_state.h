// SPDX-License-Identifier: MIT
// The values that say what of the book is unsaved.
#pragma once

#include <QString>

#include <cstdint>

struct BookState {
    bool cardChanged = false;  // the editor holds edits not yet stored into the table
    bool bookChanged = false;  // a card was stored since the last New or Open
    QString currentFile;       // where Save writes; empty: Save asks for a name
    // The book's revision when it was last created, read or written. The
    // question before the program ends compares it with the book's, since
    // bookChanged keeps its meaning for New and Open; so stores, deletes, grid
    // edits and conversions are never lost without a question.
    std::uint64_t savedRevision = 0;
};
