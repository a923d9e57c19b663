// SPDX-License-Identifier: MIT
#include "import/contact_import.h"

#include <QStringList>

#include <algorithm>

#include "import/contact_card.h"
#include "import/google_csv.h"
#include "import/header_csv.h"
#include "import/import_texts.h"
#include "import/report_text.h"
#include "import/vcard.h"
#include "text/cp932.h"
#include "text/program_text.h"

namespace {

struct ReadContacts {
    ContactFormat format = ContactFormat::Unknown;
    const char* layout = nullptr;
    std::vector<Contact> contacts;
    std::vector<BookRow> bookRows;  // another book's rows, taken as they stand
    std::optional<std::vector<CsvRecord>> undecided;
};

// Text, not a picture or a program: no NUL, and hardly any other control
// character.
bool looksLikeText(const QString& text)
{
    qsizetype controls = 0;
    for (QChar c : text) {
        if (c.unicode() == 0 || c.unicode() == 0xFFFD) {
            return false;
        }
        if (c.category() == QChar::Other_Control && c != u'\n' && c != u'\r' && c != u'\t') {
            ++controls;
        }
    }
    return controls * 100 <= text.size();
}

bool isEmptyOrDigits(const QString& text, qsizetype maxDigits)
{
    const QString trimmed = text.trimmed();
    return trimmed.size() <= maxDigits && std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) {
               return c >= u'0' && c <= u'9';
           });
}

// The program's own eight columns, in every line: a number (or nothing)
// first, a postal code of digits, a lottery number of digits last. Another
// CSV of eight columns would hardly fit all three.
bool isBook(const std::vector<CsvRecord>& records)
{
    bool any = false;
    for (const CsvRecord& r : records) {
        if (IsBlankRecord(r)) {
            continue;
        }
        if (r.fields.size() != static_cast<std::size_t>(ColumnCount) ||
            !isEmptyOrDigits(r.fields[ColNumber], 9) ||
            !isEmptyOrDigits(r.fields[ColPostalCode], 7) ||
            !isEmptyOrDigits(r.fields[ColLottery], 6)) {
            return false;
        }
        any = true;
    }
    return any;
}

// Another book's rows in code page 932, each with its own lottery number.
std::vector<BookRow> bookRowsOf(const std::vector<CsvRecord>& records)
{
    std::vector<BookRow> rows;
    for (const CsvRecord& r : records) {
        if (IsBlankRecord(r)) {
            continue;
        }
        BookRow& row = rows.emplace_back();
        for (int c = ColName; c < ColumnCount; ++c) {
            // A line break inside a quoted field would split the book's line.
            cp932::appendReplacing(SingleLine(r.fields[static_cast<std::size_t>(c)]), u'\u3013',
                                   row[static_cast<std::size_t>(c)]);
        }
    }
    return rows;
}

// A comma, a tab or a semicolon between at least two fields of some record.
bool hasFields(const std::vector<CsvRecord>& records)
{
    return std::any_of(records.begin(), records.end(),
                       [](const CsvRecord& r) { return r.fields.size() >= 2; });
}

ReadContacts readCsv(const QString& text, ContactFormat wanted)
{
    std::vector<CsvRecord> records = ReadCsvRecords(text, SniffDelimiter(text));
    const bool google = !records.empty() && IsGoogleCsvHeader(records.front().fields);
    if (wanted == ContactFormat::GoogleCsv || (wanted == ContactFormat::Unknown && google)) {
        return {ContactFormat::GoogleCsv,
                import_texts::kFormatGoogle,
                ContactsFromGoogleCsv(records),
                {},
                std::nullopt};
    }
    if (const std::optional<HeaderRow> header = FindHeaderRow(records)) {
        return {ContactFormat::HeadedCsv,
                header->layout,
                ContactsByMeanings(records, header->row + 1, header->meanings),
                {},
                std::nullopt};
    }
    if (wanted == ContactFormat::Book || (wanted == ContactFormat::Unknown && isBook(records))) {
        return {
            ContactFormat::Book, import_texts::kFormatBook, {}, bookRowsOf(records), std::nullopt};
    }
    if (wanted == ContactFormat::Unknown && hasFields(records)) {
        return {ContactFormat::Unknown, nullptr, {}, {}, std::move(records)};
    }
    return {};
}

// `wanted` Unknown: whichever format the text is in.
ReadContacts readContacts(const QString& text, ContactFormat wanted)
{
    if (!looksLikeText(text)) {
        return {};
    }
    if (wanted == ContactFormat::VCard ||
        (wanted == ContactFormat::Unknown && LooksLikeVCard(text))) {
        return {ContactFormat::VCard,
                import_texts::kFormatVCard,
                ContactsFromVCard(text),
                {},
                std::nullopt};
    }
    return readCsv(text, wanted);
}

ContactImport cardsOf(ReadContacts read, TextEncoding encoding, LotteryGenerator& lottery)
{
    ContactImport result;
    result.format = read.format;
    result.layout = read.layout;
    result.encoding = encoding;
    result.undecided = std::move(read.undecided);
    for (const Contact& contact : read.contacts) {
        ContactCard card = MakeCard(contact);
        if (!card.taken) {
            result.leftOut.push_back(
                {card.name.isEmpty() ? contact.place : card.name, card.leftOutReason});
            continue;
        }
        card.cells[ColLottery] = RandomDigits(6, lottery);
        if (card.replaced) {
            result.replacedNames.push_back(card.name);
        }
        if (card.jointNamesInMemo) {
            result.jointNamesMoved.push_back(card.name);
        }
        result.cards.push_back(std::move(card.cells));
    }
    for (BookRow& row : read.bookRows) {
        if (row[ColLottery].empty()) {
            row[ColLottery] = RandomDigits(6, lottery);
        }
        result.cards.push_back(std::move(row));
    }
    return result;
}

}  // namespace

ContactImport ImportContacts(std::string_view fileBytes, LotteryGenerator& lottery)
{
    DecodedText decoded = DecodeText(fileBytes);
    return cardsOf(readContacts(decoded.text, ContactFormat::Unknown), decoded.encoding, lottery);
}

ContactImport ImportWithColumns(const std::vector<CsvRecord>& records, TextEncoding encoding,
                                const ColumnChoice& choice, LotteryGenerator& lottery)
{
    ReadContacts read;
    read.format = ContactFormat::ChosenColumns;
    read.layout = import_texts::kFormatChosenColumns;
    read.contacts = ContactsByMeanings(records, choice.headerRow ? 1 : 0, MeaningsOfChoice(choice));
    return cardsOf(std::move(read), encoding, lottery);
}

ContactImport ImportContactsAs(ContactFormat format, std::string_view fileBytes,
                               LotteryGenerator& lottery)
{
    if (format == ContactFormat::Unknown || format == ContactFormat::ChosenColumns) {
        return {};
    }
    DecodedText decoded = DecodeText(fileBytes);
    return cardsOf(readContacts(decoded.text, format), decoded.encoding, lottery);
}

QString ImportReportText(const ContactImport& result)
{
    QStringList lines{
        uiText(import_texts::kImportedCount).arg(static_cast<qsizetype>(result.cards.size()))};
    if (result.layout != nullptr) {
        lines << uiText(import_texts::kFormatLine).arg(uiText(result.layout));
    }
    QStringList leftOut;
    for (const LeftOutContact& contact : result.leftOut) {
        leftOut << uiText(import_texts::kLeftOutEntry).arg(contact.who, contact.reason);
    }
    AppendListing(lines, import_texts::kLeftOutHeading, leftOut);
    const auto listNames = [&lines](const char* heading, const std::vector<QString>& names) {
        QStringList entries;
        for (const QString& name : names) {
            entries << uiText(import_texts::kReplacedNameEntry).arg(name);
        }
        AppendListing(lines, heading, entries);
    };
    listNames(import_texts::kJointNamesMovedHeading, result.jointNamesMoved);
    listNames(import_texts::kReplacedNamesHeading, result.replacedNames);
    return JoinReportLines(lines);
}
