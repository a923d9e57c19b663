// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>

#include "book/address_book.h"
#include "book/book_file.h"
#include "book/book_model.h"
#include "book/random_digits.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"
#include "tests/support/random_cells.h"

namespace {

TEST(SplitJoint, FollowsTheOneRuleForEveryReader)
{
    struct Case {
        const char* names;
        const char* honorifics;
        const char* name;
        const char* honorific;
        const char* joint;
        const char* jointHonorific;
        bool hasJoint;
    } cases[] = {
        {"山田太郎;花子", "様;様", "山田太郎", "様", "花子", "様", true},
        {"山田太郎;花子", "様", "山田太郎", "", "花子", "様", true},
        {"山田太郎", "様;殿", "山田太郎", "様;殿", "", "", false},
        {"a;b;c", "x;y", "a", "x", "b;c", "y", true},
        {";花子", ";様", "", "", "花子", "様", true},
    };
    for (const Case& c : cases) {
        const SplitNames s = SplitJoint(sj(c.names), sj(c.honorifics));
        EXPECT_EQ(s.name, sj(c.name)) << c.names;
        EXPECT_EQ(s.honorific, sj(c.honorific)) << c.names;
        EXPECT_EQ(s.jointName, sj(c.joint)) << c.names;
        EXPECT_EQ(s.jointHonorific, sj(c.jointHonorific)) << c.names;
        EXPECT_EQ(s.hasJoint, c.hasJoint) << c.names;
    }
}

TEST(JoinJoint, DropsTheJointHonorificWithoutAJointName)
{
    const JointCells withJoint = JoinJoint(sj("山田太郎"), sj("様"), sj("花子"), sj("様"));
    EXPECT_EQ(withJoint.names, sj("山田太郎;花子"));
    EXPECT_EQ(withJoint.honorifics, sj("様;様"));
    const JointCells alone = JoinJoint(sj("山田太郎"), sj("様"), "", sj("殿"));
    EXPECT_EQ(alone.names, sj("山田太郎"));
    EXPECT_EQ(alone.honorifics, sj("様"));
    // Joined and split again gives the fields back.
    const SplitNames back = SplitJoint(withJoint.names, withJoint.honorifics);
    EXPECT_EQ(back.jointName, sj("花子"));
}

TEST(AddressBookTable, GrowsShrinksAndNeverDropsBelowOneCard)
{
    AddressBook book;
    EXPECT_EQ(book.rowCount(), 2);
    book.setCell(ColName, 1, "a");
    book.setRowCount(5);
    EXPECT_EQ(book.rowCount(), 5);
    EXPECT_EQ(book.cell(ColName, 4), "");
    book.setCell(ColName, 4, "d");
    book.setRowCount(3);
    book.setRowCount(5);
    EXPECT_EQ(book.cell(ColName, 4), "") << "shrinking drops cells for good";
    EXPECT_EQ(book.cell(ColName, 1), "a");
    book.setRowCount(0);
    EXPECT_EQ(book.rowCount(), 2);
    // Out of range reads are empty; writes change nothing and never the row count.
    EXPECT_EQ(book.cell(ColName, 99), "");
    EXPECT_EQ(book.cell(8, 1), "");
    book.setCell(ColName, 99, "x");
    EXPECT_EQ(book.rowCount(), 2);
    EXPECT_EQ(book.row(99), BookRow{});
}

TEST(AddressBookTable, TheRevisionCountsRealChangesOnly)
{
    AddressBook book;
    const auto start = book.revision();
    book.setCell(ColName, 1, "a");
    book.setCell(ColName, 1, "a");
    book.setRowCount(2);
    EXPECT_EQ(book.revision(), start + 1) << "same text, same row count: no change";
    book.setRowCount(3);
    book.replaceWith(AddressBook());
    EXPECT_EQ(book.revision(), start + 3);
}

TEST(AddressBookTable, RenumberWritesOneToNWhateverTheRowsHeld)
{
    AddressBook book;
    book.setRowCount(4);
    book.setCell(ColNumber, 1, "5");
    book.setCell(ColNumber, 2, "9");
    book.setCell(ColNumber, 3, "");
    book.renumberCards();
    EXPECT_EQ(book.cell(ColNumber, 0), "");
    EXPECT_EQ(book.cell(ColNumber, 1), "1");
    EXPECT_EQ(book.cell(ColNumber, 2), "2");
    EXPECT_EQ(book.cell(ColNumber, 3), "3");
}

TEST(RandomDigits, IsTheClockSeededGeneratorWithoutNinesOrALeadingZero)
{
    FixedClock clock(0);
    // Seed 0: state 1, 134775814, ... The first draw of 0 becomes 1.
    LotteryGenerator g(0);
    std::string expected;
    for (int i = 1; i <= 6; ++i) {
        std::uint32_t d = g.draw(9);
        expected += static_cast<char>('0' + ((i == 1 && d == 0) ? 1 : d));
    }
    EXPECT_EQ(RandomDigits(6, clock), expected);
    EXPECT_EQ(expected, "107126");

    for (std::uint32_t ms = 0; ms < 86'400'000u; ms += 86'400'000u / 5000u) {
        clock.set(ms);
        const std::string digits = RandomDigits(6, clock);
        ASSERT_EQ(digits.size(), 6u);
        ASSERT_NE(digits[0], '0') << ms;
        ASSERT_EQ(digits.find('9'), std::string::npos) << ms;
    }
    clock.set(12'345'678);
    EXPECT_EQ(RandomDigits(6, clock), RandomDigits(6, clock)) << "same millisecond, same digits";
    clock.set(12'345'679);
    const std::string next = RandomDigits(6, clock);
    clock.set(12'345'678);
    EXPECT_NE(next, RandomDigits(6, clock));
}

TEST(RandomDigits, AGeneratorGoesOnWhereItStoodSoCardsDiffer)
{
    LotteryGenerator generator(12'345'678);
    const std::string first = RandomDigits(6, generator);
    const std::string second = RandomDigits(6, generator);
    FixedClock clock(12'345'678);
    EXPECT_EQ(first, RandomDigits(6, clock));
    EXPECT_NE(first, second);
    EXPECT_EQ(second.size(), 6u);
    EXPECT_NE(second[0], '0');
}

TEST(BookModel, ShowsTheSameCellsAsTheTableAndEditsLandInIt)
{
    AddressBook book;
    book.setCell(ColName, 0, sj("名前/連名"));
    book.setCell(ColNumber, 1, "1");
    BookModel model(book);
    EXPECT_EQ(model.columnCount(), 7);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QString::fromUtf8("名前/連名"));
    EXPECT_EQ(model.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), u("1"));

    ASSERT_TRUE(model.setData(model.index(0, 3), QString::fromUtf8("東京都"), Qt::EditRole));
    EXPECT_EQ(book.cell(ColAddress1, 1), sj("東京都"));
    EXPECT_FALSE(model.setData(model.index(0, 3), QString::fromUtf8("😀"), Qt::EditRole));
    EXPECT_EQ(book.cell(ColAddress1, 1), sj("東京都"));

    int changed = 0;
    QObject::connect(&model, &BookModel::dataChanged, [&] { ++changed; });
    book.setCell(ColMemo, 1, sj("メモ"));
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(model.data(model.index(0, 5), Qt::DisplayRole).toString(), QString::fromUtf8("メモ"));

    book.setRowCount(4);
    EXPECT_EQ(model.rowCount(), 3);
    book.setRowCount(2);
    EXPECT_EQ(model.rowCount(), 1);
    AddressBook other;
    other.setRowCount(10);
    book.replaceWith(std::move(other));
    EXPECT_EQ(model.rowCount(), 9);
    EXPECT_EQ(model.flags(model.index(0, 0)) & Qt::ItemIsEditable, Qt::ItemIsEditable);
}

TEST(CardNames, NameWithHonorificAndPostalBoxes)
{
    EXPECT_EQ(NameWithHonorific(sj("山田"), sj("様"), EmptyName::ShowsNothing), sj("山田 様"));
    EXPECT_EQ(NameWithHonorific("", sj("様"), EmptyName::ShowsNothing), "");
    EXPECT_EQ(NameWithHonorific(sj("山田"), "", EmptyName::ShowsNothing), sj("山田 "));
    EXPECT_EQ(NameWithHonorific("", sj("様"), EmptyName::KeepsHonorific), sj(" 様"));
    const auto full = PostalDigits("1000001");
    EXPECT_EQ(full, (std::array<std::string, 7>{"1", "0", "0", "0", "0", "0", "1"}));
    const auto hyphen = PostalDigits("123-4567");
    EXPECT_EQ(hyphen, (std::array<std::string, 7>{"1", "2", "3", "-", "4", "5", "6"}));
    const auto three = PostalDigits("100");
    EXPECT_EQ(three[2], "0");
    EXPECT_EQ(three[3], "");
    EXPECT_EQ(three[6], "");
}

// The grid commits its in-place editor whenever the current cell moves: each
// cell of the card row gets the text it shows back.
::testing::AssertionResult passingThroughKeeps(AddressBook& book, BookModel& model, int row)
{
    const BookRow before = book.row(row);
    const std::uint64_t revision = book.revision();
    for (int column = 0; column < model.columnCount(); ++column) {
        const QModelIndex cell = model.index(row - 1, column);
        if (!model.setData(cell, model.data(cell, Qt::EditRole), Qt::EditRole)) {
            return ::testing::AssertionFailure() << "column " << column << " refused its own text";
        }
    }
    if (book.row(row) != before || book.revision() != revision) {
        return ::testing::AssertionFailure() << "the row changed";
    }
    return ::testing::AssertionSuccess();
}

TEST(BookModel, PassingThroughACellChangesNoByte)
{
    const std::string cells[] = {
        "\xee\xe0",              // 髙 as the NEC-selected IBM extension (IBM: 0xFB 0xFC)
        "\x87\x90",              // ≒ of NEC row 13 (JIS row 2: 0x81 0xE0)
        "A\x85\x40\x93",         // an unassigned code and a lone lead byte
        "\x80\xa0\xfd\xfe\xff",  // the single bytes the code page leaves undefined
        std::string("a\0b", 3),
    };
    for (const std::string& cell : cells) {
        AddressBook book;
        book.setCell(ColAddress1, 1, cell);
        BookModel model(book);
        EXPECT_TRUE(passingThroughKeeps(book, model, 1)) << hexBytes(cell);
    }

    // An edit stores the text as shown: a duplicate in its Windows form, the
    // undefined single bytes as they were.
    AddressBook book;
    book.setCell(ColName, 1, "\xee\xe0\xfd");
    BookModel model(book);
    const QModelIndex name = model.index(0, 0);
    ASSERT_TRUE(
        model.setData(name, model.data(name, Qt::EditRole).toString() + u("x"), Qt::EditRole));
    EXPECT_EQ(book.cell(ColName, 1), "\xfb\xfc\xfdx");
    // A changed text with no code page form is refused, also beside undecodable bytes.
    book.setCell(ColName, 1, "\x85\x40");
    EXPECT_FALSE(
        model.setData(name, model.data(name, Qt::EditRole).toString() + u("x"), Qt::EditRole));
    EXPECT_EQ(book.cell(ColName, 1), "\x85\x40");
}

TEST(BookModel, PassingThroughAnyRowReadFromAFileChangesNoByte)
{
    std::mt19937 rng(13);
    AddressBook book;
    BookModel model(book);
    for (const BookRow& row : randomBookRows(rng, 3000)) {
        book.setRow(1, row);
        ASSERT_TRUE(passingThroughKeeps(book, model, 1)) << hexBytes(EncodeBookLine(row));
    }
}

}  // namespace
