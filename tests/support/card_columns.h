// SPDX-License-Identifier: MIT
// What a card of a book should hold, as the import tests write it down.
#pragma once

#include <ostream>

// Columns 1 to 6 of a card, in UTF-8.
struct Card {
    const char* name;
    const char* postalCode;
    const char* honorific;
    const char* address1;
    const char* address2;
    const char* memo;
};

// One line per card, so that a whole list compares with a readable message.
inline std::ostream& operator<<(std::ostream& out, const Card& c)
{
    return out << c.name << '|' << c.postalCode << '|' << c.honorific << '|' << c.address1 << '|'
               << c.address2 << '|' << c.memo;
}
