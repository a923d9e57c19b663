// SPDX-License-Identifier: MIT
#include "book/kanji_numerals.h"

#include <gtest/gtest.h>

#include <string>

#include "book/address_book.h"
#include "text/cp932.h"

namespace {

// Code page 932 bytes of a UTF-8 literal.
std::string sjis(const char* utf8)
{
    std::string bytes;
    EXPECT_TRUE(cp932::fromUnicode(QString::fromUtf8(utf8), bytes)) << utf8;
    return bytes;
}

TEST(ToKanjiNumerals, DigitsAndHyphensBecomeKanjiOneByOne)
{
    EXPECT_EQ(ToKanjiNumerals("1-2-3"), sjis("一ー二ー三"));
    EXPECT_EQ(ToKanjiNumerals("10"), sjis("一〇"));
    EXPECT_EQ(ToKanjiNumerals("2005"), sjis("二〇〇五"));
    EXPECT_EQ(ToKanjiNumerals("0123456789-"), sjis("〇一二三四五六七八九ー"));
}

TEST(ToKanjiNumerals, UsesTheExactBytesOfTheTable)
{
    EXPECT_EQ(ToKanjiNumerals("1"), "\x88\xEA");
    EXPECT_EQ(ToKanjiNumerals("0"), "\x81\x5A");
    // The long-vowel mark, not the kanji one.
    EXPECT_EQ(ToKanjiNumerals("-"), "\x81\x5B");
}

TEST(ToKanjiNumerals, ConvertsInsideARealAddress)
{
    EXPECT_EQ(ToKanjiNumerals(sjis("千代田区千代田1-1 ABCビル3F")),
              sjis("千代田区千代田一ー一 ABCビル三F"));
}

TEST(ToKanjiNumerals, LeavesOtherCharactersByteForByte)
{
    EXPECT_EQ(ToKanjiNumerals(""), "");
    const std::string fullWidth = sjis("２丁目－３−４");  // full-width digits, hyphen, minus
    EXPECT_EQ(ToKanjiNumerals(fullWidth), fullWidth);
    const std::string untouched = sjis("東京都港区 ABC ｱｲｳ 表ソ能");
    EXPECT_EQ(ToKanjiNumerals(untouched), untouched);
}

TEST(ToKanjiNumerals, IsIdempotent)
{
    const std::string once = ToKanjiNumerals(sjis("大手町1-2-30 5F"));
    EXPECT_EQ(ToKanjiNumerals(once), once);
}

TEST(ReplaceAllOccurrences, ReplacesEveryMatchLeftToRight)
{
    EXPECT_EQ(ReplaceAllOccurrences("a-b-c", "-", "+"), "a+b+c");
    EXPECT_EQ(ReplaceAllOccurrences("-", "-", "XY"), "XY");
    EXPECT_EQ(ReplaceAllOccurrences("--", "-", ""), "");
    EXPECT_EQ(ReplaceAllOccurrences("abc", "x", "y"), "abc");
    EXPECT_EQ(ReplaceAllOccurrences("", "x", "y"), "");
}

TEST(ReplaceAllOccurrences, ContinuesBehindTheLastMatch)
{
    // The inserted text is not searched again, and matches do not overlap.
    EXPECT_EQ(ReplaceAllOccurrences("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAllOccurrences("aaa", "aa", "X"), "Xa");
}

TEST(ReplaceAllOccurrences, EmptySearchChangesNothing)
{
    EXPECT_EQ(ReplaceAllOccurrences("abc", "", "X"), "abc");
}

TEST(ReplaceAllOccurrences, NeverMatchesInsideADoubleByteCharacter)
{
    // 表 is 0x95 0x5C and ソ is 0x83 0x5C: their trail byte is a backslash.
    const std::string hyou = sjis("表");
    const std::string so = sjis("ソ");
    EXPECT_EQ(ReplaceAllOccurrences(hyou + so, "\\", "/"), hyou + so);
    EXPECT_EQ(ReplaceAllOccurrences(hyou + "\\", "\\", "/"), hyou + "/");
    // ア is 0x83 0x41: its trail byte is an "A".
    EXPECT_EQ(ReplaceAllOccurrences(sjis("アA"), "A", "B"), sjis("アB"));
}

TEST(ReplaceAllOccurrences, FindsDoubleByteCharactersOnTheirBoundary)
{
    EXPECT_EQ(ReplaceAllOccurrences(sjis("一二一"), sjis("一"), "1"), "1" + sjis("二") + "1");
    // 0x8E 0x4F (三) holds "O" as its trail byte: no match for "O" there.
    EXPECT_EQ(ReplaceAllOccurrences(sjis("三O"), "O", "o"), sjis("三o"));
}

TEST(ConvertAddressesToKanjiNumerals, RewritesBothAddressLinesOfEveryCardOnly)
{
    AddressBook book;
    book.setRowCount(3);
    const BookRow header = book.row(0);
    const BookRow first = {"1", "A;B", "1000001", "1;2", sjis("港区1-2"), "3F", "memo 9", "123456"};
    book.setRow(1, first);
    book.setCell(ColAddress2, 2, "10-20");
    book.setCell(ColMemo, 2, "5-6");

    ConvertAddressesToKanjiNumerals(book);

    EXPECT_EQ(book.row(0), header);
    BookRow expected = first;
    expected[ColAddress1] = sjis("港区一ー二");
    expected[ColAddress2] = sjis("三F");
    EXPECT_EQ(book.row(1), expected);
    EXPECT_EQ(book.cell(ColAddress1, 2), "");
    EXPECT_EQ(book.cell(ColAddress2, 2), sjis("一〇ー二〇"));
    EXPECT_EQ(book.cell(ColMemo, 2), "5-6");
}

}  // namespace
