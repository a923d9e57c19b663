// SPDX-License-Identifier: MIT
// A card loaded into the editor and stored back changes no byte but those the
// joint name and the card number rules rewrite, whatever a book file held.
#include <gtest/gtest.h>

#include <random>

#include "editor/card_editor.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/random_cells.h"

namespace {

// The row as loading and storing it must leave it: renumbered, and the names
// split and joined again (a card without a joint name keeps column 3 whole).
BookRow expectedAfterRoundTrip(BookRow row, int number)
{
    row[ColNumber] = std::to_string(number);
    const SplitNames names = SplitJoint(row[ColName], row[ColHonorific]);
    const JointCells joined =
        JoinJoint(names.name, names.honorific, names.jointName, names.jointHonorific);
    row[ColName] = joined.names;
    row[ColHonorific] = joined.honorifics;
    return row;
}

class CardRoundTrip : public ::testing::Test, public MainWindowFixture {
protected:
    // Loads row 1 holding `cells` and stores it back; the row as stored.
    BookRow roundTrip(const BookRow& cells)
    {
        window->book().setRow(1, cells);
        EXPECT_TRUE(window->editor().LoadCard(1));
        window->editor().SaveCard(1);
        return window->book().row(1);
    }
};

TEST_F(CardRoundTrip, FixedCellsKeepTheirBytes)
{
    const std::string undefined = "\x80\xa0\xfd\xfe\xff";
    const std::string duplicates = "\xee\xe0\x87\x90";  // 髙 and ≒ in their NEC codes
    const std::string broken = "A\x85\x40\x81";         // unassigned, then a lone lead byte
    const std::string longCell(40'000, 'x');
    const BookRow rows[] = {
        {"1", undefined, undefined, undefined, undefined, undefined, undefined, undefined},
        {"1", duplicates, "1000001", duplicates, duplicates, duplicates, duplicates, "123456"},
        {"1", broken + ";" + broken, broken, broken + ";" + broken, broken, broken, broken, broken},
        {"1", longCell, longCell, longCell, longCell, longCell, longCell, longCell},
    };
    for (const BookRow& row : rows) {
        const BookRow stored = roundTrip(row);
        const BookRow expected = expectedAfterRoundTrip(row, 1);
        for (int c = 0; c < ColumnCount; ++c) {
            EXPECT_EQ(hexBytes(stored[c]).substr(0, 60), hexBytes(expected[c]).substr(0, 60))
                << "column " << c;
            EXPECT_EQ(stored[c].size(), expected[c].size()) << "column " << c;
        }
    }
}

TEST_F(CardRoundTrip, AnyRowReadFromAFileComesBackAsItWas)
{
    std::mt19937 rng(20261208);
    const std::vector<BookRow> rows = randomBookRows(rng, 400);
    ASSERT_GT(rows.size(), 100u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const BookRow stored = roundTrip(rows[i]);
        const BookRow expected = expectedAfterRoundTrip(rows[i], 1);
        for (int c = 0; c < ColumnCount; ++c) {
            ASSERT_EQ(hexBytes(stored[c]), hexBytes(expected[c]))
                << "row " << i << ", column " << c << ", read as " << hexBytes(rows[i][c]);
        }
    }
}

}  // namespace
