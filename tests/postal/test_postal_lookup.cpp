// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/app_error.h"
#include "postal/postal_lookup.h"
#include "tests/support/fakes.h"

namespace {

using Lines = std::vector<std::string>;

std::string sampleDictionary()
{
    return std::string(std::getenv("FUMI_TEST_DATA")) + "/postal/sample.dat";
}

class RecordingChooser final : public ResultChooser {
public:
    void choose(const Lines& lines) override { shown.push_back(lines); }
    std::vector<Lines> shown;
};

class PostalLookupTest : public ::testing::Test {
protected:
    PostalLookup lookupIn(const std::string& path) { return PostalLookup(path, dialogs, chooser); }

    FakeDialogs dialogs;
    RecordingChooser chooser;
};

const QString kPostalCodeKeyTooShort =
    QString::fromUtf8("郵便番号検索には3文字以上の郵便番号が必要です。");
const QString kAddressKeyTooShort = QString::fromUtf8("2文字以上のキーワードが必要です。");
const QString kNoMatch = QString::fromUtf8("条件にマッチする結果はありませんでした。");

TEST_F(PostalLookupTest, ShortKeysAreRefusedWithoutTouchingTheFile)
{
    // The dictionary does not exist: a look at it would throw.
    PostalLookup lookup = lookupIn("/nonexistent/postcode.dat");
    lookup.searchByPostalCode("10");
    lookup.searchByPostalCode("");
    lookup.searchByAddress(sj("東"));
    lookup.searchByAddress("abc");
    EXPECT_EQ(dialogs.texts(), (QStringList{kPostalCodeKeyTooShort, kPostalCodeKeyTooShort,
                                            kAddressKeyTooShort, kAddressKeyTooShort}));
    EXPECT_TRUE(chooser.shown.empty());
}

TEST_F(PostalLookupTest, PostalCodeSearchShowsEveryLineBeginningWithKey)
{
    lookupIn(sampleDictionary()).searchByPostalCode("100");
    ASSERT_EQ(chooser.shown.size(), 1u);
    EXPECT_EQ(chooser.shown[0].size(), 4u);
    EXPECT_EQ(chooser.shown[0][0], sj("1000001,東京都千代田区千代田"));
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(PostalLookupTest, AddressSearchAcceptsFourBytesAndSearchesTheWholeLine)
{
    PostalLookup lookup = lookupIn(sampleDictionary());
    lookup.searchByAddress(sj("一ツ橋"));
    lookup.searchByAddress(sj("谷a1"));  // one double-byte character and two ASCII
    lookup.searchByAddress("0001");      // digits of the code column
    EXPECT_EQ(dialogs.texts(), QStringList{kNoMatch});
    ASSERT_EQ(chooser.shown.size(), 2u);
    EXPECT_EQ(chooser.shown[0], Lines{sj("1000003,東京都千代田区一ツ橋")});
    EXPECT_EQ(chooser.shown[1].size(), 3u);
}

TEST_F(PostalLookupTest, NoMatchIsReportedAndNothingIsShown)
{
    lookupIn(sampleDictionary()).searchByPostalCode("1234567");
    EXPECT_EQ(dialogs.texts(), QStringList{kNoMatch});
    EXPECT_TRUE(chooser.shown.empty());
}

TEST_F(PostalLookupTest, MissingDictionaryEndsTheCommandWithItsMessage)
{
    PostalLookup lookup = lookupIn("/nonexistent/postcode.dat");
    for (int kind = 0; kind < 2; ++kind) {
        try {
            kind == 0 ? lookup.searchByPostalCode("100") : lookup.searchByAddress(sj("東京"));
            ADD_FAILURE() << "no error for a missing dictionary";
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), QString::fromUtf8("postcode.dat が見つかりません"));
        }
    }
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_TRUE(chooser.shown.empty());
}

TEST(PostcodeDictionaryPath, IsPostcodeDatInTheGivenFolder)
{
    EXPECT_EQ(PostcodeDictionaryPath(QStringLiteral("/opt/fumiyose")),
              "/opt/fumiyose/postcode.dat");
    EXPECT_EQ(PostcodeDictionaryPath(QString::fromUtf8("/home/山田/bin")),
              QString::fromUtf8("/home/山田/bin/postcode.dat").toLocal8Bit().toStdString());
}

TEST(ResultLineParts, PostalCodeIsTheFirstSevenBytes)
{
    EXPECT_EQ(PostalCodeOfLine(sj("1000001,東京都千代田区千代田")), "1000001");
    // A short code takes the comma and the first byte of the address with it.
    EXPECT_EQ(PostalCodeOfLine(sj("12345,短番号町")), sj("12345,短").substr(0, 7));
    EXPECT_EQ(PostalCodeOfLine("123"), "123");
    EXPECT_EQ(PostalCodeOfLine(""), "");
}

TEST(ResultLineParts, AddressIsEverythingAfterTheFirstComma)
{
    EXPECT_EQ(AddressOfLine(sj("1000001,東京都千代田区千代田")), sj("東京都千代田区千代田"));
    EXPECT_EQ(AddressOfLine(sj("1000004,大手町,別館")), sj("大手町,別館"));
    EXPECT_EQ(AddressOfLine(sj("9999999 コンマのない行")), sj("9999999 コンマのない行"));
    EXPECT_EQ(AddressOfLine("1000001,"), "");
    EXPECT_EQ(AddressOfLine(",x"), "x");
}

}  // namespace
