// SPDX-License-Identifier: MIT
// The import command's logic: a file of other programs' contacts made into
// card rows for the open book.
#pragma once

#include <QString>

#include <string_view>
#include <vector>

#include "book/address_book.h"
#include "book/random_digits.h"
#include "import/text_encoding.h"

enum class ContactFormat { Unknown, GoogleCsv, VCard, SpreadsheetCsv };

// who: the contact's name, or its place in the file when it has none.
struct LeftOutContact {
    QString who;
    QString reason;
};

struct ContactImport {
    ContactFormat format = ContactFormat::Unknown;
    TextEncoding encoding = TextEncoding::Cp932;
    // Code page 932; columns 1..7 filled, column 0 empty (the book renumbers).
    std::vector<BookRow> cards;
    std::vector<LeftOutContact> leftOut;
    // Cards where 〓 replaced a character, each by its name as imported.
    std::vector<QString> replacedNames;
};

// Recognises the format by content, not by the file's name: Unknown, with no
// cards, when it is none of the three. Each card draws its lottery number
// from `lottery`, one after another.
ContactImport ImportContacts(std::string_view fileBytes, LotteryGenerator& lottery);

// Reads the bytes as `format` without recognising it first (the fuzz targets
// drive each reader so).
ContactImport ImportContactsAs(ContactFormat format, std::string_view fileBytes,
                               LotteryGenerator& lottery);

// The one report box: how many cards were taken in, the contacts left out
// with their reasons, the cards where 〓 replaced a character.
QString ImportReportText(const ContactImport& result);
