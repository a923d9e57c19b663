// SPDX-License-Identifier: MIT
#include "import/header_csv.h"

#include <algorithm>
#include <map>

#include "import/import_texts.h"
#include "text/program_text.h"

namespace {

// A title or a date may stand above the header row.
constexpr std::size_t kHeaderSearchRows = 10;

constexpr QChar kIdeographicSpace = u'\u3000';

bool isAddressPart(Role role)
{
    switch (role) {
        case Role::Prefecture:
        case Role::City:
        case Role::Street:
        case Role::StreetOrWhole:
        case Role::FurtherLine:
        case Role::Building:
            return true;
        default:
            return false;
    }
}

bool isNamePart(Role role)
{
    return role == Role::Name || role == Role::FamilyName || role == Role::GivenName;
}

// "Home Address" is the street where the same place has no street column
// (Thunderbird), and the whole address where it has one (Google's Outlook CSV).
ColumnMeanings resolveStreetOrWhole(ColumnMeanings meanings)
{
    std::map<Place, bool> hasStreet;
    for (const auto& m : meanings) {
        if (m && m->role == Role::Street) {
            hasStreet[m->place] = true;
        }
    }
    for (auto& m : meanings) {
        if (m && m->role == Role::StreetOrWhole) {
            m->role = hasStreet[m->place] ? Role::StreetOrWhole : Role::Street;
        }
    }
    return meanings;
}

// Which program wrote the header, for the report: by headers only it writes.
const char* layoutOf(const std::vector<QString>& header)
{
    QStringList words;
    for (const QString& h : header) {
        words << NormalizeHeader(h);
    }
    const auto has = [&words](std::initializer_list<const char*> any) {
        return std::any_of(any.begin(), any.end(), [&words](const char* w) {
            return words.contains(QString::fromUtf8(w));
        });
    };
    const auto mentions = [&words](const char* part) {
        return std::any_of(words.begin(), words.end(), [part](const QString& w) {
            return w.contains(QString::fromUtf8(part));
        });
    };
    if (mentions("自宅欄") || mentions("会社欄") || mentions("デザインキット")) {
        return import_texts::kFormatDesignKit;
    }
    // Before Outlook: Thunderbird's Japanese header also has 番地(自宅).
    if (has({"表示名", "displayname", "homezipcode", "workzipcode", "番地(勤務先)"})) {
        return import_texts::kFormatThunderbird;
    }
    if (has({"businessstreet", "homestreet", "番地(会社)", "番地(自宅)"})) {
        return import_texts::kFormatOutlook;
    }
    if (has({"宛先", "自宅〒", "自宅住所1", "会社〒"})) {
        return import_texts::kFormatLabels;
    }
    return import_texts::kFormatHeadedCsv;
}

// One address of a contact while its columns are read.
struct Group {
    QString postalCode;
    QString prefecture;
    QString city;
    QString street;
    std::map<int, QString> furtherLines;  // by their number
    QString building;
    QString whole;
    QString country;
    QString company;
    QStringList departments;

    bool hasParts() const
    {
        return !(prefecture.trimmed().isEmpty() && city.trimmed().isEmpty() &&
                 street.trimmed().isEmpty() && building.trimmed().isEmpty() &&
                 whole.trimmed().isEmpty() &&
                 std::all_of(furtherLines.begin(), furtherLines.end(),
                             [](const auto& l) { return l.second.trimmed().isEmpty(); }));
    }
};

struct Joint {
    QString name;
    QString family;
    QString given;
    QString honorific;
};

void append(QString& to, const QString& value)
{
    if (value.trimmed().isEmpty()) {
        return;
    }
    to += value;
}

class ContactReader {
public:
    ContactReader(const CsvRecord& record, const ColumnMeanings& meanings)
    {
        for (std::size_t i = 0; i < meanings.size() && i < record.fields.size(); ++i) {
            if (meanings[i]) {
                take(*meanings[i], record.fields[i]);
            }
        }
    }

    Contact contact(int line) &&
    {
        Contact c;
        c.place = uiText(import_texts::kPlaceLine).arg(line);
        c.familyName = family_;
        c.givenName = given_;
        c.fullName = name_;
        c.honorific = honorific_;
        c.spouse = spouse_;
        c.memo = memos_.join(u' ');
        const Place place = chosenPlace();
        Group& g = groups_[place];
        c.postalCode = g.postalCode;
        c.prefecture = g.prefecture;
        c.city = g.city;
        c.street = g.street;
        for (const auto& [number, line2] : g.furtherLines) {
            c.furtherParts << line2;
        }
        c.furtherParts << g.building;
        c.wholeAddress = g.whole;
        c.country = g.country;
        c.company = g.company;
        c.department = g.departments.join(kIdeographicSpace);
        addJointNames(c, place);
        return c;
    }

private:
    void take(const HeaderMeaning& m, const QString& value)
    {
        Group& g = groups_[m.place];
        switch (m.role) {
            case Role::Name:
                name_ = value;
                break;
            case Role::FamilyName:
                family_ = value;
                break;
            case Role::GivenName:
                given_ = value;
                break;
            case Role::Honorific:
                honorific_ = value;
                break;
            case Role::JointName:
                joints_[{m.place, m.index}].name = value;
                break;
            case Role::JointFamilyName:
                joints_[{m.place, m.index}].family = value;
                break;
            case Role::JointGivenName:
                joints_[{m.place, m.index}].given = value;
                break;
            case Role::JointHonorific:
                joints_[{m.place, m.index}].honorific = value;
                break;
            case Role::Spouse:
                spouse_ = value;
                break;
            case Role::PostalCode:
                g.postalCode = value;
                break;
            case Role::Prefecture:
                g.prefecture = value;
                break;
            case Role::City:
                g.city = value;
                break;
            case Role::Street:
                append(g.street, value);
                break;
            case Role::StreetOrWhole:
                g.whole = value;
                break;
            case Role::FurtherLine:
                g.furtherLines[m.index] += value;
                break;
            case Role::Building:
                g.building = value;
                break;
            case Role::Country:
                g.country = value;
                break;
            case Role::Company:
                g.company = value;
                break;
            case Role::Department:
                g.departments << value;
                break;
            case Role::Memo:
                if (!value.trimmed().isEmpty()) {
                    memos_ << value;
                }
                break;
            case Role::Destination:
                toBusiness_ = value.contains(QString::fromUtf8("会社")) ||
                              value.contains(QString::fromUtf8("勤務"));
                break;
        }
    }

    // The address with no place named, else home, else business; business
    // first where 宛先 says so.
    Place chosenPlace()
    {
        if (toBusiness_ && groups_[Place::Business].hasParts()) {
            return Place::Business;
        }
        for (Place p : {Place::Any, Place::Home, Place::Business, Place::Other}) {
            if (groups_[p].hasParts()) {
                return p;
            }
        }
        return Place::Any;
    }

    // The joint names of the chosen address and those of no address, in
    // their order; every one where the address names no place.
    void addJointNames(Contact& c, Place place) const
    {
        for (const auto& [key, joint] : joints_) {
            if (key.first != place && key.first != Place::Any && place != Place::Any) {
                continue;
            }
            // A name in two parts is whole again; the card drops a family
            // name that is its own.
            const QString family = joint.family.trimmed();
            const QString given = joint.given.trimmed();
            QString name = joint.name.trimmed();
            if (!given.isEmpty()) {
                name = family.isEmpty() ? given : family + kIdeographicSpace + given;
            } else if (name.isEmpty()) {
                name = family;
            }
            if (!name.isEmpty()) {
                c.jointNames << name;
                c.jointHonorifics << joint.honorific;
            }
        }
    }

    QString name_;
    QString family_;
    QString given_;
    QString honorific_;
    QString spouse_;
    QStringList memos_;
    bool toBusiness_ = false;
    std::map<Place, Group> groups_;
    std::map<std::pair<Place, int>, Joint> joints_;
};

}  // namespace

ColumnMeanings MeaningsOfHeader(const std::vector<QString>& header)
{
    ColumnMeanings meanings;
    meanings.reserve(header.size());
    for (const QString& h : header) {
        meanings.push_back(MeaningOfHeader(h));
    }
    return resolveStreetOrWhole(std::move(meanings));
}

bool HasNameAndAddress(const ColumnMeanings& meanings)
{
    bool name = false;
    bool address = false;
    for (const auto& m : meanings) {
        name = name || (m && isNamePart(m->role));
        address = address || (m && isAddressPart(m->role));
    }
    return name && address;
}

std::optional<HeaderRow> FindHeaderRow(const std::vector<CsvRecord>& records)
{
    for (std::size_t h = 0; h < records.size() && h < kHeaderSearchRows; ++h) {
        ColumnMeanings meanings = MeaningsOfHeader(records[h].fields);
        if (HasNameAndAddress(meanings)) {
            return HeaderRow{h, std::move(meanings), layoutOf(records[h].fields)};
        }
    }
    return std::nullopt;
}

std::vector<Contact> ContactsByMeanings(const std::vector<CsvRecord>& records, std::size_t first,
                                        const ColumnMeanings& meanings)
{
    std::vector<Contact> contacts;
    for (std::size_t i = first; i < records.size(); ++i) {
        if (!IsBlankRecord(records[i])) {
            contacts.push_back(ContactReader(records[i], meanings).contact(records[i].line));
        }
    }
    return contacts;
}
