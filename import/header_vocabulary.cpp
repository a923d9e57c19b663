// SPDX-License-Identifier: MIT
#include "import/header_vocabulary.h"

#include <QStringList>

#include <utility>

namespace {

struct Word {
    const char* text;
    Role role;
};

// Compared after NormalizeHeader, with the place qualifier and the number
// taken off. Columns of kana, phones and mail have no word here on purpose.
constexpr Word kWords[] = {
    {"氏名", Role::Name},
    {"名前", Role::Name},
    {"姓名", Role::Name},
    {"お名前", Role::Name},
    {"宛名", Role::Name},
    {"表示名", Role::Name},
    {"name", Role::Name},
    {"fullname", Role::Name},
    {"displayname", Role::Name},
    {"姓", Role::FamilyName},
    {"苗字", Role::FamilyName},
    {"lastname", Role::FamilyName},
    {"familyname", Role::FamilyName},
    {"surname", Role::FamilyName},
    {"名", Role::GivenName},
    {"firstname", Role::GivenName},
    {"givenname", Role::GivenName},
    {"敬称", Role::Honorific},
    {"suffix", Role::Honorific},
    {"連名", Role::JointName},
    {"連名者", Role::JointName},
    {"連名敬称", Role::JointHonorific},
    {"配偶者", Role::Spouse},
    {"spouse", Role::Spouse},
    {"郵便番号", Role::PostalCode},
    {"〒", Role::PostalCode},
    {"〒番号", Role::PostalCode},
    {"postalcode", Role::PostalCode},
    {"zipcode", Role::PostalCode},
    {"zip", Role::PostalCode},
    {"postcode", Role::PostalCode},
    {"都道府県", Role::Prefecture},
    {"state", Role::Prefecture},
    {"region", Role::Prefecture},
    {"province", Role::Prefecture},
    {"市区町村", Role::City},
    {"市町村", Role::City},
    {"市区郡", Role::City},
    {"city", Role::City},
    {"番地", Role::Street},
    {"番地等", Role::Street},
    {"町名番地", Role::Street},
    {"住所", Role::Street},
    {"所在地", Role::Street},
    {"street", Role::Street},
    {"address", Role::StreetOrWhole},
    {"建物名", Role::Building},
    {"建物名等", Role::Building},
    {"建物", Role::Building},
    {"ビル名", Role::Building},
    {"方書", Role::Building},
    {"国", Role::Country},
    {"国/地域", Role::Country},
    {"国名", Role::Country},
    {"country", Role::Country},
    {"country/region", Role::Country},
    {"会社名", Role::Company},
    {"会社", Role::Company},
    {"勤務先名", Role::Company},
    {"勤務先", Role::Company},
    {"所属", Role::Company},
    {"company", Role::Company},
    {"organization", Role::Company},
    {"部署", Role::Department},
    {"部署名", Role::Department},
    {"department", Role::Department},
    {"メモ", Role::Memo},
    {"備考", Role::Memo},
    {"コメント", Role::Memo},
    {"memo", Role::Memo},
    {"note", Role::Memo},
    {"notes", Role::Memo},
    {"宛先", Role::Destination},
};

std::optional<Role> roleOfWord(const QString& word)
{
    for (const Word& w : kWords) {
        if (word == QString::fromUtf8(w.text)) {
            return w.role;
        }
    }
    return std::nullopt;
}

struct Qualifier {
    const char* text;
    Place place;
};
// Inside brackets: the whole text of a piece.
constexpr Qualifier kBracketQualifiers[] = {
    {"自宅", Place::Home},         {"自宅欄", Place::Home},     {"home", Place::Home},
    {"会社", Place::Business},     {"会社欄", Place::Business}, {"勤務先", Place::Business},
    {"business", Place::Business}, {"work", Place::Business},   {"その他", Place::Other},
    {"other", Place::Other},
};
// At the start of a header.
constexpr Qualifier kPrefixQualifiers[] = {
    {"自宅", Place::Home},       {"home", Place::Home},         {"会社", Place::Business},
    {"勤務先", Place::Business}, {"business", Place::Business}, {"work", Place::Business},
    {"その他", Place::Other},    {"other", Place::Other},
};

std::optional<Place> placeOfPiece(const QString& piece)
{
    for (const Qualifier& q : kBracketQualifiers) {
        if (piece == QString::fromUtf8(q.text)) {
            return q.place;
        }
    }
    return std::nullopt;
}

// The header with its bracketed parts taken out: each piece of them is a
// place qualifier or a word of its own (氏名(姓), 連名1(敬称:自宅欄)).
struct Parts {
    QString core;
    QString innerWord;
    Place place = Place::Any;
};

Parts splitBrackets(const QString& header)
{
    Parts parts;
    qsizetype pos = 0;
    while (pos < header.size()) {
        const qsizetype open = header.indexOf(u'(', pos);
        const qsizetype close = open < 0 ? -1 : header.indexOf(u')', open);
        if (close < 0) {
            parts.core += header.mid(pos);
            break;
        }
        parts.core += header.mid(pos, open - pos);
        QString inside = header.mid(open + 1, close - open - 1);
        inside.replace(u',', u':').replace(u'、', u':');
        const QStringList pieces = inside.split(u':');
        for (const QString& piece : pieces) {
            if (const std::optional<Place> place = placeOfPiece(piece)) {
                parts.place = *place;
            } else if (!piece.isEmpty()) {
                parts.innerWord = piece;
            }
        }
        pos = close + 1;
    }
    return parts;
}

// The number at the end of a word, taken off it ("住所2" gives 2).
int takeNumber(QString& word)
{
    qsizetype digits = word.size();
    while (digits > 0 && word[digits - 1].isDigit()) {
        --digits;
    }
    if (digits == word.size() || digits == 0) {
        return 0;
    }
    const int number = word.mid(digits).toInt();
    word.truncate(digits);
    return number;
}

// The role of a core word, with its number, once any prefix qualifier is off.
std::optional<HeaderMeaning> meaningOfCore(QString core, Place place)
{
    const int index = takeNumber(core);
    if (const std::optional<Role> role = roleOfWord(core)) {
        return HeaderMeaning{*role, place, index};
    }
    for (const Qualifier& q : kPrefixQualifiers) {
        const QString prefix = QString::fromUtf8(q.text);
        if (place == Place::Any && core.startsWith(prefix) && core.size() > prefix.size()) {
            return meaningOfCore(
                core.mid(prefix.size()) + (index > 0 ? QString::number(index) : QString()),
                q.place);
        }
    }
    return std::nullopt;
}

// A word in brackets names what a general column holds: 氏名(姓), 自宅住所(都道府県),
// 連名1(敬称:自宅欄).
std::optional<HeaderMeaning> withInnerWord(const HeaderMeaning& outer, const QString& inner)
{
    const std::optional<Role> role = roleOfWord(inner);
    if (!role) {
        return std::nullopt;
    }
    if (outer.role == Role::JointName) {
        switch (*role) {
            case Role::FamilyName:
                return HeaderMeaning{Role::JointFamilyName, outer.place, outer.index};
            case Role::GivenName:
                return HeaderMeaning{Role::JointGivenName, outer.place, outer.index};
            case Role::Honorific:
                return HeaderMeaning{Role::JointHonorific, outer.place, outer.index};
            case Role::Name:
                return HeaderMeaning{Role::JointName, outer.place, outer.index};
            default:
                return std::nullopt;
        }
    }
    if (outer.role == Role::Name || outer.role == Role::Street) {
        return HeaderMeaning{*role, outer.place, outer.index};
    }
    return outer;  // 会社名(会社欄): the word adds nothing
}

}  // namespace

QString NormalizeHeader(const QString& header)
{
    QString text = header.normalized(QString::NormalizationForm_KC).toLower();
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.isSpace()) {
            continue;
        }
        switch (c.unicode()) {
            case u'【':
            case u'「':
            case u'〔':
            case u'[':
            case u'<':
            case u'{':
                out += u'(';
                break;
            case u'】':
            case u'」':
            case u'〕':
            case u']':
            case u'>':
            case u'}':
                out += u')';
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::optional<HeaderMeaning> MeaningOfHeader(const QString& header)
{
    const Parts parts = splitBrackets(NormalizeHeader(header));
    if (parts.core.isEmpty()) {
        return std::nullopt;
    }
    std::optional<HeaderMeaning> meaning = meaningOfCore(parts.core, parts.place);
    if (meaning && !parts.innerWord.isEmpty()) {
        meaning = withInnerWord(*meaning, parts.innerWord);
    }
    if (meaning && parts.place != Place::Any) {
        meaning->place = parts.place;
    }
    // Street 2 and 3 (Outlook, Thunderbird, 住所2 of a label program) are
    // further lines of the address.
    if (meaning && (meaning->role == Role::Street || meaning->role == Role::StreetOrWhole) &&
        meaning->index >= 2) {
        meaning->role = Role::FurtherLine;
    }
    // A company and its department belong to the business address.
    if (meaning && (meaning->role == Role::Company || meaning->role == Role::Department)) {
        meaning->place = Place::Business;
    }
    return meaning;
}
