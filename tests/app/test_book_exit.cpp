// SPDX-License-Identifier: MIT
// Ending the program: the questions about unstored and unsaved cards.
#include "tests/app/book_commands_fixture.h"

namespace {

TEST_F(BookCommandsTest, EndingAsksAboutUnstoredEditsAndUnsavedCards)
{
    commands.beforeExit();
    EXPECT_TRUE(dialogs.log.empty()) << "nothing unsaved at start-up";
    open(writeFile("three.csv", kThreeCards));
    commands.beforeExit();
    EXPECT_TRUE(dialogs.log.empty()) << "nothing unsaved after an open";

    // No at the store question drops the edits; nothing was stored, so no save question.
    view.type(CardField::Memo, "メモ書き");
    dialogs.answer({false});
    commands.beforeExit();
    EXPECT_EQ(dialogs.texts(), QStringList{u(editor_texts::kStoreQuestion)});
    EXPECT_EQ(book.cell(ColMemo, 1), "");

    // Yes stores into the card being edited, then the save question saves.
    dialogs.log.clear();
    view.number = 3;  // typed into the box, no move yet
    dialogs.answer({true, true, true});
    commands.beforeExit();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{u(editor_texts::kStoreQuestion), u(book_command_texts::kSaveQuestion),
                           u(book_command_texts::kOverwriteQuestion)}));
    EXPECT_EQ(book.cell(ColMemo, 1), sj("メモ書き"));
    EXPECT_EQ(book.cell(ColMemo, 3), "");
    EXPECT_NE(readBytes(path("three.csv")).find(sj("メモ書き")), std::string::npos);

    // Saved: nothing to ask, though New and Open would still ask.
    dialogs.log.clear();
    commands.beforeExit();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_TRUE(state.bookChanged());

    // A store that changes the book since the save asks again; No ends without saving.
    view.type(CardField::Memo, "書き直し");
    editor.btnSaveCardClick();
    dialogs.answer({false});
    commands.beforeExit();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kSaveQuestion)});
}

TEST_F(BookCommandsTest, AFailedSaveStillCountsAsUnsavedAtTheEnd)
{
    typeCard("山田", "1000001", "東京都");
    editor.btnSaveCardClick();
    EXPECT_FALSE(errorOf([&] { saveAs(path("missing/book.csv")); }).isEmpty());
    EXPECT_EQ(state.currentFile(), absolute("missing/book.csv"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u("missing"))));
    dialogs.answer({false});
    commands.beforeExit();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kSaveQuestion)});
}

TEST_F(BookCommandsTest, EndingWaitsWhenTheSaveAskedForDidNotHappen)
{
    typeCard("山田", "1000001", "東京都");
    editor.btnSaveCardClick();
    // Yes to the save question, then the save dialog is cancelled.
    dialogs.answer({true});
    EXPECT_FALSE(commands.beforeExit());
    // Yes, a name, then No at the overwrite question.
    writeFile("there.csv", "");
    files.saveAnswers.push_back(QString::fromStdString(path("there.csv")));
    dialogs.answer({true, false});
    EXPECT_FALSE(commands.beforeExit());
    EXPECT_EQ(readBytes(path("there.csv")), "");
    // No at the save question, or a save that writes: the program may end.
    dialogs.answer({false});
    EXPECT_TRUE(commands.beforeExit());
    dialogs.answer({true, true});
    EXPECT_TRUE(commands.beforeExit());
    EXPECT_FALSE(readBytes(path("there.csv")).empty());
}

}  // namespace
