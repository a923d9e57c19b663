// SPDX-License-Identifier: MIT
// New: the template and the empty book.
#include "tests/app/book_commands_fixture.h"

namespace {

TEST_F(BookCommandsTest, NewAppliesTheTemplateAndStandsOnAnEmptyCardOne)
{
    openAndEditEverything();
    view.type(CardField::Renmei, "次郎");
    dialogs.answer({false});
    commands.acNewFileExecute();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kSaveQuestion)});
    ASSERT_EQ(window.layouts.size(), 2u);
    EXPECT_EQ(window.layouts.back().columnWidths,
              (std::vector<int>{30, 140, 70, 40, 198, 198, 170, 100}));
    EXPECT_EQ(book.rowCount(), 2);
    EXPECT_EQ(book.row(1), (BookRow{"1", "", "", "", "", "", "", "512345"}))
        << "the lottery cell keeps its text until the card is stored";
    EXPECT_EQ(view.field(CardField::Name), "");
    EXPECT_EQ(view.field(CardField::Memo), "");
    EXPECT_EQ(view.field(CardField::Renmei), sj("次郎")) << "the joint name is not emptied";
    EXPECT_EQ(view.lottery, RandomDigits(6, clock));
    EXPECT_EQ(view.maximum, 1);
    EXPECT_EQ(editor.editing(), 1);
    EXPECT_FALSE(state.cardChanged());
    EXPECT_FALSE(state.bookChanged());
    EXPECT_TRUE(state.currentFile().isEmpty());
    EXPECT_EQ(window.printListClears, 2);
    EXPECT_EQ(window.endRequests, 0);
}

TEST_F(BookCommandsTest, AMissingTemplateEndsTheProgramBeforeAnythingChanges)
{
    // The program ends through the exit questions, so nothing of the book is
    // lost on the way: New and Open change nothing and ask nothing themselves.
    QTemporaryDir empty;
    BookCommands noTemplate(book, state, editor, view, window, dialogs, files, columns, clock,
                            empty.path().toStdString(), recovery());
    openAndEditEverything();
    const Snapshot before = snapshot();

    noTemplate.acNewFileExecute();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kTemplateMissing)});
    EXPECT_EQ(dialogs.log.back().kind, FakeDialogs::Entry::Notice);
    EXPECT_EQ(window.endRequests, 1);
    expectUnchanged(before);

    dialogs.log.clear();
    const int opened = files.opens;
    noTemplate.acOpenFileExecute();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kTemplateMissing)});
    EXPECT_EQ(window.endRequests, 2);
    EXPECT_EQ(files.opens, opened) << "no file is chosen for a book that cannot be shown";
    expectUnchanged(before);
}

TEST_F(BookCommandsTest, ATemplateThatCannotBeReadStopsTheCommand)
{
    openAndEditEverything();
    QTemporaryDir broken;
    writeBytes(broken.filePath(u(kGridTemplateFileName)).toStdString(), "row_count 2\n");
    BookCommands badTemplate(book, state, editor, view, window, dialogs, files, columns, clock,
                             broken.path().toStdString(), recovery());
    const Snapshot before = snapshot();

    // The template is read before the save question: nothing is asked.
    const QString newError = errorOf([&] { badTemplate.acNewFileExecute(); });
    EXPECT_TRUE(newError.startsWith(u("initdata.dat を読み込めません"))) << newError.toStdString();
    expectUnchanged(before);

    const QString openError =
        errorOf([&] { open(writeFile("other.csv", kThreeCards), badTemplate); });
    EXPECT_EQ(openError, newError);
    expectUnchanged(before);
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(window.endRequests, 0);
}

}  // namespace
