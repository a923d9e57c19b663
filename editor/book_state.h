// The values that say what of the book is unsaved.
#pragma once

#include <QString>

struct BookState {
    bool cardChanged = false;  // the editor holds edits not yet stored into the table
    bool bookChanged = false;  // a card was stored since the last New or Open
    QString currentFile;       // where Save writes; empty: Save asks for a name
    // The table differs from what was last read or written (stores, grid edits,
    // conversions). Only the question before the program ends reads it, since
    // bookChanged keeps its meaning for New and Open.
    bool unsavedTable = false;
};
