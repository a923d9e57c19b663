#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>

#include "app/book_commands.h"
#include "book/grid_template.h"
#include "book/random_digits.h"
#include "editor/card_editor.h"
#include "platform/app_error.h"
#include "tests/support/fake_editor_view.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"

namespace {

class FakeBookWindow final : public BookWindow {
public:
    void clearPrintList() override { ++printListClears; }
    void applyGridLayout(const GridLayout& layout) override { layouts.push_back(layout); }
    void quitWhenIdle() override { ++quitRequests; }

    int printListClears = 0;
    std::vector<GridLayout> layouts;
    int quitRequests = 0;
};

// Three cards as another program might have left them: numbers 5, 9 and 12,
// empty fields, and fields that need quotes.
const char* const kThreeCards =
    "5,山田太郎;花子,1000001,様;様,東京都千代田区千代田1-1,,,512345\r\n"
    "9,佐藤一郎,5300001,殿,大阪府大阪市北区,\"梅田 1-1\",\"メモ, \"\"大事\"\"\",234567\r\n"
    "12,鈴木,0600000,様,北海道札幌市,,,345678\r\n";

struct Snapshot {
    std::vector<BookRow> rows;
    bool cardChanged;
    bool bookChanged;
    std::uint64_t savedRevision;
    QString currentFile;
    std::map<CardField, std::string> fields;
    std::string lottery;
    int number;
    int maximum;
    int editing;
    int printListClears;
    std::size_t layoutsApplied;
};

class BookCommandsTest : public ::testing::Test {
protected:
    BookCommandsTest()
        : editor(book, state, view, dialogs, clock),
          commands(book, state, editor, view, window, dialogs, files, clock, runtimeDir())
    {
        view.editor = &editor;
        book.setCell(ColNumber, 1, "1");
        state.savedRevision = book.revision();  // as start-up leaves it
    }

    static std::string runtimeDir()
    {
        return qEnvironmentVariable("FUMI_RUNTIME_DIR").toStdString();
    }

    std::string path(const char* name) const { return dir.filePath(u(name)).toStdString(); }
    QString absolute(const char* name) const
    {
        return QFileInfo(dir.filePath(u(name))).absoluteFilePath();
    }
    std::string writeFile(const char* name, const char* utf8Text)
    {
        writeBytes(path(name), sj(utf8Text));
        return path(name);
    }

    void open(const std::string& file, BookCommands& with)
    {
        files.openAnswers.push_back(QString::fromStdString(file));
        with.acOpenFileExecute();
    }
    void open(const std::string& file) { open(file, commands); }
    void saveAs(const std::string& file)
    {
        files.saveAnswers.push_back(QString::fromStdString(file));
        commands.acNameSaveExecute();
    }
    void typeCard(const char* name, const char* postal, const char* address)
    {
        view.type(CardField::Name, name);
        view.type(CardField::YuubinNo, postal);
        view.type(CardField::Address, address);
    }

    Snapshot snapshot() const
    {
        Snapshot s{{},
                   state.cardChanged,
                   state.bookChanged,
                   state.savedRevision,
                   state.currentFile,
                   view.fields,
                   view.lottery,
                   view.number,
                   view.maximum,
                   editor.editing(),
                   window.printListClears,
                   window.layouts.size()};
        for (int r = 0; r < book.rowCount(); ++r) {
            s.rows.push_back(book.row(r));
        }
        return s;
    }
    void expectUnchanged(const Snapshot& before) const
    {
        const Snapshot now = snapshot();
        EXPECT_EQ(now.rows, before.rows);
        EXPECT_EQ(now.cardChanged, before.cardChanged);
        EXPECT_EQ(now.bookChanged, before.bookChanged);
        EXPECT_EQ(now.savedRevision, before.savedRevision);
        EXPECT_EQ(now.currentFile, before.currentFile);
        EXPECT_EQ(now.fields, before.fields);
        EXPECT_EQ(now.lottery, before.lottery);
        EXPECT_EQ(now.number, before.number);
        EXPECT_EQ(now.maximum, before.maximum);
        EXPECT_EQ(now.editing, before.editing);
        EXPECT_EQ(now.printListClears, before.printListClears) << "the print list was emptied";
        EXPECT_EQ(now.layoutsApplied, before.layoutsApplied) << "the grid layout was applied";
    }

    // The three cards opened, card 3 stored with a new name, card 2 loaded and
    // edited without storing: every kind of state is set.
    void openAndEditEverything()
    {
        open(writeFile("three.csv", kThreeCards));
        editor.LoadCard(3);
        view.type(CardField::Name, "鈴木花子");
        editor.btnSaveCardClick();
        editor.LoadCard(2);
        view.type(CardField::Memo, "書きかけ");
        dialogs.log.clear();
    }

    QTemporaryDir dir;
    AddressBook book;
    BookState state;
    FakeEditorView view;
    FakeDialogs dialogs;
    FakeFileDialogs files;
    FixedClock clock{36'000'000};
    FakeBookWindow window;
    CardEditor editor;
    BookCommands commands;
};

TEST_F(BookCommandsTest, OpenTakesEveryLineAsItStandsAndSaveGivesBackTheSameBytes)
{
    open(writeFile("three.csv", kThreeCards));
    EXPECT_TRUE(dialogs.log.empty()) << "nothing to ask and no line left out";
    ASSERT_EQ(book.rowCount(), 4);
    EXPECT_EQ(book.cell(ColAddress2, 1), "") << "an empty field is the empty string";
    EXPECT_EQ(book.cell(ColMemo, 3), "");
    EXPECT_EQ(book.cell(ColAddress2, 2), sj("梅田 1-1"));
    EXPECT_EQ(book.cell(ColMemo, 2), sj("メモ, \"大事\""));
    EXPECT_EQ(state.currentFile, absolute("three.csv"));
    EXPECT_FALSE(state.cardChanged);
    EXPECT_FALSE(state.bookChanged);
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
        EXPECT_EQ(dialogs.texts(), QStringList{u(editor_text::kRequiredMissing)}) << line;
        EXPECT_EQ(book.rowCount(), 2);
        EXPECT_EQ(view.maximum, 1);
        EXPECT_FALSE(state.cardChanged);
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
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_text::kLinesLeftOut).arg("3, 5")});
    EXPECT_EQ(dialogs.log.front().kind, FakeDialogs::Entry::Notice);
    EXPECT_EQ(state.currentFile, absolute("odd.csv")) << "the open went through";
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
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_text::kSaveQuestion)});

    // A read that fails after the open succeeded.
    QDir(dir.path()).mkdir("folder.csv");
    dialogs.answer({false});
    EXPECT_EQ(errorOf([&] { open(path("folder.csv")); }), u("不正なファイル名です"));
    expectUnchanged(before);
    EXPECT_EQ(window.quitRequests, 0);
}

TEST_F(BookCommandsTest, NewAppliesTheTemplateAndStandsOnAnEmptyCardOne)
{
    openAndEditEverything();
    view.type(CardField::Renmei, "次郎");
    dialogs.answer({false});
    commands.acNewFileExecute();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_text::kSaveQuestion)});
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
    EXPECT_FALSE(state.cardChanged);
    EXPECT_FALSE(state.bookChanged);
    EXPECT_TRUE(state.currentFile.isEmpty());
    EXPECT_EQ(window.printListClears, 2);
    EXPECT_EQ(window.quitRequests, 0);
}

TEST_F(BookCommandsTest, AMissingTemplateEndsTheProgramAfterTheCommand)
{
    QTemporaryDir empty;
    BookCommands noTemplate(book, state, editor, view, window, dialogs, files, clock,
                            empty.path().toStdString());
    typeCard("山田", "1000001", "東京都");
    editor.btnSaveCardClick();
    dialogs.answer({false});
    noTemplate.acNewFileExecute();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{u(book_text::kSaveQuestion), u(book_text::kTemplateMissing)}));
    EXPECT_EQ(dialogs.log.back().kind, FakeDialogs::Entry::Notice);
    EXPECT_EQ(window.quitRequests, 1);
    // The command still ran to its end.
    EXPECT_EQ(book.rowCount(), 2);
    EXPECT_EQ(book.cell(ColName, 1), "");
    EXPECT_FALSE(state.bookChanged);

    // Open still reads the chosen file.
    dialogs.log.clear();
    open(writeFile("three.csv", kThreeCards), noTemplate);
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_text::kTemplateMissing)});
    EXPECT_EQ(window.quitRequests, 2);
    EXPECT_EQ(book.rowCount(), 4);
    EXPECT_EQ(state.currentFile, absolute("three.csv"));
    EXPECT_TRUE(window.layouts.empty());
}

TEST_F(BookCommandsTest, ATemplateThatCannotBeReadStopsTheCommand)
{
    openAndEditEverything();
    QTemporaryDir broken;
    writeBytes(broken.filePath(kGridTemplateFileName).toStdString(), "row_count 2\n");
    BookCommands badTemplate(book, state, editor, view, window, dialogs, files, clock,
                             broken.path().toStdString());
    const Snapshot before = snapshot();

    dialogs.answer({false});
    const QString newError = errorOf([&] { badTemplate.acNewFileExecute(); });
    EXPECT_TRUE(newError.startsWith(u("initdata.dat を読み込めません"))) << newError.toStdString();
    expectUnchanged(before);

    dialogs.answer({false});
    const QString openError =
        errorOf([&] { open(writeFile("other.csv", kThreeCards), badTemplate); });
    EXPECT_EQ(openError, newError);
    expectUnchanged(before);
    EXPECT_EQ(window.quitRequests, 0);
}

TEST_F(BookCommandsTest, SavingKeepsBookChangedSoNewAndOpenStillAsk)
{
    open(writeFile("three.csv", kThreeCards));
    view.type(CardField::Memo, "新しいメモ");
    editor.btnSaveCardClick();
    dialogs.answer({true});
    commands.acSaveExecute();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_text::kOverwriteQuestion)});
    EXPECT_NE(readBytes(path("three.csv")).find(sj("新しいメモ")), std::string::npos);
    EXPECT_TRUE(state.bookChanged);

    // Yes at the save question saves; No at its overwrite question still goes on.
    dialogs.log.clear();
    dialogs.answer({true, false});
    open(writeFile("other.csv", "1,佐藤,5300001,様,大阪府,,,234567\r\n"));
    EXPECT_EQ(dialogs.texts(),
              (QStringList{u(book_text::kSaveQuestion), u(book_text::kOverwriteQuestion)}));
    EXPECT_EQ(state.currentFile, absolute("other.csv"));
    EXPECT_EQ(book.cell(ColName, 1), sj("佐藤"));

    // After New, Save asks for a name even though a file was open.
    editor.btnSaveCardClick();
    dialogs.log.clear();
    dialogs.answer({false});
    commands.acNewFileExecute();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_text::kSaveQuestion)});
    const int dialogsShown = files.opens;
    files.saveAnswers.push_back(QString::fromStdString(path("new.csv")));
    commands.acSaveExecute();
    EXPECT_EQ(files.opens, dialogsShown + 1);
    EXPECT_EQ(state.currentFile, absolute("new.csv"));
    EXPECT_EQ(readBytes(path("new.csv")), "1,,,,,,,234567\r\n");
    EXPECT_EQ(dialogs.log.size(), 1u) << "a new file needs no overwrite question";
}

TEST_F(BookCommandsTest, SaveAsSetsTheFileBeforeTheOverwriteQuestion)
{
    writeBytes(path("old.csv"), "old");
    dialogs.answer({false});
    saveAs(path("old.csv"));
    EXPECT_EQ(state.currentFile, absolute("old.csv")) << "No keeps the new name";
    EXPECT_EQ(readBytes(path("old.csv")), "old");

    // Save now asks the same question every time the file exists.
    dialogs.answer({false, true});
    commands.acSaveExecute();
    EXPECT_EQ(readBytes(path("old.csv")), "old");
    commands.acSaveExecute();
    EXPECT_EQ(readBytes(path("old.csv")), "1,,,,,,,\r\n");
    EXPECT_EQ(dialogs.texts(), QStringList(3, u(book_text::kOverwriteQuestion)));

    // A cancelled dialog changes nothing.
    commands.acNameSaveExecute();
    EXPECT_EQ(state.currentFile, absolute("old.csv"));
}

TEST_F(BookCommandsTest, CancellingTheOpenDialogLoadsCardOneAndKeepsTheFile)
{
    openAndEditEverything();
    dialogs.answer({false, true});  // no save; store the edits of card 2
    commands.acOpenFileExecute();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{u(book_text::kSaveQuestion), u(editor_text::kStoreQuestion)}));
    EXPECT_EQ(book.cell(ColMemo, 2), sj("書きかけ"));
    EXPECT_EQ(editor.editing(), 1);
    EXPECT_EQ(view.field(CardField::Name), sj("山田太郎"));
    EXPECT_FALSE(state.cardChanged);
    EXPECT_TRUE(state.bookChanged);
    EXPECT_EQ(state.currentFile, absolute("three.csv"));
    EXPECT_EQ(window.printListClears, 1) << "only the first open emptied the print list";
}

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
    EXPECT_EQ(dialogs.texts(), QStringList{u(editor_text::kStoreQuestion)});
    EXPECT_EQ(book.cell(ColMemo, 1), "");

    // Yes stores into the card being edited, then the save question saves.
    dialogs.log.clear();
    view.number = 3;  // typed into the box, no move yet
    dialogs.answer({true, true, true});
    commands.beforeExit();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{u(editor_text::kStoreQuestion), u(book_text::kSaveQuestion),
                           u(book_text::kOverwriteQuestion)}));
    EXPECT_EQ(book.cell(ColMemo, 1), sj("メモ書き"));
    EXPECT_EQ(book.cell(ColMemo, 3), "");
    EXPECT_NE(readBytes(path("three.csv")).find(sj("メモ書き")), std::string::npos);

    // Saved: nothing to ask, though New and Open would still ask.
    dialogs.log.clear();
    commands.beforeExit();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_TRUE(state.bookChanged);

    // A store that changes the book since the save asks again; No ends without saving.
    view.type(CardField::Memo, "書き直し");
    editor.btnSaveCardClick();
    dialogs.answer({false});
    commands.beforeExit();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_text::kSaveQuestion)});
}

TEST(LeftOutLines, NamesAtMostTwentyLines)
{
    EXPECT_EQ(LeftOutLinesText({3, 7}), u(book_text::kLinesLeftOut).arg("3, 7"));
    std::vector<int> many(25);
    std::iota(many.begin(), many.end(), 1);
    const QString text = LeftOutLinesText(many);
    EXPECT_TRUE(text.contains("19, 20 ")) << text.toStdString();
    EXPECT_FALSE(text.contains("21"));
    EXPECT_TRUE(text.endsWith(u(" ほか 5 行")));
}

TEST_F(BookCommandsTest, AFailedSaveStillCountsAsUnsavedAtTheEnd)
{
    typeCard("山田", "1000001", "東京都");
    editor.btnSaveCardClick();
    EXPECT_FALSE(errorOf([&] { saveAs(path("missing/book.csv")); }).isEmpty());
    EXPECT_EQ(state.currentFile, absolute("missing/book.csv"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
    dialogs.answer({false});
    commands.beforeExit();
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_text::kSaveQuestion)});
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
