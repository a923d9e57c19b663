// SPDX-License-Identifier: MIT
// Taking in other programs' contacts, and opening a book saved as UTF-8.
#include "import/import_texts.h"
#include "tests/app/book_commands_fixture.h"

namespace {

class BookImportTest : public BookCommandsTest {
protected:
    void importFile(const std::string& file)
    {
        files.importAnswers.push_back(QString::fromStdString(file));
        commands.acImportFileExecute();
    }
    static std::string fixture(const char* name)
    {
        return testDataPath(std::string("import/") + name);
    }
};

TEST_F(BookImportTest, ContactsReplaceABookThatHoldsNoCard)
{
    view.type(CardField::Memo, "書きかけ");
    window.printListClears = 0;
    state.setCurrentFile(u("/tmp/kept.csv"));
    dialogs.answer({false});  // the store question of the load: No drops the edits
    importFile(fixture("google_current.csv"));

    ASSERT_GE(book.cardCount(), 2);
    EXPECT_EQ(book.cell(ColName, 1), sj("山田　太郎"));
    EXPECT_EQ(view.field(CardField::Name), sj("山田　太郎")) << "the first imported card is loaded";
    EXPECT_EQ(view.field(CardField::Memo), sj("大学の友人")) << "Notes fill the memo";
    EXPECT_EQ(view.maximum, book.cardCount());
    EXPECT_EQ(editor.editing(), 1);
    for (int r = 1; r <= book.cardCount(); ++r) {
        EXPECT_EQ(book.cell(ColNumber, r), std::to_string(r));
    }
    EXPECT_NE(book.cell(ColLottery, 1), book.cell(ColLottery, 2)) << "one generator for all";
    EXPECT_TRUE(state.bookChanged());
    EXPECT_FALSE(state.cardChanged());
    EXPECT_EQ(state.currentFile(), u("/tmp/kept.csv"));
    EXPECT_EQ(window.printListClears, 1);
    ASSERT_EQ(dialogs.log.size(), 2u);
    EXPECT_EQ(dialogs.log[0].text, u(editor_texts::kStoreQuestion));
    EXPECT_TRUE(
        dialogs.log[1].text.startsWith(u(import_texts::kImportedCount).arg(book.cardCount())));
}

TEST_F(BookImportTest, ContactsGoAfterTheLastCardAndAYesStoresTheEditsFirst)
{
    open(writeFile("three.csv", kThreeCards));
    editor.LoadCard(2);
    view.type(CardField::Memo, "保存するメモ");
    dialogs.answer({true});
    importFile(fixture("vcard30.vcf"));
    EXPECT_EQ(book.cell(ColMemo, 2), sj("保存するメモ"));
    EXPECT_EQ(book.cell(ColName, 3), sj("鈴木"));
    EXPECT_GT(book.cardCount(), 3);
    EXPECT_EQ(editor.editing(), 4) << "the first imported card";
    EXPECT_EQ(view.field(CardField::Name), book.cell(ColName, 4));
}

TEST_F(BookImportTest, WhatCannotBeTakenInLeavesEverythingAsItWas)
{
    open(writeFile("three.csv", kThreeCards));
    view.type(CardField::Memo, "書きかけ");
    dialogs.log.clear();
    const Snapshot before = snapshot();

    importFile("");  // the dialog cancelled
    expectUnchanged(before);
    EXPECT_TRUE(dialogs.log.empty());

    importFile(writeFile("notes.txt", "買い物リスト\r\n牛乳\r\n"));
    expectUnchanged(before);
    EXPECT_EQ(dialogs.texts(), QStringList{u(import_texts::kNotImportable)});

    dialogs.log.clear();
    EXPECT_EQ(errorOf([&] { importFile(path("none.vcf")); }), u("ファイルが見つかりません"));
    EXPECT_EQ(errorOf([&] { importFile(dir.path().toStdString()); }),
              u("通常のファイルではありません"));
    expectUnchanged(before);
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(BookImportTest, AUtf8BookOpensConvertedAndSavesAsShiftJis)
{
    open(fixture("book_utf8.csv"));
    ASSERT_GE(dialogs.log.size(), 1u);
    EXPECT_TRUE(dialogs.log[0].text.startsWith(u(import_texts::kConvertedBook).arg(u("UTF-8"))));
    EXPECT_GE(book.cardCount(), 2);
    EXPECT_EQ(state.currentFile(),
              QFileInfo(QString::fromStdString(fixture("book_utf8.csv"))).absoluteFilePath());
    saveAs(path("from_utf8.csv"));

    // The same book as the program writes it reads and saves to the same bytes.
    dialogs.log.clear();
    open(fixture("book_cp932.csv"));
    EXPECT_TRUE(dialogs.texts().filter(u("Shift-JIS に変換")).isEmpty());
    saveAs(path("from_cp932.csv"));
    EXPECT_EQ(readBytes(path("from_utf8.csv")), readBytes(path("from_cp932.csv")));
}

}  // namespace
