// SPDX-License-Identifier: MIT
// The import command's logic: a file of other programs' contacts made into
// card rows for the open book.
#pragma once

#include <QString>

#include <optional>
#include <string_view>
#include <vector>

#include "book/address_book.h"
#include "book/random_digits.h"
#include "import/column_choice.h"
#include "import/csv_records.h"
#include "import/text_encoding.h"

// Google's CSV; vCard; a CSV with header words (Outlook, Thunderbird, the
// design kit, label programs, spreadsheets); another ふみよせ book; a CSV
// read by the columns a person chose.
enum class ContactFormat { Unknown, GoogleCsv, VCard, HeadedCsv, Book, ChosenColumns };

// who: the contact's name, or its place in the file when it has none.
struct LeftOutContact {
    QString who;
    QString reason;
};

struct ContactImport {
    ContactFormat format = ContactFormat::Unknown;
    const char* layout = nullptr;  // the report's name of what was read, UTF-8
    TextEncoding encoding = TextEncoding::Cp932;
    // Code page 932; columns 1..7 filled, column 0 empty (the book renumbers).
    std::vector<BookRow> cards;
    std::vector<LeftOutContact> leftOut;
    // Cards where 〓 replaced a character, each by its name as imported.
    std::vector<QString> replacedNames;
    // Cards whose further joint names went into the memo.
    std::vector<QString> jointNamesMoved;
    // A CSV of no known layout (or whose header lacks a name or an address):
    // its records, for the column dialog. The format is Unknown then.
    std::optional<std::vector<CsvRecord>> undecided;
};

// Recognises the format by content, not by the file's name: Unknown, with no
// cards, when it is none of them, with `undecided` set when it is a CSV whose
// columns a person must name. Each card draws its lottery number from
// `lottery`, one after another.
ContactImport ImportContacts(std::string_view fileBytes, LotteryGenerator& lottery);

// The records of an undecided CSV read by the columns the person chose;
// `encoding` is the file's, as ImportContacts found it.
ContactImport ImportWithColumns(const std::vector<CsvRecord>& records, TextEncoding encoding,
                                const ColumnChoice& choice, LotteryGenerator& lottery);

// Reads the bytes as `format` without recognising it first (the fuzz targets
// drive each reader so).
ContactImport ImportContactsAs(ContactFormat format, std::string_view fileBytes,
                               LotteryGenerator& lottery);

// The one report box: how many cards were taken in, what the file was read
// as, the contacts left out with their reasons, the cards whose further joint
// names went into the memo, the cards where 〓 replaced a character.
QString ImportReportText(const ContactImport& result);
