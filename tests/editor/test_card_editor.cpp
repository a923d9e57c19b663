// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <map>

#include "editor/card_editor.h"
#include "tests/support/fake_editor_view.h"
#include "tests/support/fakes.h"

namespace {

class CardEditorTest : public ::testing::Test {
protected:
    CardEditorTest() : editor(book, state, view, dialogs, clock)
    {
        view.editor = &editor;
        book.setCell(ColNumber, 1, "1");
    }

    void typeCard(const char* name, const char* postal, const char* address)
    {
        view.type(CardField::Name, name);
        view.type(CardField::YuubinNo, postal);
        view.type(CardField::Address, address);
    }

    // A book of `n` stored cards named 1..n, editor on the last.
    void makeCards(int n)
    {
        for (int i = 1; i <= n; ++i) {
            if (i > 1) {
                editor.btnNewcardClick();
            }
            typeCard(std::to_string(i).c_str(), "1000001", "東京都");
            editor.btnSaveCardClick();
        }
        dialogs.log.clear();
    }

    AddressBook book;
    BookState state{book};
    FakeEditorView view;
    FakeDialogs dialogs;
    FixedClock clock{1000};
    CardEditor editor;
};

TEST_F(CardEditorTest, StoreWritesTheJointEncodingAndLoadGivesTheFieldsBack)
{
    typeCard("山田太郎", "1000001", "東京都千代田区千代田1-1");
    view.type(CardField::Renmei, "花子");
    view.type(CardField::Memo, "メモ");
    EXPECT_TRUE(state.cardChanged());
    EXPECT_FALSE(state.bookChanged());
    editor.btnSaveCardClick();
    EXPECT_FALSE(state.cardChanged());
    EXPECT_TRUE(state.bookChanged());
    EXPECT_EQ(book.row(1), (BookRow{"1", sj("山田太郎;花子"), "1000001", sj("様;様"),
                                    sj("東京都千代田区千代田1-1"), "", sj("メモ"), "123456"}));

    view.type(CardField::Name, "別人");
    view.type(CardField::RenKeisho, "殿");
    dialogs.answer({false});
    ASSERT_TRUE(editor.LoadCard(1));
    EXPECT_EQ(view.field(CardField::Name), sj("山田太郎"));
    EXPECT_EQ(view.field(CardField::Renmei), sj("花子"));
    EXPECT_EQ(view.field(CardField::RenKeisho), sj("様"));
    EXPECT_FALSE(state.cardChanged()) << "filling the fields is no edit";
    EXPECT_EQ(dialogs.texts(), QStringList{QString::fromUtf8(editor_texts::kStoreQuestion)});
}

TEST_F(CardEditorTest, AnEmptyJointNameLosesTheJointHonorificAndLoadsItAsSama)
{
    typeCard("山田太郎", "1000001", "東京都");
    view.type(CardField::RenKeisho, "殿");
    editor.btnSaveCardClick();
    EXPECT_EQ(book.cell(ColName, 1), sj("山田太郎"));
    EXPECT_EQ(book.cell(ColHonorific, 1), sj("様"));
    book.setCell(ColName, 1, sj(";B"));
    editor.LoadCard(1);
    EXPECT_EQ(view.field(CardField::Name), "");
    EXPECT_EQ(view.field(CardField::Renmei), "B");
    editor.btnSaveCardClick();
    EXPECT_EQ(book.cell(ColName, 1), sj(";B"));
}

TEST_F(CardEditorTest, NewCardChecksTheRequiredFieldsOfTheCardInTheEditor)
{
    const char* missing[][3] = {{"", "1", "a"}, {"n", "", "a"}, {"n", "1", ""}};
    for (auto& m : missing) {
        typeCard(m[0], m[1], m[2]);
        editor.btnSaveCardClick();
        dialogs.log.clear();
        editor.btnNewcardClick();
        EXPECT_EQ(dialogs.texts(), QStringList{QString::fromUtf8(editor_texts::kRequiredMissing)});
        EXPECT_EQ(book.cardCount(), 1);
    }
    typeCard("山田", "1000001", "東京都");
    view.type(CardField::Renmei, "花子");
    view.type(CardField::Keisho, "殿");
    editor.btnSaveCardClick();
    clock.set(5555);
    editor.btnNewcardClick();
    EXPECT_EQ(book.cardCount(), 2);
    EXPECT_EQ(book.row(2), BookRow{}) << "the new row stays empty and unnumbered";
    EXPECT_EQ(view.number, 2);
    EXPECT_EQ(view.maximum, 2);
    EXPECT_EQ(editor.editing(), 2);
    EXPECT_EQ(view.field(CardField::Name), "");
    EXPECT_EQ(view.field(CardField::Renmei), "");
    EXPECT_EQ(view.field(CardField::Keisho), sj("殿")) << "the honorific keeps its text";
    EXPECT_NE(view.lottery, "123456");
    EXPECT_TRUE(state.cardChanged()) << "emptying the fields counts as an edit";
    EXPECT_GE(view.focusCount, 1);
}

TEST_F(CardEditorTest, TwoNewCardsInARow)
{
    makeCards(1);
    editor.btnNewcardClick();
    // No at the store question cancels: nothing is added, the edits stay.
    dialogs.answer({false});
    editor.btnNewcardClick();
    EXPECT_EQ(book.cardCount(), 2);
    EXPECT_TRUE(state.cardChanged());
    // Yes stores the empty card, then the required-fields check refuses.
    dialogs.answer({true});
    editor.btnNewcardClick();
    EXPECT_EQ(book.cardCount(), 2);
    EXPECT_EQ(dialogs.texts().last(), QString::fromUtf8(editor_texts::kRequiredMissing));
    EXPECT_EQ(book.cell(ColNumber, 2), "2");
    EXPECT_FALSE(state.cardChanged());
}

TEST_F(CardEditorTest, MoveClampsANumberAboveTheCountAndStoresIntoTheCardBeingEdited)
{
    makeCards(5);
    view.number = 9;
    editor.btnMoveClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QString::fromUtf8(editor_texts::kNumberTooLarge)});
    EXPECT_EQ(editor.editing(), 5);
    EXPECT_EQ(view.field(CardField::Name), "5");

    view.type(CardField::Name, "五");
    view.number = 3;
    dialogs.answer({true});
    editor.btnMoveClick();
    EXPECT_EQ(book.cell(ColName, 5), sj("五")) << "Yes stores into card 5, not the typed 3";
    EXPECT_EQ(view.field(CardField::Name), "3");

    view.type(CardField::Name, "三");
    view.number = 1;
    editor.btnSaveCardClick();
    EXPECT_EQ(book.cell(ColName, 3), sj("三"));
    EXPECT_EQ(book.cell(ColName, 1), "1");

    // A number below 1 loads nothing.
    view.number = 0;
    editor.btnMoveClick();
    EXPECT_EQ(editor.editing(), 3);
}

TEST_F(CardEditorTest, PreviousAtTheFirstCardStoresOnYesAndKeepsEditsOnNo)
{
    makeCards(2);
    editor.LoadCard(1);
    view.type(CardField::Memo, "x");
    dialogs.answer({false});
    editor.btnPrevClick();
    EXPECT_TRUE(state.cardChanged());
    EXPECT_EQ(view.field(CardField::Memo), "x");
    dialogs.answer({true});
    editor.btnPrevClick();
    EXPECT_FALSE(state.cardChanged());
    EXPECT_EQ(book.cell(ColMemo, 1), "x");
    EXPECT_EQ(editor.editing(), 1);
    editor.btnNextClick();
    EXPECT_EQ(editor.editing(), 2);
    editor.btnNextClick();
    EXPECT_EQ(editor.editing(), 2) << "next at the last card loads nothing";
}

TEST_F(CardEditorTest, DeleteShiftsUpRenumbersAndShowsTheCardBefore)
{
    makeCards(5);
    book.setCell(ColNumber, 4, "40");
    view.number = 3;
    dialogs.answer({true});
    editor.btnDelCardClick();
    EXPECT_EQ(dialogs.texts().first(), QString::fromUtf8("本当にカード番号:3を削除しますか？"));
    EXPECT_EQ(book.cardCount(), 4);
    EXPECT_EQ(view.maximum, 4);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(book.cell(ColNumber, r), std::to_string(r));
    }
    EXPECT_EQ(book.cell(ColName, 3), "4");
    EXPECT_EQ(book.cell(ColName, 4), "5");
    EXPECT_EQ(editor.editing(), 2);
    EXPECT_FALSE(state.cardChanged());

    view.number = 1;
    dialogs.answer({true});
    editor.btnDelCardClick();
    EXPECT_EQ(book.cell(ColName, 1), "2");
    EXPECT_EQ(editor.editing(), 1);
    EXPECT_EQ(view.field(CardField::Name), "2");
}

TEST_F(CardEditorTest, DeleteRefusesTheOnlyCardAndNumbersOutsideTheBook)
{
    makeCards(1);
    editor.btnDelCardClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QString::fromUtf8(editor_texts::kFirstCardKept)});
    EXPECT_EQ(book.cardCount(), 1);

    makeCards(0);
    AddressBook before;
    editor.btnNewcardClick();
    typeCard("2", "1", "a");
    editor.btnSaveCardClick();
    dialogs.log.clear();
    const BookRow second = book.row(2);
    for (int typed : {0, -5, 3, 999}) {
        view.number = typed;  // typed, never clamped: the buttons take no focus
        editor.btnDelCardClick();
        EXPECT_EQ(book.cardCount(), 2) << typed;
        EXPECT_EQ(book.row(2), second) << typed;
    }
    EXPECT_TRUE(dialogs.log.empty()) << "nothing to confirm";

    // No at the confirmation deletes nothing and keeps the edits.
    view.type(CardField::Memo, "keep");
    view.number = 2;
    dialogs.answer({false, false});
    editor.btnDelCardClick();
    EXPECT_EQ(book.cardCount(), 2);
    EXPECT_TRUE(state.cardChanged());
    EXPECT_EQ(view.field(CardField::Memo), "keep");
}

TEST_F(CardEditorTest, DeletingAnotherCardDropsTheEditsWithoutAsking)
{
    makeCards(3);
    editor.LoadCard(3);
    view.type(CardField::Memo, "unstored");
    view.number = 2;
    dialogs.answer({true});
    editor.btnDelCardClick();
    EXPECT_EQ(dialogs.log.size(), 1u) << "only the delete confirmation";
    EXPECT_EQ(editor.editing(), 1);
    EXPECT_EQ(book.cell(ColMemo, 2), "");
}

}  // namespace
