// SPDX-License-Identifier: MIT
// Unsaved work is never lost on the way: one rule for New, Open and ending, a
// save asked for that did not happen stops the command, a file changed by
// another program is not silently overwritten, and recovery copies are kept
// and offered.
#include <utime.h>

#include "book/book_file.h"
#include "tests/app/book_commands_fixture.h"

namespace {

TEST_F(BookCommandsTest, DeletesAndGridEditsAskTheSaveQuestionOfNewAndOpen)
{
    const std::function<void()> changes[] = {
        [&] {
            dialogs.answer({true});
            EXPECT_EQ(editor.DeleteCard(2), 1);
        },
        [&] { book.setCell(ColMemo, 1, "grid"); },  // the grid writes straight into the book
    };
    for (const auto& change : changes) {
        open(writeFile("three.csv", kThreeCards));
        change();
        ASSERT_FALSE(state.bookChanged());
        dialogs.log.clear();
        dialogs.answer({false});
        commands.acNewFileExecute();
        EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kSaveQuestion)});
    }
}

TEST_F(BookCommandsTest, ASaveAskedForThatDoesNotHappenStopsNewAndOpen)
{
    openAndEditEverything();
    const Snapshot before = snapshot();
    // Save As from a book without a name: its dialog cancelled.
    state.setCurrentFile(QString());
    const Snapshot unnamed = snapshot();
    for (auto command : {&BookCommands::acNewFileExecute, &BookCommands::acOpenFileExecute}) {
        dialogs.answer({true});
        const int opened = files.opens;
        (commands.*command)();
        EXPECT_EQ(files.opens, opened + 1) << "only the save dialog was shown";
        expectUnchanged(unnamed);
    }
    // No at the overwrite question of a named book.
    state.setCurrentFile(absolute("three.csv"));
    for (auto command : {&BookCommands::acNewFileExecute, &BookCommands::acOpenFileExecute}) {
        dialogs.answer({true, false});
        (commands.*command)();
        expectUnchanged(before);
    }
    EXPECT_FALSE(dialogs.answersLeft());
}

TEST_F(BookCommandsTest, SavingOverAFileChangedByAnotherProgramAsksFirst)
{
    open(writeFile("three.csv", kThreeCards));
    view.type(CardField::Memo, "こちらの変更");
    editor.btnSaveCardClick();
    // Another program writes the file after it was opened.
    writeBytes(path("three.csv"), "1,他のプログラム,,,,,,\r\n");

    dialogs.answer({false});
    commands.acSaveExecute();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kChangedOnDisk)});
    EXPECT_EQ(readBytes(path("three.csv")), "1,他のプログラム,,,,,,\r\n");
    EXPECT_TRUE(state.bookChanged());
    EXPECT_TRUE(state.hasUnsavedWork());

    // Yes: the usual overwrite question, then the save; the next save asks
    // only the usual question, since this program wrote it last.
    dialogs.log.clear();
    dialogs.answer({true, true, true});
    commands.acSaveExecute();
    commands.acSaveExecute();
    EXPECT_EQ(dialogs.texts(), (QStringList{u(book_command_texts::kChangedOnDisk),
                                            u(book_command_texts::kOverwriteQuestion),
                                            u(book_command_texts::kOverwriteQuestion)}));
    EXPECT_NE(readBytes(path("three.csv")).find(sj("こちらの変更")), std::string::npos);

    // A change of the time alone counts: another copy of the program may have
    // written the same bytes.
    const utimbuf past{1'000'000, 1'000'000};
    ASSERT_EQ(::utime(path("three.csv").c_str(), &past), 0);
    dialogs.log.clear();
    dialogs.answer({false});
    commands.acSaveExecute();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kChangedOnDisk)});
}

TEST_F(BookCommandsTest, AFileThatHoldsNoLineSaysSo)
{
    writeBytes(path("zeros.csv"), std::string(4096, '\0'));
    open(path("zeros.csv"));
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kNoCardLines)});
    EXPECT_TRUE(book.holdsNoCard());
    EXPECT_EQ(state.currentFile(), absolute("zeros.csv"));

    dialogs.log.clear();
    writeBytes(path("empty.csv"), "");
    open(path("empty.csv"));
    EXPECT_TRUE(dialogs.log.empty()) << "an empty file is an empty book";
}

TEST_F(BookCommandsTest, UnsavedWorkIsKeptAsARecoveryCopyWithTheCardBeingEdited)
{
    commands.keepUnsavedWork();
    EXPECT_TRUE(recovery().copies().empty()) << "nothing unsaved, nothing kept";

    open(writeFile("three.csv", kThreeCards));
    editor.LoadCard(2);
    view.type(CardField::Memo, "書きかけ");
    commands.keepUnsavedWork();
    const std::vector<RecoveryCopy> copies = recovery().copies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].bookPath, path("three.csv"));
    AddressBook kept;
    ParseBookText(readBytes(copies[0].copyPath), kept);
    EXPECT_EQ(kept.cardCount(), 3);
    EXPECT_EQ(kept.cell(ColMemo, 2), sj("書きかけ"));
    EXPECT_EQ(kept.cell(ColNumber, 2), "9") << "the card keeps its number";
    EXPECT_EQ(book.cell(ColMemo, 2), sj("メモ, \"大事\"")) << "the book itself is not changed";
}

TEST_F(BookCommandsTest, ARecoveryCopyIsOfferedOpenedAndGoneOnceSaved)
{
    const std::string original = writeFile("three.csv", kThreeCards);
    recovery().keep(original, sj("1,復元,1000001,様,東京都,,,111111\r\n"));
    recovery().keep("", sj("1,新しい本,,,,,,\r\n"));
    const std::vector<RecoveryCopy> copies = recovery().copies();
    ASSERT_EQ(copies.size(), 2u);

    // No to the newest (the book never saved), and No to deleting it; Yes to
    // the copy of three.csv.
    dialogs.answer({false, false, true});
    commands.offerRecoveryCopies();
    ASSERT_EQ(dialogs.log.size(), 3u);
    EXPECT_TRUE(dialogs.log[0].text.contains(QFile::decodeName(copies[0].copyPath.c_str())));
    EXPECT_EQ(dialogs.log[1].text, u(book_command_texts::kRecoveryDeleteQuestion));
    const RecoveryCopy& opened = copies[1];
    EXPECT_TRUE(dialogs.log[2].text.contains(QFile::decodeName(opened.copyPath.c_str())));
    EXPECT_EQ(state.currentFile(), absolute("three.csv"));
    EXPECT_TRUE(state.bookChanged());
    EXPECT_TRUE(state.hasUnsavedWork());
    EXPECT_EQ(view.field(CardField::Name), sj("復元"));
    EXPECT_EQ(readBytes(original), sj(kThreeCards)) << "the book's own file is untouched";

    // The copy goes with the first save; the other stays for the next start.
    dialogs.answer({true});
    commands.acSaveExecute();
    const std::vector<RecoveryCopy> left = recovery().copies();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].copyPath, copies[0].copyPath);
    EXPECT_FALSE(state.hasUnsavedWork());
}

TEST_F(BookCommandsTest, ARecoveryCopyIsDeletedOnlyOnTheUsersWord)
{
    recovery().keep("", sj("1,a,,,,,,\r\n"));
    dialogs.answer({false, true});
    commands.offerRecoveryCopies();
    EXPECT_TRUE(recovery().copies().empty());
    EXPECT_TRUE(book.holdsNoCard());
}

}  // namespace
