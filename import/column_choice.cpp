// SPDX-License-Identifier: MIT
#include "import/column_choice.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, kColumnItemCount> kItemTexts = {
    "使わない", "氏名",     "姓",       "名",   "敬称",   "連名",   "連名敬称", "郵便番号", "住所1",
    "住所2",    "都道府県", "市区町村", "番地", "建物名", "会社名", "部署名",   "メモ"};

constexpr const char* kPrefectures[] = {
    "北海道", "青森県", "岩手県", "宮城県", "秋田県", "山形県",   "福島県", "茨城県",
    "栃木県", "群馬県", "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県", "富山県",
    "石川県", "福井県", "山梨県", "長野県", "岐阜県", "静岡県",   "愛知県", "三重県",
    "滋賀県", "京都府", "大阪府", "兵庫県", "奈良県", "和歌山県", "鳥取県", "島根県",
    "岡山県", "広島県", "山口県", "徳島県", "香川県", "愛媛県",   "高知県", "福岡県",
    "佐賀県", "長崎県", "熊本県", "大分県", "宮崎県", "鹿児島県", "沖縄県"};

constexpr const char* kHonorifics[] = {"様",   "さま",   "殿", "先生", "御中",     "君",  "くん",
                                       "さん", "ちゃん", "氏", "先輩", "御一同様", "各位"};

// What a column's values say of it, when all of them say the same.
std::optional<ColumnItem> itemOfValue(const QString& raw)
{
    const QString value = raw.normalized(QString::NormalizationForm_KC).trimmed();
    static const QRegularExpression postal(QString::fromUtf8("^〒?\\s*\\d{3}[-‐−ー]?\\d{4}$"));
    if (postal.match(value).hasMatch()) {
        return ColumnItem::PostalCode;
    }
    for (const char* prefecture : kPrefectures) {
        if (value.startsWith(QString::fromUtf8(prefecture))) {
            return ColumnItem::Address1;
        }
    }
    for (const char* honorific : kHonorifics) {
        if (value == QString::fromUtf8(honorific)) {
            return ColumnItem::Honorific;
        }
    }
    return std::nullopt;
}

// The item the data of column `c` (records from `first` on) points to.
std::optional<ColumnItem> itemOfData(const std::vector<CsvRecord>& records, std::size_t first,
                                     std::size_t c)
{
    std::optional<ColumnItem> found;
    for (std::size_t r = first; r < records.size(); ++r) {
        if (c >= records[r].fields.size() || records[r].fields[c].trimmed().isEmpty()) {
            continue;
        }
        const std::optional<ColumnItem> item = itemOfValue(records[r].fields[c]);
        if (!item || (found && *found != *item)) {
            return std::nullopt;
        }
        found = item;
    }
    return found;
}

ColumnItem itemOfMeaning(const HeaderMeaning& m)
{
    switch (m.role) {
        case Role::Name:
            return ColumnItem::Name;
        case Role::FamilyName:
            return ColumnItem::FamilyName;
        case Role::GivenName:
            return ColumnItem::GivenName;
        case Role::Honorific:
            return ColumnItem::Honorific;
        case Role::JointName:
        case Role::JointFamilyName:
        case Role::JointGivenName:
        case Role::Spouse:
            return ColumnItem::JointName;
        case Role::JointHonorific:
            return ColumnItem::JointHonorific;
        case Role::PostalCode:
            return ColumnItem::PostalCode;
        case Role::Prefecture:
            return ColumnItem::Prefecture;
        case Role::City:
            return ColumnItem::City;
        case Role::Street:
            return m.index == 1 ? ColumnItem::Address1 : ColumnItem::Street;
        case Role::StreetOrWhole:
            return ColumnItem::Address1;
        case Role::FurtherLine:
            return ColumnItem::Address2;
        case Role::Building:
            return ColumnItem::Building;
        case Role::Company:
            return ColumnItem::Company;
        case Role::Department:
            return ColumnItem::Department;
        case Role::Memo:
            return ColumnItem::Memo;
        case Role::Country:
        case Role::Destination:
            break;
    }
    return ColumnItem::Unused;
}

}  // namespace

QString ColumnItemText(ColumnItem item)
{
    return QString::fromUtf8(kItemTexts[static_cast<std::size_t>(item)]);
}

std::size_t ColumnsOf(const std::vector<CsvRecord>& records)
{
    std::size_t count = 0;
    for (const CsvRecord& r : records) {
        count = std::max(count, r.fields.size());
    }
    return count;
}

ColumnChoice GuessColumns(const std::vector<CsvRecord>& records)
{
    ColumnChoice choice;
    const std::size_t count = ColumnsOf(records);
    choice.columns.assign(count, ColumnItem::Unused);
    if (records.empty()) {
        return choice;
    }
    const ColumnMeanings words = MeaningsOfHeader(records.front().fields);
    const bool named =
        std::any_of(words.begin(), words.end(), [](const auto& m) { return m.has_value(); });
    for (std::size_t c = 0; c < count; ++c) {
        const std::optional<ColumnItem> byData = itemOfData(records, 1, c);
        // A first value that does not fit a column of codes or addresses is its header.
        const bool firstFits = c >= records.front().fields.size() ||
                               records.front().fields[c].trimmed().isEmpty() ||
                               itemOfValue(records.front().fields[c]) == byData;
        if (byData && !firstFits) {
            choice.headerRow = true;
        }
        if (c < words.size() && words[c]) {
            choice.columns[c] = itemOfMeaning(*words[c]);
        } else if (byData) {
            choice.columns[c] = *byData;
        }
    }
    choice.headerRow = choice.headerRow || named;
    return choice;
}

bool ChoiceHasNameAndAddress(const ColumnChoice& choice)
{
    return HasNameAndAddress(MeaningsOfChoice(choice));
}

ColumnMeanings MeaningsOfChoice(const ColumnChoice& choice)
{
    ColumnMeanings meanings;
    int joints = 0;
    int jointHonorifics = 0;
    int secondLines = 1;
    for (ColumnItem item : choice.columns) {
        std::optional<HeaderMeaning> m;
        switch (item) {
            case ColumnItem::Unused:
                break;
            case ColumnItem::Name:
                m = HeaderMeaning{Role::Name};
                break;
            case ColumnItem::FamilyName:
                m = HeaderMeaning{Role::FamilyName};
                break;
            case ColumnItem::GivenName:
                m = HeaderMeaning{Role::GivenName};
                break;
            case ColumnItem::Honorific:
                m = HeaderMeaning{Role::Honorific};
                break;
            case ColumnItem::JointName:
                m = HeaderMeaning{Role::JointName, Place::Any, ++joints};
                break;
            case ColumnItem::JointHonorific:
                m = HeaderMeaning{Role::JointHonorific, Place::Any, ++jointHonorifics};
                break;
            case ColumnItem::PostalCode:
                m = HeaderMeaning{Role::PostalCode};
                break;
            case ColumnItem::Address1:
            case ColumnItem::Street:
                m = HeaderMeaning{Role::Street};
                break;
            case ColumnItem::Address2:
                m = HeaderMeaning{Role::FurtherLine, Place::Any, ++secondLines};
                break;
            case ColumnItem::Prefecture:
                m = HeaderMeaning{Role::Prefecture};
                break;
            case ColumnItem::City:
                m = HeaderMeaning{Role::City};
                break;
            case ColumnItem::Building:
                m = HeaderMeaning{Role::Building};
                break;
            case ColumnItem::Company:
                m = HeaderMeaning{Role::Company};  // the person chose it: on the card
                break;
            case ColumnItem::Department:
                m = HeaderMeaning{Role::Department};
                break;
            case ColumnItem::Memo:
                m = HeaderMeaning{Role::Memo};
                break;
        }
        meanings.push_back(m);
    }
    return meanings;
}
