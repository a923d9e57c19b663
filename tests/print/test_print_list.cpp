// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "print/print_list.h"
#include "print/print_preview.h"
#include "tests/support/fakes.h"

namespace {

BookRow Card(const char* number, const char* name, const char* code, const char* honorific,
             const char* address1, const char* address2 = "", const char* lottery = "")
{
    return {number, sj(name), code, sj(honorific), sj(address1), sj(address2), "", lottery};
}

AddressBook ThreeCards()
{
    AddressBook book;
    book.setRowCount(4);
    book.setRow(1, Card("1", "山田太郎", "1000001", "様", "東京都千代田区"));
    book.setRow(2, Card("2", "佐藤花子;次郎", "5300001", "様;君", "大阪府大阪市"));
    book.setRow(3, Card("3", "鈴木一郎", "0600001", "殿", "北海道札幌市"));
    return book;
}

}  // namespace

TEST(PrintListRebuild, OneUntickedItemPerCompleteRow)
{
    FakeDialogs dialogs;
    std::vector<PrintListItem> items;
    ASSERT_TRUE(RebuildPrintList(ThreeCards(), dialogs, items));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].row, 1);
    EXPECT_EQ(items[0].text, sj("山田太郎 : 東京都千代田区"));
    EXPECT_EQ(items[1].row, 2);
    EXPECT_EQ(items[1].text, sj("佐藤花子;次郎 : 大阪府大阪市"));
    EXPECT_EQ(items[2].row, 3);
    EXPECT_TRUE(dialogs.log.empty());
}

TEST(PrintListRebuild, EmptyFirstCardKeepsTheOldItems)
{
    AddressBook book = ThreeCards();
    book.setCell(ColName, 1, "");
    FakeDialogs dialogs;
    std::vector<PrintListItem> items{{7, "old"}};
    EXPECT_FALSE(RebuildPrintList(book, dialogs, items));
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0].kind, FakeDialogs::Entry::Notice);
    EXPECT_EQ(dialogs.log[0].text, QStringLiteral("データがないためリストを出せません。"));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, "old");
}

TEST(PrintListRebuild, IncompleteNumberedRowsAreReportedOneByOne)
{
    AddressBook book = ThreeCards();
    book.setRowCount(7);
    book.setCell(ColPostalCode, 2, "");                            // no postal code
    book.setRow(4, Card("4", "", "1000002", "様", "東京都港区"));  // no name
    book.setRow(5, Card("5", "田中", "1000003", "様", ""));        // no address
    book.setRow(6, Card("", "田中", "", "", ""));                  // no number: silent
    FakeDialogs dialogs;
    std::vector<PrintListItem> items{{9, "old"}};
    ASSERT_TRUE(RebuildPrintList(book, dialogs, items));
    EXPECT_EQ(dialogs.texts(),
              QStringList({QStringLiteral("2番のデータが不正です。リストに追加できません。"),
                           QStringLiteral("4番のデータが不正です。リストに追加できません。"),
                           QStringLiteral("5番のデータが不正です。リストに追加できません。")}));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].row, 1);
    EXPECT_EQ(items[1].row, 3);
}

TEST(PrintListRebuild, OptionalColumnsMayBeEmpty)
{
    AddressBook book;
    book.setRow(1, Card("1", "山田", "1", "", "住所"));
    FakeDialogs dialogs;
    std::vector<PrintListItem> items;
    ASSERT_TRUE(RebuildPrintList(book, dialogs, items));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_TRUE(dialogs.log.empty());
}

TEST(PrintPreview, SingleNameAndAddressesAsStored)
{
    AddressBook book = ThreeCards();
    book.setCell(ColAddress2, 1, sj("一ノ一"));
    book.setCell(ColLottery, 1, "012345");
    const auto texts = ShowPrintPreview(book, 1);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->name, sj("山田太郎 様"));
    EXPECT_EQ(texts->name2, "");
    EXPECT_EQ(texts->address1, sj("東京都千代田区"));
    EXPECT_EQ(texts->address2, sj("一ノ一"));  // no leading spaces on screen
    const std::array<std::string, 7> digits{"1", "0", "0", "0", "0", "0", "1"};
    EXPECT_EQ(texts->postalDigits, digits);
    EXPECT_EQ(texts->lottery, "012345");
}

TEST(PrintPreview, JointNameFillsTheSecondLabel)
{
    const auto texts = ShowPrintPreview(ThreeCards(), 2);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->name, sj("佐藤花子 様"));
    EXPECT_EQ(texts->name2, sj("次郎 君"));
}

TEST(PrintPreview, HonorificWithoutSemicolonBelongsToTheJointName)
{
    AddressBook book = ThreeCards();
    book.setCell(ColHonorific, 2, sj("様"));
    const auto texts = ShowPrintPreview(book, 2);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->name, sj("佐藤花子 "));
    EXPECT_EQ(texts->name2, sj("次郎 様"));
}

TEST(PrintPreview, ShortCodesLeaveLaterBoxesEmpty)
{
    AddressBook book = ThreeCards();
    book.setCell(ColPostalCode, 1, "123");
    const auto texts = ShowPrintPreview(book, 1);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->postalDigits[2], "3");
    EXPECT_EQ(texts->postalDigits[3], "");
    EXPECT_EQ(texts->postalDigits[6], "");
}

TEST(PrintPreview, RowsBeyondTheTableChangeNothing)
{
    const AddressBook book = ThreeCards();  // four rows, header included
    EXPECT_FALSE(ShowPrintPreview(book, 5));
    // The row just past the last card still counts as within the grid.
    const auto edge = ShowPrintPreview(book, 4);
    ASSERT_TRUE(edge);
    EXPECT_EQ(edge->name, " ");
}

TEST(PrintListAndPreview, ItemsAfterALeftOutRowKeepTheirOwnRows)
{
    AddressBook book = ThreeCards();
    book.setCell(ColPostalCode, 2, "");
    FakeDialogs dialogs;
    std::vector<PrintListItem> items;
    ASSERT_TRUE(RebuildPrintList(book, dialogs, items));
    ASSERT_EQ(items.size(), 2u);
    const auto texts = ShowPrintPreview(book, items[1].row);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->name, sj("鈴木一郎 殿"));
}
