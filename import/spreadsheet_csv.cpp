// SPDX-License-Identifier: MIT
#include "import/spreadsheet_csv.h"

#include <array>

#include "import/import_texts.h"
#include "text/program_text.h"

namespace {

// A title or a date may stand above the header row.
constexpr std::size_t kHeaderSearchRows = 10;

enum Role {
    FamilyName,
    GivenName,
    FullName,
    Honorific,
    PostalCode,
    Prefecture,
    City,
    Street,
    Building,
    JointName,
    JointHonorific,
    Memo,
    RoleCount
};

struct HeaderWord {
    const char* word;
    Role role;
};

constexpr HeaderWord kHeaderWords[] = {
    {"姓", FamilyName},
    {"名", GivenName},
    {"氏名", FullName},
    {"名前", FullName},
    {"敬称", Honorific},
    {"郵便番号", PostalCode},
    {"〒", PostalCode},
    {"都道府県", Prefecture},
    {"市区町村", City},
    {"番地", Street},
    {"住所", Street},
    {"住所1", Street},
    {"住所2", Building},
    {"建物名", Building},
    {"建物", Building},
    {"連名", JointName},
    {"連名敬称", JointHonorific},
    {"備考", Memo},
    {"メモ", Memo},
};

using RoleColumns = std::array<int, RoleCount>;

// Header words are compared after NFKC and trimming, so that 住所１ finds 住所1.
std::optional<Role> roleOf(const QString& header)
{
    const QString word = header.normalized(QString::NormalizationForm_KC).trimmed();
    for (const HeaderWord& known : kHeaderWords) {
        if (word == QString::fromUtf8(known.word)) {
            return known.role;
        }
    }
    return std::nullopt;
}

// The first column of each role; -1 where there is none.
RoleColumns columnsOf(const CsvRecord& header)
{
    RoleColumns columns;
    columns.fill(-1);
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::optional<Role> role = roleOf(header.fields[i]);
        if (role && columns[*role] < 0) {
            columns[*role] = static_cast<int>(i);
        }
    }
    return columns;
}

bool isHeader(const RoleColumns& columns)
{
    const bool name = columns[FamilyName] >= 0 || columns[GivenName] >= 0 || columns[FullName] >= 0;
    const bool address = columns[Prefecture] >= 0 || columns[City] >= 0 || columns[Street] >= 0 ||
                         columns[Building] >= 0;
    return name && address;
}

Contact contactOf(const CsvRecord& record, const RoleColumns& columns)
{
    auto field = [&](Role role) {
        const int column = columns[role];
        if (column < 0 || static_cast<std::size_t>(column) >= record.fields.size()) {
            return QString();
        }
        return record.fields[static_cast<std::size_t>(column)];
    };
    Contact contact;
    contact.place = uiText(import_texts::kPlaceLine).arg(record.line);
    contact.familyName = field(FamilyName);
    contact.givenName = field(GivenName);
    contact.fullName = field(FullName);
    contact.honorific = field(Honorific);
    contact.jointName = field(JointName);
    contact.jointHonorific = field(JointHonorific);
    contact.postalCode = field(PostalCode);
    contact.prefecture = field(Prefecture);
    contact.city = field(City);
    contact.street = field(Street);
    contact.furtherParts = {field(Building)};
    contact.memo = field(Memo);
    return contact;
}

}  // namespace

std::optional<std::vector<Contact>> ContactsFromSpreadsheet(const std::vector<CsvRecord>& records)
{
    for (std::size_t h = 0; h < records.size() && h < kHeaderSearchRows; ++h) {
        const RoleColumns columns = columnsOf(records[h]);
        if (!isHeader(columns)) {
            continue;
        }
        std::vector<Contact> contacts;
        for (std::size_t i = h + 1; i < records.size(); ++i) {
            if (!IsBlankRecord(records[i])) {
                contacts.push_back(contactOf(records[i], columns));
            }
        }
        return contacts;
    }
    return std::nullopt;
}
