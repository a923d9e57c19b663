// SPDX-License-Identifier: MIT
// Open: reading a book file into a new table, and what an open leaves behind.
#include "tests/app/book_commands_fixture.h"

namespace {

TEST_F(BookCommandsTest, OpenTakesEveryLineAsItStandsAndSaveGivesBackTheSameBytes)
{
    open(writeFile("three.csv", kThreeCards));
    EXPECT_TRUE(dialogs.log.empty()) << "nothing to ask and no line left out";
    ASSERT_EQ(book.rowCount(), 4);
    EXPECT_EQ(book.cell(ColAddress2, 1), "") << "an empty field is the empty string";
    EXPECT_EQ(book.cell(ColMemo, 3), "");
    EXPECT_EQ(book.cell(ColAddress2, 2), sj("梅田 1-1"));
    EXPECT_EQ(book.cell(ColMemo, 2), sj("メモ, \"大事\""));
    EXPECT_EQ(state.currentFile(), absolute("three.csv"));
    EXPECT_FALSE(state.cardChanged());
    EXPECT_FALSE(state.bookChanged());
    EXPECT_EQ(view.maximum, 3);

    // The editor shows card 1.
    EXPECT_EQ(editor.editing(), 1);
    EXPECT_EQ(view.number, 1);
    EXPECT_EQ(view.field(CardField::Name), sj("山田太郎"));
    EXPECT_EQ(view.field(CardField::Renmei), sj("花子"));
    EXPECT_EQ(view.field(CardField::YuubinNo), "1000001");
    EXPECT_EQ(view.field(CardField::Address2), "");
    EXPECT_EQ(view.lottery, "512345");

    saveAs(path("copy.csv"));
    EXPECT_EQ(readBytes(path("copy.csv")), sj(kThreeCards));
    EXPECT_TRUE(dialogs.log.empty());

    // The file's numbers stay until the first store renumbers the cards.
    EXPECT_EQ(book.cell(ColNumber, 1), "5");
    EXPECT_EQ(book.cell(ColNumber, 2), "9");
    EXPECT_EQ(book.cell(ColNumber, 3), "12");
    editor.btnSaveCardClick();
    EXPECT_EQ(book.cell(ColNumber, 1), "1");
    EXPECT_EQ(book.cell(ColNumber, 2), "2");
    EXPECT_EQ(book.cell(ColNumber, 3), "3");
}

TEST_F(BookCommandsTest, AnEmptyPostalCodeFromAFileStillRefusesANewCard)
{
    for (const char* line :
         {"1,山田,,様,東京都,,,512345\r\n", "1,山田,\"\",様,東京都,,,512345\r\n"}) {
        open(writeFile("nocode.csv", line));
        dialogs.log.clear();
        editor.btnNewcardClick();
        EXPECT_EQ(dialogs.texts(), QStringList{u(editor_texts::kRequiredMissing)}) << line;
        EXPECT_EQ(book.rowCount(), 2);
        EXPECT_EQ(view.maximum, 1);
        EXPECT_FALSE(state.cardChanged());
    }
}

TEST_F(BookCommandsTest, LinesLeftOutAreNamedOnceAfterTheOpen)
{
    const std::string file = writeFile("odd.csv",
                                       "1,山田,1000001,様,東京都,,,512345\r\n"
                                       "\r\n"
                                       "1,2,3,4,5,6,7\r\n"
                                       "2,佐藤,5300001,様,大阪府,,,234567\r\n"
                                       "3,東京都 港区,1050011,様,芝公園,,,345678\r\n");
    open(file);
    // Blank lines give nothing but still count in the line numbers.
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kLinesLeftOut).arg(u("3, 5"))});
    EXPECT_EQ(dialogs.log.front().kind, FakeDialogs::Entry::Notice);
    EXPECT_EQ(state.currentFile(), absolute("odd.csv")) << "the open went through";
    ASSERT_EQ(book.rowCount(), 4);
    EXPECT_EQ(book.row(2), BookRow{}) << "a line left out keeps its row, empty";
    EXPECT_EQ(book.cell(ColName, 3), sj("佐藤"));

    saveAs(path("saved.csv"));
    EXPECT_EQ(readBytes(path("saved.csv")), sj("1,山田,1000001,様,東京都,,,512345\r\n"
                                               ",,,,,,,\r\n"
                                               "2,佐藤,5300001,様,大阪府,,,234567\r\n"));
}

TEST_F(BookCommandsTest, AnOpenThatFailsChangesNothingOfTheCurrentBook)
{
    openAndEditEverything();
    const Snapshot before = snapshot();
    ASSERT_TRUE(before.cardChanged && before.bookChanged);

    // A name typed in the dialog that does not exist.
    dialogs.answer({false});
    EXPECT_EQ(errorOf([&] { open(path("none.csv")); }), u("ファイルが見つかりません"));
    expectUnchanged(before);
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kSaveQuestion)});

    // A read that fails after the open succeeded.
    QDir(dir.path()).mkdir(u("folder.csv"));
    dialogs.answer({false});
    EXPECT_EQ(errorOf([&] { open(path("folder.csv")); }), u("通常のファイルではありません"));
    expectUnchanged(before);
    EXPECT_EQ(window.endRequests, 0);
}

TEST_F(BookCommandsTest, CancellingTheOpenDialogLoadsCardOneAndKeepsTheFile)
{
    openAndEditEverything();
    dialogs.answer({false, true});  // no save; store the edits of card 2
    commands.acOpenFileExecute();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{u(book_command_texts::kSaveQuestion), u(editor_texts::kStoreQuestion)}));
    EXPECT_EQ(book.cell(ColMemo, 2), sj("書きかけ"));
    EXPECT_EQ(editor.editing(), 1);
    EXPECT_EQ(view.field(CardField::Name), sj("山田太郎"));
    EXPECT_FALSE(state.cardChanged());
    EXPECT_TRUE(state.bookChanged());
    EXPECT_EQ(state.currentFile(), absolute("three.csv"));
    EXPECT_EQ(window.printListClears, 1) << "only the first open emptied the print list";
}

TEST(LeftOutLines, NamesAtMostTwentyLines)
{
    EXPECT_EQ(LeftOutLinesText({3, 7}), u(book_command_texts::kLinesLeftOut).arg(u("3, 7")));
    std::vector<int> many(25);
    std::iota(many.begin(), many.end(), 1);
    const QString text = LeftOutLinesText(many);
    EXPECT_TRUE(text.contains(u("19, 20 "))) << text.toStdString();
    EXPECT_FALSE(text.contains(u("21")));
    EXPECT_TRUE(text.endsWith(u(" ほか 5 行")));
}

}  // namespace
