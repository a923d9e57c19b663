// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <set>

#include "import/contact_import.h"
#include "tests/support/card_columns.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"

namespace {

using namespace std::string_literals;

struct LeftOut {
    const char* who;
    const char* reason;
};

struct FixtureCase {
    const char* file;
    ContactFormat format;
    TextEncoding encoding;
    std::vector<Card> cards;
    std::vector<LeftOut> leftOut;
    std::vector<const char*> replacedNames;
};

constexpr char kNoAddress[] = "住所がありません";
constexpr char kNoName[] = "名前がありません";

const Card kSpreadsheetYamada{"山田　太郎;花子",         "1000001",         "様;様",
                              "東京都千代田区千代田1-1", "メゾン千代田101", "喪中"};
const Card kSpreadsheetSuzuki{"鈴木　次郎;一郎",           "4600008",     "殿;様",
                              "愛知県名古屋市中区栄1-2-3", "コーポ栄202", "連名: 二郎 様"};
const std::vector<LeftOut> kSpreadsheetLeftOut{{"佐藤　一郎", kNoAddress}, {"7 行目", kNoName}};

std::vector<FixtureCase> fixtureCases()
{
    const Card yoshidaSheet{
        "〓田　花子", "5300001", "先生", "大阪府大阪市北区梅田3-1-1", "", "毎年 年賀状をくれる"};
    Card kichidaSheet = yoshidaSheet;
    kichidaSheet.name = "吉田　花子";
    return {
        {"google_current.csv",
         ContactFormat::GoogleCsv,
         TextEncoding::Utf8,
         {{"山田　太郎", "1000001", "様", "東京都千代田区千代田1-1", "メゾン千代田101",
           "大学の友人"},
          {"〓田　花子", "5300001", "様", "大阪府大阪市北区梅田3-1-1", "", ""},
          {"鈴木　次郎", "0600001", "様", "北海道札幌市中央区北1条西2丁目", "", ""}},
         {{"佐藤　一郎", kNoAddress}, {"9 行目", kNoName}},
         {"〓田　花子"}},
        {"google_legacy.csv",
         ContactFormat::GoogleCsv,
         TextEncoding::Utf8,
         {{"高橋　美穂", "4600008", "様", "愛知県名古屋市中区栄1-2-3", "コーポ栄202", ""},
          {"伊藤 健", "1050011", "様", "東京都港区芝公園4-2-8", "", ""}},
         {{"4 行目", "名前も住所もありません"}},
         {}},
        {"vcard30.vcf",
         ContactFormat::VCard,
         TextEncoding::Utf8,
         {{"山田　太郎", "1000001", "様", "東京都千代田区千代田1-1", "メゾン千代田101", ""},
          {"佐藤　一郎", "5300001", "様", "大阪府大阪市北区梅田3-1-1", "グランドビル5階", ""},
          {"鈴木　次郎", "0600001", "様", "北海道札幌市中央区北1条西2丁目, 3番地", "", ""},
          {"見本 花子", "4600008", "様", "愛知県名古屋市中区栄1-2-3", "", ""}},
         {{"高橋　美穂", kNoAddress}, {"6 件目", kNoName}},
         {}},
        {"vcard40.vcf",
         ContactFormat::VCard,
         TextEncoding::Utf8,
         {{"〓田　花子", "8100001", "様", "福岡県福岡市中央区天神1-1-1", "", ""},
          {"中村　健", "8100001", "様", "福岡県福岡市中央区天神2-2-2", "コーポ天神202", ""}},
         {},
         {"〓田　花子"}},
        {"vcard21_sjis.vcf",
         ContactFormat::VCard,
         TextEncoding::Cp932,
         {{"田中　一郎", "1070061", "様", "東京都港区北青山3-6-1", "表参道ヒルズ　ソニーの向かい",
           ""},
          {"中村　美咲", "4600008", "様", "愛知県名古屋市中区栄1-2-3", "", ""}},
         {},
         {}},
        {"spreadsheet_utf8.csv",
         ContactFormat::HeadedCsv,
         TextEncoding::Utf8,
         {kSpreadsheetYamada, yoshidaSheet, kSpreadsheetSuzuki},
         kSpreadsheetLeftOut,
         {"〓田　花子"}},
        {"spreadsheet_utf8_bom.csv",
         ContactFormat::HeadedCsv,
         TextEncoding::Utf8,
         {kSpreadsheetYamada, yoshidaSheet, kSpreadsheetSuzuki},
         kSpreadsheetLeftOut,
         {"〓田　花子"}},
        {"spreadsheet_utf16.txt",
         ContactFormat::HeadedCsv,
         TextEncoding::Utf16,
         {kSpreadsheetYamada, yoshidaSheet, kSpreadsheetSuzuki},
         kSpreadsheetLeftOut,
         {"〓田　花子"}},
        {"spreadsheet_cp932.csv",
         ContactFormat::HeadedCsv,
         TextEncoding::Cp932,
         {kSpreadsheetYamada, kichidaSheet, kSpreadsheetSuzuki},
         kSpreadsheetLeftOut,
         {}},
    };
}

TEST(ImportContacts, EachFixtureGivesItsCardsLeftOutContactsAndReplacedNames)
{
    for (const FixtureCase& c : fixtureCases()) {
        SCOPED_TRACE(c.file);
        LotteryGenerator lottery(42);
        const ContactImport result =
            ImportContacts(readBytes(testDataPath(std::string("import/") + c.file)), lottery);
        EXPECT_EQ(result.format, c.format);
        EXPECT_EQ(result.encoding, c.encoding);
        ASSERT_EQ(result.cards.size(), c.cards.size());
        std::set<std::string> lotteryNumbers;
        for (std::size_t i = 0; i < c.cards.size(); ++i) {
            const BookRow& got = result.cards[i];
            const Card& want = c.cards[i];
            EXPECT_EQ(got[ColNumber], "");
            EXPECT_EQ(utf8(got[ColName]), want.name);
            EXPECT_EQ(got[ColPostalCode], sj(want.postalCode));
            EXPECT_EQ(utf8(got[ColHonorific]), want.honorific);
            EXPECT_EQ(utf8(got[ColAddress1]), want.address1);
            EXPECT_EQ(utf8(got[ColAddress2]), want.address2);
            EXPECT_EQ(utf8(got[ColMemo]), want.memo);
            lotteryNumbers.insert(got[ColLottery]);
        }
        // The generator goes on from card to card, so the numbers differ.
        EXPECT_EQ(lotteryNumbers.size(), c.cards.size());
        ASSERT_EQ(result.leftOut.size(), c.leftOut.size());
        for (std::size_t i = 0; i < c.leftOut.size(); ++i) {
            EXPECT_EQ(result.leftOut[i].who, u(c.leftOut[i].who));
            EXPECT_EQ(result.leftOut[i].reason, u(c.leftOut[i].reason));
        }
        ASSERT_EQ(result.replacedNames.size(), c.replacedNames.size());
        for (std::size_t i = 0; i < c.replacedNames.size(); ++i) {
            EXPECT_EQ(result.replacedNames[i], u(c.replacedNames[i]));
        }
    }
}

TEST(ImportContacts, LotteryNumbersComeFromTheGeneratorOneCardAfterAnother)
{
    LotteryGenerator lottery(7);
    const ContactImport result =
        ImportContacts(readBytes(testDataPath("import/vcard30.vcf")), lottery);
    LotteryGenerator same(7);
    for (const BookRow& card : result.cards) {
        EXPECT_EQ(card[ColLottery], RandomDigits(6, same));
    }
}

TEST(ImportContacts, TextOfNoKnownLayoutIsLeftToTheColumnDialogAndTheRestRefused)
{
    const struct {
        std::string bytes;
        bool undecided;
    } cases[] = {
        {"", false},
        {"\xFF\xD8\xFF\xE0JFIF\0\x01\x02"s, false},
        {"BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", false},
        {"just one line of words\n", false},
        {readBytes(testDataPath("import/book_utf8.csv")), true},  // a line that is no card
        {"名前,電話\r\n山田,03\r\n", true},                       // no address column
        {"Name;Phone\r\nYamada;03\r\n", true},
        {"山田太郎\t東京都千代田区\n", true},
    };
    for (const auto& c : cases) {
        LotteryGenerator lottery(1);
        const ContactImport result = ImportContacts(c.bytes, lottery);
        EXPECT_EQ(result.format, ContactFormat::Unknown) << c.bytes;
        EXPECT_EQ(result.undecided.has_value(), c.undecided) << c.bytes;
        EXPECT_TRUE(result.cards.empty());
        EXPECT_TRUE(result.leftOut.empty());
    }
}

TEST(ImportContacts, AnotherBookComesInAsItStandsWithLotteryNumbersWhereMissing)
{
    LotteryGenerator lottery(1);
    const ContactImport result = ImportContacts(
        "1,山田太郎;花子,1000001,様;様,東京都千代田区千代田1-1,,喪中,512345\r\n"
        ",佐藤一郎,,様,北海道札幌市,,,\r\n",
        lottery);
    EXPECT_EQ(result.format, ContactFormat::Book);
    ASSERT_EQ(result.cards.size(), 2U);
    EXPECT_EQ(result.cards[0][ColName], sj("山田太郎;花子"));
    EXPECT_EQ(result.cards[0][ColLottery], "512345");
    EXPECT_EQ(result.cards[1][ColLottery].size(), 6U);
}

TEST(ImportReportText, CountThenLeftOutThenReplacedEachListCut)
{
    ContactImport result;
    result.cards.resize(3);
    EXPECT_EQ(ImportReportText(result), u("3 件の宛先を取り込みました。"));

    result.layout = "Outlook の CSV";
    result.leftOut = {{u("佐藤　一郎"), u(kNoAddress)}, {u("9 行目"), u(kNoName)}};
    result.jointNamesMoved = {u("鈴木　次郎")};
    result.replacedNames = {u("〓田　花子")};
    EXPECT_EQ(ImportReportText(result), u("3 件の宛先を取り込みました。"
                                          "\n\r形式: Outlook の CSV"
                                          "\n\r取り込まなかった連絡先:"
                                          "\n\r・佐藤　一郎（住所がありません）"
                                          "\n\r・9 行目（名前がありません）"
                                          "\n\r連名を備考に入れた宛先:"
                                          "\n\r・鈴木　次郎"
                                          "\n\rShift-JIS にない文字を 〓 に置き換えた宛先:"
                                          "\n\r・〓田　花子"));
    result.layout = nullptr;
    result.jointNamesMoved.clear();

    result.leftOut.assign(25, {u("a"), u(kNoName)});
    result.replacedNames.clear();
    const QStringList lines = ImportReportText(result).split(u("\n\r"));
    ASSERT_EQ(lines.size(), 1 + 1 + 20 + 1);
    EXPECT_EQ(lines.back(), u("ほか 5 件"));
}

}  // namespace
