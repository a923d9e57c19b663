// SPDX-License-Identifier: MIT
// The words other programs write over their address columns, and what each
// means: one vocabulary for every CSV layout (Outlook, Thunderbird, Japan
// Post's design kit, label programs, web tools, spreadsheets), so a new
// program's layout is a few more words, not a new reader.
#pragma once

#include <QString>

#include <optional>

enum class Role {
    Name,  // the whole name in one field
    FamilyName,
    GivenName,
    Honorific,
    JointName,  // a joint addressee's whole name (index: which one)
    JointFamilyName,
    JointGivenName,
    JointHonorific,
    Spouse,  // used as the joint name where a file has no joint names
    PostalCode,
    Prefecture,
    City,
    Street,         // 番地, or a whole first address line
    StreetOrWhole,  // "Home Address": the street where the group has no street
                    // column (Thunderbird), else the whole address (Outlook)
    FurtherLine,    // street 2 and 3: address line 2
    Building,
    Country,
    Company,
    Department,
    Memo,
    Destination,  // 宛先: which address the card goes to (自宅 or 会社)
};

// Which address a column belongs to, in the order a card takes them.
enum class Place { Any, Home, Business, Other };

struct HeaderMeaning {
    Role role;
    Place place = Place::Any;
    int index = 0;  // the number in the header (連名2, 住所3), 0 when none
    bool operator==(const HeaderMeaning&) const = default;
};

// A header as it is compared: NFKC, without any space, brackets of every
// kind as (), Latin letters in lower case.
QString NormalizeHeader(const QString& header);

// What a header means, or nothing for a column no card needs (kana, phones,
// titles). A place qualifier may stand anywhere: (自宅), (自宅欄), 自宅…,
// Home …, (会社), (会社欄), (勤務先), 会社…, Business …, Work …, (その他),
// Other …
std::optional<HeaderMeaning> MeaningOfHeader(const QString& header);
