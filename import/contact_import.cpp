// SPDX-License-Identifier: MIT
#include "import/contact_import.h"

#include <QStringList>

#include "import/contact_card.h"
#include "import/csv_records.h"
#include "import/google_csv.h"
#include "import/import_texts.h"
#include "import/report_text.h"
#include "import/spreadsheet_csv.h"
#include "import/vcard.h"
#include "text/program_text.h"

namespace {

struct ReadContacts {
    ContactFormat format = ContactFormat::Unknown;
    std::vector<Contact> contacts;
};

ReadContacts readCsv(const QString& text, ContactFormat wanted)
{
    const std::vector<CsvRecord> records = ReadCsvRecords(text, SniffDelimiter(text));
    const bool google = !records.empty() && IsGoogleCsvHeader(records.front().fields);
    if (wanted == ContactFormat::GoogleCsv || (wanted == ContactFormat::Unknown && google)) {
        return {ContactFormat::GoogleCsv, ContactsFromGoogleCsv(records)};
    }
    std::optional<std::vector<Contact>> contacts = ContactsFromSpreadsheet(records);
    if (!contacts) {
        return {};
    }
    return {ContactFormat::SpreadsheetCsv, std::move(*contacts)};
}

// `wanted` Unknown: whichever format the text is in.
ReadContacts readContacts(const QString& text, ContactFormat wanted)
{
    if (wanted == ContactFormat::VCard ||
        (wanted == ContactFormat::Unknown && LooksLikeVCard(text))) {
        return {ContactFormat::VCard, ContactsFromVCard(text)};
    }
    return readCsv(text, wanted);
}

ContactImport importDecoded(const DecodedText& decoded, ContactFormat wanted,
                            LotteryGenerator& lottery)
{
    ReadContacts read = readContacts(decoded.text, wanted);
    ContactImport result;
    result.format = read.format;
    result.encoding = decoded.encoding;
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
        result.cards.push_back(std::move(card.cells));
    }
    return result;
}

}  // namespace

ContactImport ImportContacts(std::string_view fileBytes, LotteryGenerator& lottery)
{
    return importDecoded(DecodeText(fileBytes), ContactFormat::Unknown, lottery);
}

ContactImport ImportContactsAs(ContactFormat format, std::string_view fileBytes,
                               LotteryGenerator& lottery)
{
    if (format == ContactFormat::Unknown) {
        return {};
    }
    return importDecoded(DecodeText(fileBytes), format, lottery);
}

QString ImportReportText(const ContactImport& result)
{
    QStringList lines{
        uiText(import_texts::kImportedCount).arg(static_cast<qsizetype>(result.cards.size()))};
    QStringList leftOut;
    for (const LeftOutContact& contact : result.leftOut) {
        leftOut << uiText(import_texts::kLeftOutEntry).arg(contact.who, contact.reason);
    }
    AppendListing(lines, import_texts::kLeftOutHeading, leftOut);
    QStringList replaced;
    for (const QString& name : result.replacedNames) {
        replaced << uiText(import_texts::kReplacedNameEntry).arg(name);
    }
    AppendListing(lines, import_texts::kReplacedNamesHeading, replaced);
    return JoinReportLines(lines);
}
