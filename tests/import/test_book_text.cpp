// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>

#include "book/book_file.h"
#include "import/book_text.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"

namespace {

using namespace std::string_literals;

std::string fixture(const std::string& name)
{
    return readBytes(testDataPath("import/" + name));
}

void expectSameBook(const AddressBook& a, const AddressBook& b)
{
    ASSERT_EQ(a.rowCount(), b.rowCount());
    for (int r = 0; r < a.rowCount(); ++r) {
        for (int c = 0; c < ColumnCount; ++c) {
            EXPECT_EQ(a.cell(c, r), b.cell(c, r)) << "column " << c << ", row " << r;
        }
    }
}

TEST(DetectTextEncoding, MarksOrValidUtf8WithHighBytesElseCodePage932)
{
    const struct {
        std::string bytes;
        TextEncoding expected;
    } cases[] = {
        {"", TextEncoding::Cp932},
        {"1,a,,,,,,\r\n", TextEncoding::Cp932},  // ASCII reads the same either way
        {"\xEF\xBB\xBF"
         "1,a",
         TextEncoding::Utf8},
        {"\xEF\xBB\xBF\xFF", TextEncoding::Utf8},  // the mark decides
        {"\xFF\xFE"
         "1\0"s,
         TextEncoding::Utf16},
        {"\xFE\xFF\0"
         "1"s,
         TextEncoding::Utf16},
        {"\xE5\xB1\xB1\xE7\x94\xB0", TextEncoding::Utf8},  // 山田
        {"\xF0\xA0\xAE\xB7", TextEncoding::Utf8},          // 𠮷
        {sj("山田,表"), TextEncoding::Cp932},
        {"\xC0\xAF", TextEncoding::Cp932},          // overlong
        {"\xED\xA0\x80", TextEncoding::Cp932},      // a surrogate
        {"\xF4\x90\x80\x80", TextEncoding::Cp932},  // above U+10FFFF
        {"\xE5\xB1", TextEncoding::Cp932},          // cut off
        {"abcdefgh\xE5\xB1\xB1xyz\x80", TextEncoding::Cp932},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetectTextEncoding(c.bytes), c.expected) << c.bytes;
    }
}

TEST(ParseBookTextAnyEncoding, UnicodeBooksReadAsTheSameBookInCodePage932)
{
    AddressBook expected;
    const std::vector<int> expectedLeftOut = ParseBookText(fixture("book_cp932.csv"), expected);
    ASSERT_EQ(expectedLeftOut, std::vector<int>{5});
    const struct {
        const char* file;
        TextEncoding encoding;
    } cases[] = {{"book_utf8.csv", TextEncoding::Utf8},
                 {"book_utf8_bom.csv", TextEncoding::Utf8},
                 {"book_utf16.csv", TextEncoding::Utf16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        AddressBook book;
        const BookTextReport report = ParseBookTextAnyEncoding(fixture(c.file), book);
        EXPECT_EQ(report.encoding, c.encoding);
        EXPECT_EQ(report.leftOutLines, expectedLeftOut);
        // 𠮷 in card 2's name and memo; the 〓 the file itself holds in card 1 is no replacement.
        EXPECT_EQ(report.replaced, (std::vector<ReplacedCell>{{2, ColName}, {2, ColMemo}}));
        expectSameBook(book, expected);
    }
}

TEST(ParseBookTextAnyEncoding, EveryOtherFileIsReadByteForByteAsParseBookTextReadsIt)
{
    // Among them UTF-8 that breaks only on its last line.
    std::vector<std::string> files{fixture("book_cp932.csv"), "1,\xE5\xB1,,,,,,\r\n",
                                   fixture("book_utf8.csv") + "\xE5\xB1"};
    std::mt19937 random(14);
    for (int i = 0; i < 200; ++i) {
        std::string bytes(random() % 300, '\0');
        for (char& b : bytes) {
            b = static_cast<char>(random() % 7 == 0 ? ',' : random() % 256);
        }
        files.push_back(bytes);
    }
    for (const std::string& bytes : files) {
        AddressBook book;
        const BookTextReport report = ParseBookTextAnyEncoding(bytes, book);
        // The conversion checks UTF-8 as it goes, by the same rule.
        ASSERT_EQ(report.encoding, DetectTextEncoding(bytes));
        if (report.encoding != TextEncoding::Cp932) {
            continue;
        }
        AddressBook expected;
        EXPECT_EQ(report.leftOutLines, ParseBookText(bytes, expected));
        EXPECT_TRUE(report.replaced.empty());
        expectSameBook(book, expected);
    }
}

TEST(ParseBookTextAnyEncoding, ReplacedCellsAreNamedByTheRowsParseBookTextGives)
{
    const struct {
        std::string utf8;
        std::vector<ReplacedCell> replaced;
    } cases[] = {
        {"\r\n \t\r\n  1,𠮷,3,4,5,6,7,8\r\n", {{1, 1}}},  // blank lines take no row
        {"x\n1,2,3,4,5,6,7,😀", {{2, 7}}},                 // a line not taken still takes its row
        {"1,\"a, 𠮷\"\"\",3,4,5,6,7,8\n", {{1, 1}}},
        {"1,𠮷,3\n2,,,,,,,𠮷\n", {{2, 7}}},  // no cells from a line not taken
        {"𠮷,,,,,,,\n,〓,,,,,,𠮷𠮷", {{1, 0}, {2, 7}}},
        {"\xEF\xBB\xBF"
         "1,\xFF,3,4,5,6,7,8",
         {{1, 1}}},  // a mark, then bytes that are not UTF-8
    };
    for (const auto& c : cases) {
        AddressBook book;
        EXPECT_EQ(ParseBookTextAnyEncoding(c.utf8, book).replaced, c.replaced) << c.utf8;
    }
}

TEST(ConvertedBookNotice, OneNoticeNamingTheEncodingAndTheReplacedCells)
{
    const QString converted =
        u("このファイルは UTF-8 で書かれていたため、Shift-JIS に変換して読み込みました。"
          "保存すると Shift-JIS で書き込まれます。");
    EXPECT_EQ(ConvertedBookNotice({TextEncoding::Cp932, {}, {}}), QString());
    EXPECT_EQ(ConvertedBookNotice({TextEncoding::Utf8, {3}, {}}), converted);

    BookTextReport report{TextEncoding::Utf16, {}, {{2, 1}, {2, 6}, {5, 0}, {5, 7}}};
    EXPECT_EQ(ConvertedBookNotice(report), QString(converted).replace(u("UTF-8"), u("UTF-16")) +
                                               u("\n\rShift-JIS にない文字を 〓 に置き換えた欄:"
                                                 "\n\r・カード 2: 名前/連名、備考(印刷されません)"
                                                 "\n\r・カード 5: カード番号、お年玉番号"));

    report.replaced.clear();
    for (int row = 1; row <= 23; ++row) {
        report.replaced.push_back({row, 4});
    }
    const QStringList lines = ConvertedBookNotice(report).split(u("\n\r"));
    ASSERT_EQ(lines.size(), 1 + 1 + 20 + 1);
    EXPECT_EQ(lines[21], u("・カード 20: 住所1"));
    EXPECT_EQ(lines[22], u("ほか 3 件"));
}

}  // namespace
