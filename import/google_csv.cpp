// SPDX-License-Identifier: MIT
#include "import/google_csv.h"

#include <QRegularExpression>

#include <array>
#include <iterator>
#include <map>

#include "import/contact_card.h"
#include "import/import_texts.h"
#include "text/program_text.h"

namespace {

// A contact's several values of one column, in the older layout.
const QString kValueSeparator = QStringLiteral(" ::: ");

struct Columns {
    int familyName = -1;
    int givenName = -1;
    int fullName = -1;
};

// The columns of one "Address N - ..." group.
struct AddressColumns {
    int label = -1;
    int formatted = -1;
    int street = -1;
    int city = -1;
    int poBox = -1;
    int region = -1;
    int postalCode = -1;
    int country = -1;
    int extended = -1;
};

struct GoogleAddress {
    QString label;
    QString formatted;
    QString street;
    QString city;
    QString poBox;
    QString region;
    QString postalCode;
    QString country;
    QString extended;

    bool hasParts() const
    {
        return !(street.trimmed().isEmpty() && city.trimmed().isEmpty() &&
                 poBox.trimmed().isEmpty() && region.trimmed().isEmpty() &&
                 extended.trimmed().isEmpty());
    }
    bool isEmpty() const { return !hasParts() && formatted.trimmed().isEmpty(); }
    bool isHome() const
    {
        QString name = label.trimmed();
        if (name.startsWith(u'*')) {
            name = name.mid(1).trimmed();  // "* Home": the primary one
        }
        return name.compare(QLatin1String("home"), Qt::CaseInsensitive) == 0 ||
               name == QString::fromUtf8("自宅");
    }
};

int indexOf(const std::vector<QString>& header, const char* name)
{
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (header[i].trimmed() == QLatin1String(name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::map<int, AddressColumns> addressColumns(const std::vector<QString>& header)
{
    static const QRegularExpression pattern(QStringLiteral("^Address (\\d+) - (.+)$"));
    std::map<int, AddressColumns> groups;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const QRegularExpressionMatch match = pattern.match(header[i].trimmed());
        if (!match.hasMatch()) {
            continue;
        }
        AddressColumns& group = groups[match.captured(1).toInt()];
        const QString part = match.captured(2);
        const int column = static_cast<int>(i);
        const std::pair<const char*, int AddressColumns::*> parts[] = {
            {"Label", &AddressColumns::label},
            {"Type", &AddressColumns::label},
            {"Formatted", &AddressColumns::formatted},
            {"Street", &AddressColumns::street},
            {"City", &AddressColumns::city},
            {"PO Box", &AddressColumns::poBox},
            {"Region", &AddressColumns::region},
            {"Postal Code", &AddressColumns::postalCode},
            {"Country", &AddressColumns::country},
            {"Extended Address", &AddressColumns::extended},
        };
        for (const auto& [name, member] : parts) {
            if (part == QLatin1String(name)) {
                group.*member = column;
            }
        }
    }
    return groups;
}

QString field(const CsvRecord& record, int column)
{
    if (column < 0 || static_cast<std::size_t>(column) >= record.fields.size()) {
        return {};
    }
    return record.fields[static_cast<std::size_t>(column)];
}

// Which column of a group gives which part of an address.
constexpr std::pair<int AddressColumns::*, QString GoogleAddress::*> kAddressParts[] = {
    {&AddressColumns::label, &GoogleAddress::label},
    {&AddressColumns::formatted, &GoogleAddress::formatted},
    {&AddressColumns::street, &GoogleAddress::street},
    {&AddressColumns::city, &GoogleAddress::city},
    {&AddressColumns::poBox, &GoogleAddress::poBox},
    {&AddressColumns::region, &GoogleAddress::region},
    {&AddressColumns::postalCode, &GoogleAddress::postalCode},
    {&AddressColumns::country, &GoogleAddress::country},
    {&AddressColumns::extended, &GoogleAddress::extended},
};

// Every address of the contact, in file order. In the older layout one group
// holds several addresses, their values " ::: "-separated column by column.
std::vector<GoogleAddress> addressesOf(const CsvRecord& record,
                                       const std::map<int, AddressColumns>& groups)
{
    std::vector<GoogleAddress> addresses;
    for (const auto& [number, columns] : groups) {
        std::array<QStringList, std::size(kAddressParts)> values;
        qsizetype count = 0;
        for (std::size_t p = 0; p < values.size(); ++p) {
            values[p] = field(record, columns.*kAddressParts[p].first).split(kValueSeparator);
            count = std::max(count, values[p].size());
        }
        for (qsizetype i = 0; i < count; ++i) {
            GoogleAddress address;
            for (std::size_t p = 0; p < values.size(); ++p) {
                address.*kAddressParts[p].second = values[p].value(i);
            }
            if (!address.isEmpty()) {
                addresses.push_back(std::move(address));
            }
        }
    }
    return addresses;
}

// The one labelled Home, else the first.
const GoogleAddress* chooseAddress(const std::vector<GoogleAddress>& addresses)
{
    for (const GoogleAddress& address : addresses) {
        if (address.isHome()) {
            return &address;
        }
    }
    return addresses.empty() ? nullptr : &addresses.front();
}

void fillAddress(Contact& contact, const GoogleAddress& address)
{
    contact.postalCode = address.postalCode;
    contact.country = address.country;
    if (!address.hasParts()) {
        contact.wholeAddress = address.formatted;  // "〒060-0001⏎北海道…⏎日本"
        return;
    }
    contact.prefecture = address.region;
    contact.city = address.city;
    contact.street = address.street;
    contact.furtherParts = {address.extended, address.poBox};
}

}  // namespace

bool IsGoogleCsvHeader(const std::vector<QString>& header)
{
    // Outlook and Thunderbird have the same name columns; only Google has
    // numbered address groups.
    return !addressColumns(header).empty();
}

std::vector<Contact> ContactsFromGoogleCsv(const std::vector<CsvRecord>& records)
{
    std::vector<Contact> contacts;
    if (records.empty()) {
        return contacts;
    }
    const std::vector<QString>& header = records.front().fields;
    Columns columns;
    columns.familyName = std::max(indexOf(header, "Last Name"), indexOf(header, "Family Name"));
    columns.givenName = std::max(indexOf(header, "First Name"), indexOf(header, "Given Name"));
    columns.fullName = std::max(indexOf(header, "Name"), indexOf(header, "File As"));
    const int notes = indexOf(header, "Notes");
    const std::map<int, AddressColumns> groups = addressColumns(header);

    for (std::size_t i = 1; i < records.size(); ++i) {
        const CsvRecord& record = records[i];
        if (IsBlankRecord(record)) {
            continue;
        }
        Contact& contact = contacts.emplace_back();
        contact.place = uiText(import_texts::kPlaceLine).arg(record.line);
        contact.familyName = field(record, columns.familyName);
        contact.givenName = field(record, columns.givenName);
        contact.fullName = field(record, columns.fullName);
        contact.memo = field(record, notes);
        const std::vector<GoogleAddress> addresses = addressesOf(record, groups);
        if (const GoogleAddress* address = chooseAddress(addresses)) {
            fillAddress(contact, *address);
        }
    }
    return contacts;
}
