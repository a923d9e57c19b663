// SPDX-License-Identifier: MIT
// vCard 2.1, 3.0 and 4.0, many cards in one file, as phones and Google write
// them: folded lines, quoted-printable with soft line breaks, the CHARSET
// parameter of older phones, backslash escapes, grouped properties.
#pragma once

#include <QString>

#include <vector>

#include "import/contact.h"

// True when the first line that is not blank is BEGIN:VCARD.
bool LooksLikeVCard(QStringView text);

// One contact per card, from N (else FN) and the ADR of type home (else the
// first).
std::vector<Contact> ContactsFromVCard(QStringView text);
