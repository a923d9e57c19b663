// SPDX-License-Identifier: MIT
// What header words mean, and the column dialog's guesses and choices.
#include <gtest/gtest.h>

#include "import/column_choice.h"
#include "import/contact_import.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"

namespace {

constexpr Place H = Place::Home;
constexpr Place B = Place::Business;
constexpr Place A = Place::Any;

TEST(MeaningOfHeader, EveryLayoutsWordsWithTheirPlaceAndNumber)
{
    const struct {
        const char* header;
        std::optional<HeaderMeaning> meaning;
    } cases[] = {
        // the design kit: a word in brackets names the part
        {"氏名(姓)", HeaderMeaning{Role::FamilyName}},
        {"郵便番号(自宅欄)", HeaderMeaning{Role::PostalCode, H}},
        {"自宅住所(番地等)", HeaderMeaning{Role::Street, H}},
        {"会社住所(建物名)", HeaderMeaning{Role::Building, B}},
        {"連名1(姓名:自宅欄)", HeaderMeaning{Role::JointName, H, 1}},
        {"連名4(敬称:会社欄)", HeaderMeaning{Role::JointHonorific, B, 4}},
        {"連名2(名：自宅欄)", HeaderMeaning{Role::JointGivenName, H, 2}},
        {"(デザインキット住所ID)", std::nullopt},
        {"フリガナ(姓)", std::nullopt},
        // label programs: a prefix names the place
        {"自宅〒", HeaderMeaning{Role::PostalCode, H}},
        {"会社住所2", HeaderMeaning{Role::FurtherLine, B, 2}},
        {"連名敬称12", HeaderMeaning{Role::JointHonorific, A, 12}},
        {"部署名2", HeaderMeaning{Role::Department, B, 2}},
        {"宛先", HeaderMeaning{Role::Destination}},
        {"姓かな", std::nullopt},
        // Outlook and Thunderbird: the place in the middle, the number at the end
        {"番地 (自宅) 2", HeaderMeaning{Role::FurtherLine, H, 2}},
        {"住所 3 (会社)", HeaderMeaning{Role::FurtherLine, B, 3}},
        {"国 (自宅)/地域", HeaderMeaning{Role::Country, H}},
        {"市区町村 (勤務先)", HeaderMeaning{Role::City, B}},
        {"番地 (その他)", HeaderMeaning{Role::Street, Place::Other}},
        {"Home Street 2", HeaderMeaning{Role::FurtherLine, H, 2}},
        {"Business Country/Region", HeaderMeaning{Role::Country, B}},
        {"Work ZipCode", HeaderMeaning{Role::PostalCode, B}},
        {"Home Address", HeaderMeaning{Role::StreetOrWhole, H}},
        {"Home Address PO Box", std::nullopt},
        {"Company", HeaderMeaning{Role::Company, B}},
        {"Spouse", HeaderMeaning{Role::Spouse}},
        {"電子メール表示名", std::nullopt},
        {"会社電話", std::nullopt},
        // full-width letters and other brackets compare as their plain forms
        {"ＨＯＭＥ　ＳＴＲＥＥＴ", HeaderMeaning{Role::Street, H}},
        {"【自宅】郵便番号", HeaderMeaning{Role::PostalCode, H}},
        {"住所１", HeaderMeaning{Role::Street, A, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MeaningOfHeader(u(c.header)), c.meaning) << c.header;
    }
}

std::vector<CsvRecord> records(const char* utf8Text)
{
    const QString text = u(utf8Text);
    return ReadCsvRecords(text, SniffDelimiter(text));
}

QStringList items(const ColumnChoice& choice)
{
    QStringList texts;
    for (ColumnItem item : choice.columns) {
        texts << ColumnItemText(item);
    }
    return texts;
}

TEST(GuessColumns, FromHeaderWordsCodesPrefecturesAndHonorifics)
{
    const struct {
        const char* file;
        const char* items;  // the guesses, joined by |
        bool headerRow;
    } cases[] = {
        {"山田,〒100-0001,東京都千代田区,様\n佐藤,5300001,大阪府大阪市,殿\n",
         "使わない|郵便番号|住所1|敬称", false},
        // a header the vocabulary partly knows
        {"なまえ,郵便番号,住所,電話\n山田,100-0001,東京都,03\n", "使わない|郵便番号|番地|使わない",
         true},
        // words it does not know, over data it recognises
        {"a,b\n100-0001,北海道札幌市\n", "郵便番号|住所1", true},
        // a column that mixes kinds is not guessed; short records are padded
        {"100-0001,x\n東京都,y,z\n5300001,w\n", "使わない|使わない|使わない", false},
        {"", "", false},
    };
    for (const auto& c : cases) {
        const ColumnChoice guess = GuessColumns(records(c.file));
        EXPECT_EQ(items(guess).join(QLatin1Char('|')), u(c.items)) << c.file;
        EXPECT_EQ(guess.headerRow, c.headerRow) << c.file;
    }
}

TEST(ImportWithColumns, ReadsTheChosenColumnsPastTheHeaderRow)
{
    using I = ColumnItem;
    const std::vector<CsvRecord> file = records(
        "見出し,〒,住所,,連,連2\n"
        "山田 太郎,100-0001,東京都千代田区千代田1-1,メゾン101,花子,翔太\n"
        ",,,,,\n"
        "佐藤 一郎,,,,,\n");
    const ColumnChoice choice{
        {I::Name, I::PostalCode, I::Address1, I::Address2, I::JointName, I::JointName}, true};
    ASSERT_TRUE(ChoiceHasNameAndAddress(choice));
    LotteryGenerator lottery(3);
    const ContactImport result = ImportWithColumns(file, TextEncoding::Utf8, choice, lottery);
    EXPECT_EQ(result.format, ContactFormat::ChosenColumns);
    ASSERT_EQ(result.cards.size(), 1U);
    EXPECT_EQ(result.cards[0][ColName], sj("山田 太郎;花子"));
    EXPECT_EQ(result.cards[0][ColAddress2], sj("メゾン101"));
    EXPECT_EQ(result.cards[0][ColMemo], sj("連名: 翔太 様"));
    ASSERT_EQ(result.leftOut.size(), 1U);
    EXPECT_EQ(result.leftOut[0].who, u("佐藤 一郎"));

    EXPECT_FALSE(ChoiceHasNameAndAddress({{I::Name, I::PostalCode, I::Memo}, false}));
    EXPECT_FALSE(ChoiceHasNameAndAddress({{I::Address1, I::Company}, false}));
    EXPECT_TRUE(ChoiceHasNameAndAddress({{I::GivenName, I::Building}, false}));
}

}  // namespace
