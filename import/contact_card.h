// SPDX-License-Identifier: MIT
// The rules that make one contact into one card.
#pragma once

#include <QString>

#include "book/address_book.h"
#include "import/contact.h"

struct ContactCard {
    bool taken = false;
    BookRow cells;  // columns 1..6, code page 932, when taken
    // The name as the card holds it when taken, as composed when left out.
    QString name;
    QString leftOutReason;          // when not taken
    bool replaced = false;          // 〓 stands for a character code page 932 lacks
    bool jointNamesInMemo = false;  // more joint names than the card holds
};

// name = family + U+3000 + given (either alone; else the single name field);
// honorific 様 unless given; the first joint name with its honorific (様 when
// none), else the spouse (the given name alone when the family name is the
// card's), and every further joint name at the front of the memo; the postal
// code's seven digits; address line 1 = prefecture + city + the street's first
// line, line 2 the rest, the building, the company and the department; or,
// without those parts, the address written as free text. A country that is
// Japan is dropped, another ends line 2. Without a name or without any address
// part the contact is left out.
ContactCard MakeCard(const Contact& contact);

// Seven half-width digits when the code has them once 〒, hyphens and spaces
// are dropped and full-width digits made half-width; else the code as written.
QString NormalizePostalCode(const QString& code);

// One line of text: a run of line breaks and other control characters becomes
// one space, every other space but the full-width one becomes the plain space,
// invisible format characters and variation selectors go, the ends are trimmed.
QString SingleLine(QStringView text);

// The non-empty lines of a text, each as SingleLine makes it.
QStringList SplitLines(QStringView text);
