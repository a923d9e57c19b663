// SPDX-License-Identifier: MIT
// Save and Save As: the questions, the file name and the bytes written.
#include "tests/app/book_commands_fixture.h"

namespace {

TEST_F(BookCommandsTest, SavingKeepsBookChangedSoNewAndOpenStillAsk)
{
    open(writeFile("three.csv", kThreeCards));
    view.type(CardField::Memo, "新しいメモ");
    editor.btnSaveCardClick();
    dialogs.answer({true});
    commands.acSaveExecute();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kOverwriteQuestion)});
    EXPECT_NE(readBytes(path("three.csv")).find(sj("新しいメモ")), std::string::npos);
    EXPECT_TRUE(state.bookChanged());

    // Yes at the save question whose save does not happen (No at its
    // overwrite question) stops Open before its dialog: the book stays.
    dialogs.log.clear();
    dialogs.answer({true, false});
    const int opened = files.opens;
    commands.acOpenFileExecute();
    EXPECT_EQ(dialogs.texts(), (QStringList{u(book_command_texts::kSaveQuestion),
                                            u(book_command_texts::kOverwriteQuestion)}));
    EXPECT_EQ(files.opens, opened);
    EXPECT_EQ(state.currentFile(), absolute("three.csv"));
    EXPECT_EQ(book.cell(ColName, 1), sj("山田太郎;花子"));

    // After New, Save asks for a name even though a file was open.
    editor.btnSaveCardClick();
    dialogs.log.clear();
    dialogs.answer({false});
    commands.acNewFileExecute();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kSaveQuestion)});
    const int dialogsShown = files.opens;
    files.saveAnswers.push_back(QString::fromStdString(path("new.csv")));
    commands.acSaveExecute();
    EXPECT_EQ(files.opens, dialogsShown + 1);
    EXPECT_EQ(state.currentFile(), absolute("new.csv"));
    EXPECT_EQ(readBytes(path("new.csv")), "1,,,,,,,512345\r\n");
    EXPECT_EQ(dialogs.log.size(), 1u) << "a new file needs no overwrite question";
}

TEST_F(BookCommandsTest, SaveAsSetsTheFileBeforeTheOverwriteQuestion)
{
    writeBytes(path("old.csv"), "old");
    dialogs.answer({false});
    saveAs(path("old.csv"));
    EXPECT_EQ(state.currentFile(), absolute("old.csv")) << "No keeps the new name";
    EXPECT_EQ(readBytes(path("old.csv")), "old");

    // Save now asks the same question every time the file exists.
    dialogs.answer({false, true});
    commands.acSaveExecute();
    EXPECT_EQ(readBytes(path("old.csv")), "old");
    commands.acSaveExecute();
    EXPECT_EQ(readBytes(path("old.csv")), "1,,,,,,,\r\n");
    EXPECT_EQ(dialogs.texts(), QStringList(3, u(book_command_texts::kOverwriteQuestion)));

    // A cancelled dialog changes nothing.
    commands.acNameSaveExecute();
    EXPECT_EQ(state.currentFile(), absolute("old.csv"));
}

TEST_F(BookCommandsTest, OpenEditStoreSaveAndReopenGivesTheSameBytes)
{
    open(writeFile("three.csv", kThreeCards));
    editor.LoadCard(2);
    view.type(CardField::Address, "大阪府大阪市中央区");
    view.type(CardField::Renmei, "次郎");
    editor.btnSaveCardClick();
    dialogs.answer({true});
    commands.acSaveExecute();
    const std::string saved = readBytes(path("three.csv"));
    EXPECT_EQ(saved, sj("1,山田太郎;花子,1000001,様;様,東京都千代田区千代田1-1,,,512345\r\n"
                        "2,佐藤一郎;次郎,5300001,殿;様,大阪府大阪市中央区,\"梅田 1-1\",\"メモ, "
                        "\"\"大事\"\"\",234567\r\n"
                        "3,鈴木,0600000,様,北海道札幌市,,,345678\r\n"));

    dialogs.answer({false});
    open(path("three.csv"));
    EXPECT_EQ(view.field(CardField::Name), sj("山田太郎"));
    editor.LoadCard(2);
    EXPECT_EQ(view.field(CardField::Renmei), sj("次郎"));
    EXPECT_EQ(view.field(CardField::RenKeisho), sj("様"));
    saveAs(path("again.csv"));
    EXPECT_EQ(readBytes(path("again.csv")), saved);
}

TEST_F(BookCommandsTest, ABookMadeInTheEditorSurvivesSaveReopenAndSave)
{
    typeCard("山田太郎", "1000001", "東京都千代田区");
    view.type(CardField::Renmei, "花子");
    editor.btnSaveCardClick();
    editor.btnNewcardClick();
    typeCard("佐藤", "5300001", "大阪府 大阪市");
    view.type(CardField::Keisho, "先生");
    editor.btnSaveCardClick();
    saveAs(path("made.csv"));
    const std::string saved = readBytes(path("made.csv"));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 2);

    dialogs.answer({false});
    commands.acNewFileExecute();
    open(path("made.csv"));
    EXPECT_EQ(book.cell(ColAddress1, 2), sj("大阪府 大阪市"));
    saveAs(path("made2.csv"));
    EXPECT_EQ(readBytes(path("made2.csv")), saved);
}

}  // namespace
