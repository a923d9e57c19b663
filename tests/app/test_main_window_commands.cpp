// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <sstream>

#include "app/qt_services.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/helpers.h"
#include "tests/support/widget_helpers.h"
#include "text/cp932.h"

namespace {

const char* const kFiveCards =
    "1,山田太郎;花子,1000001,様;様,東京都千代田区千代田1-1,,,512345\r\n"
    "2,佐藤一郎,5300001,殿,大阪府大阪市北区,梅田,,234567\r\n"
    "3,鈴木,0600000,様,北海道札幌市,,,345678\r\n"
    "4,高橋,9800000,様,宮城県仙台市,,,456781\r\n"
    "5,田中,8100000,先生,福岡県福岡市,,,567812\r\n";

// The named control a focus widget belongs to (a spin box's or combo box's
// inner line edit counts as the box).
QString controlName(QWidget* w)
{
    while (w != nullptr && (w->objectName().isEmpty() || w->objectName().startsWith(u("qt_")))) {
        w = w->parentWidget();
    }
    return w == nullptr ? QString() : w->objectName();
}

class MainWindowCommandsTest : public ::testing::Test, public MainWindowFixture {
protected:
    QString path(const char* name) const
    {
        return QFileInfo(dir.filePath(u(name))).absoluteFilePath();
    }
    QString writeFile(const char* name, const char* utf8Text)
    {
        const std::string bytes = sj(utf8Text);
        std::ofstream out(path(name).toStdString(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path(name);
    }
    void open(const QString& file)
    {
        files.openAnswers.push_back(file);
        ui().N5->trigger();
    }
    void saveAs(const QString& file)
    {
        files.saveAnswers.push_back(file);
        ui().N6->trigger();
    }
    // The window on screen with the card tab and the keyboard focus in it.
    void showCardTab()
    {
        ui().PageControl->setCurrentIndex(0);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Replaces the card number box's text from the keyboard.
    void typeCardNumber(const char* keys)
    {
        card().SpinCount->setFocus();
        card().SpinCount->findChild<QLineEdit*>()->selectAll();
        QTest::keyClick(card().SpinCount, Qt::Key_Backspace);
        QTest::keyClicks(card().SpinCount, u(keys));
    }
    QString cardNumberText() { return card().SpinCount->findChild<QLineEdit*>()->text(); }
    FakeDialogs::Entry lastEntry() const { return dialogs.log.back(); }

    QTemporaryDir dir;
};

TEST_F(MainWindowCommandsTest, OpenShowsCardOneAndAFailedSaveIsShownAndKeepsTheState)
{
    open(writeFile("five.csv", kFiveCards));
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(card().txtName->text(), u("山田太郎"));
    EXPECT_EQ(card().txtRenmei1->text(), u("花子"));
    EXPECT_EQ(card().lblnenga->text(), u("512345"));
    EXPECT_EQ(card().SpinCount->maximum(), 5);
    EXPECT_EQ(list().IchiranGrid->model()->rowCount(), 5);
    EXPECT_EQ(window->state().currentFile(), path("five.csv"));

    card().txtMemo->setText(u("メモ"));
    card().btnSaveCard->click();
    const std::vector<BookRow> rows = {window->book().row(1), window->book().row(5)};

    // A folder that does not exist: the error box, and the name stays set.
    saveAs(path("missing/book.csv"));
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(lastEntry().kind, FakeDialogs::Entry::Error);
    EXPECT_EQ(lastEntry().text, u("フォルダが見つかりません"));
    EXPECT_EQ(window->state().currentFile(), path("missing/book.csv"));
    EXPECT_TRUE(window->state().bookChanged());
    EXPECT_EQ(window->book().row(1), rows[0]);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u("missing"))));

    // A device is no book.
    if (QFileInfo::exists(u("/dev/full"))) {
        window->state().setCurrentFile(u("/dev/full"));
        dialogs.answer({true});
        ui().N7->trigger();
        EXPECT_EQ(lastEntry().kind, FakeDialogs::Entry::Error);
        EXPECT_EQ(lastEntry().text, u("通常のファイルではありません"));
        EXPECT_EQ(window->book().row(5), rows[1]);
        EXPECT_TRUE(window->state().bookChanged());
    }
    EXPECT_EQ(readBytes(path("five.csv")), sj(kFiveCards)) << "the opened file is untouched";
}

TEST_F(MainWindowCommandsTest, AFailedOpenLeavesTheWindowAsItWas)
{
    open(writeFile("five.csv", kFiveCards));
    ui().N10->trigger();
    card().SpinCount->setValue(2);
    card().btnMove->click();
    card().txtMemo->setText(u("書きかけ"));
    QDir(dir.path()).mkdir(u("folder.csv"));
    dialogs.log.clear();

    const int listItems = print().PrintList->count();
    ASSERT_EQ(listItems, 5);
    const std::pair<QString, const char*> failures[] = {
        {path("none.csv"), "ファイルが見つかりません"},
        {path("folder.csv"), "通常のファイルではありません"}};
    for (const auto& [bad, message] : failures) {
        open(bad);
        ASSERT_EQ(dialogs.log.size(), 1u) << bad.toStdString();
        EXPECT_EQ(lastEntry().kind, FakeDialogs::Entry::Error);
        EXPECT_EQ(lastEntry().text, u(message));
        EXPECT_EQ(print().PrintList->count(), listItems);
        EXPECT_EQ(card().txtName->text(), u("佐藤一郎"));
        EXPECT_EQ(card().txtMemo->text(), u("書きかけ"));
        EXPECT_EQ(card().lblnenga->text(), u("234567"));
        EXPECT_EQ(card().SpinCount->value(), 2);
        EXPECT_EQ(card().SpinCount->maximum(), 5);
        EXPECT_EQ(list().IchiranGrid->model()->rowCount(), 5);
        EXPECT_EQ(window->state().currentFile(), path("five.csv"));
        EXPECT_TRUE(window->state().cardChanged());
        EXPECT_EQ(window->editor().editing(), 2);
        dialogs.log.clear();
    }
}

TEST_F(MainWindowCommandsTest, EndingWithNothingUnsavedAsksNothing)
{
    window->show();
    ui().N9->trigger();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowCommandsTest, TheCloseBoxAsksToStoreAndToSaveFirst)
{
    open(writeFile("five.csv", kFiveCards));
    window->show();
    card().txtMemo->setText(u("最後のメモ"));
    dialogs.answer({true, true, true});
    window->close();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{u(editor_texts::kStoreQuestion), u(book_command_texts::kSaveQuestion),
                           u(book_command_texts::kOverwriteQuestion)}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_NE(readBytes(path("five.csv")).find(sj("最後のメモ")), std::string::npos);
}

TEST_F(MainWindowCommandsTest, NoAtTheEndingQuestionsEndsWithoutWriting)
{
    open(writeFile("five.csv", kFiveCards));
    window->show();
    card().txtName->setText(u("別人"));
    card().btnSaveCard->click();
    card().txtMemo->setText(u("保存しない"));
    dialogs.answer({false, false});
    ui().N9->trigger();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{u(editor_texts::kStoreQuestion), u(book_command_texts::kSaveQuestion)}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readBytes(path("five.csv")), sj(kFiveCards));
}

TEST_F(MainWindowCommandsTest, EditsInTheGridAndConvertedAddressesAreNotLostAtTheEnd)
{
    open(writeFile("five.csv", kFiveCards));
    window->show();
    QAbstractItemModel* grid = list().IchiranGrid->model();
    ASSERT_TRUE(grid->setData(grid->index(1, 5), u("一覧で書いたメモ"), Qt::EditRole));
    EXPECT_FALSE(window->state().bookChanged()) << "grid edits set none of the flags";
    dialogs.answer({true, true});
    ui().N9->trigger();
    EXPECT_EQ(dialogs.texts(), (QStringList{u(book_command_texts::kSaveQuestion),
                                            u(book_command_texts::kOverwriteQuestion)}));
    EXPECT_NE(readBytes(path("five.csv")).find(sj("一覧で書いたメモ")), std::string::npos);
}

TEST_F(MainWindowCommandsTest, ASaveThatFailsOnTheWayOutKeepsTheWindowOpen)
{
    window->show();
    card().txtName->setText(u("山田"));
    card().btnSaveCard->click();
    window->state().setCurrentFile(path("missing/book.csv"));
    dialogs.answer({true});
    ui().N9->trigger();
    ASSERT_EQ(dialogs.log.size(), 2u);
    EXPECT_EQ(lastEntry().kind, FakeDialogs::Entry::Error);
    EXPECT_TRUE(window->isVisible()) << "the book would be lost";

    // A second try that saves ends the program.
    window->state().setCurrentFile(path("book.csv"));
    dialogs.answer({true});
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(QFileInfo::exists(path("book.csv")));
}

TEST_F(MainWindowCommandsTest, ACancelledSaveOnTheWayOutKeepsTheWindowAndTheBook)
{
    window->show();
    card().txtName->setText(u("山田"));
    card().btnSaveCard->click();
    card().txtMemo->setText(u("書きかけ"));
    const BookRow stored = window->book().row(1);
    dialogs.answer({false, true});  // keep the edits out of the book; save: yes, then cancel
    ui().N9->trigger();
    EXPECT_EQ(files.opens, 1) << "the save dialog was shown";
    EXPECT_TRUE(window->isVisible()) << "the book would be lost";
    EXPECT_EQ(window->book().row(1), stored);
    EXPECT_EQ(card().txtMemo->text(), u("書きかけ"));
}

TEST_F(MainWindowCommandsTest, ContactsTakenInShowInTheGridAndTheEditor)
{
    window->show();
    files.importAnswers.push_back(
        QString::fromStdString(testDataPath("import/google_current.csv")));
    ui().acImportFile->trigger();
    const int cards = window->book().cardCount();
    EXPECT_GE(cards, 2);
    EXPECT_EQ(list().IchiranGrid->model()->rowCount(), cards);
    EXPECT_EQ(card().txtName->text(), u("山田　太郎"));
    EXPECT_EQ(card().SpinCount->maximum(), cards);
    ASSERT_EQ(dialogs.log.size(), 1u);
    const QString report = dialogs.log.front().text;
    EXPECT_TRUE(report.startsWith(u("%1 件の宛先を取り込みました。").arg(cards)));

    // The report as the real notice box shows it, for the README.
    MessageBoxDialogs boxes(window.get());
    whenModalOpens([](QWidget& box) {
        saveShot(box, "import-report");
        dynamic_cast<QMessageBox&>(box).accept();
    });
    boxes.notify(report);
}

TEST_F(MainWindowCommandsTest, TheCardNumberBoxKeepsToItsTypingRules)
{
    open(writeFile("five.csv", kFiveCards));
    showCardTab();

    // Above the count: the notice, then the last card.
    typeCardNumber("9");
    EXPECT_EQ(cardNumberText(), u("9"));
    QTest::mouseClick(card().btnMove, Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(), QStringList{u(editor_texts::kNumberTooLarge)});
    EXPECT_EQ(card().SpinCount->value(), 5);
    EXPECT_EQ(card().txtName->text(), u("田中"));
    EXPECT_EQ(card().txtKeisho->currentText(), u("先生"));

    // Numbers outside the book delete nothing, and the flat button leaves
    // the number in the box as typed.
    dialogs.log.clear();
    for (const char* outside : {"9", "0"}) {
        typeCardNumber(outside);
        QTest::mouseClick(card().btnDelCard, Qt::LeftButton);
        EXPECT_TRUE(dialogs.log.empty()) << outside;
        EXPECT_EQ(window->book().cardCount(), 5);
        EXPECT_EQ(cardNumberText(), u(outside));
        EXPECT_EQ(controlName(QApplication::focusWidget()), u("SpinCount"));
    }
    for (QPushButton* b :
         {card().btnNewcard, card().btnSaveCard, card().btnDelCard, card().btnMove, card().btnPrev,
          card().btnNext, card().SpeedButton1, card().SpeedButton2}) {
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->objectName().toStdString();
    }

    // At most three characters, no letters; leaving the box clamps.
    typeCardNumber("1234");
    EXPECT_EQ(cardNumberText(), u("123"));
    typeCardNumber("4a");
    EXPECT_EQ(cardNumberText(), u("4"));
    typeCardNumber("9");
    card().txtName->setFocus();
    EXPECT_EQ(cardNumberText(), u("5"));
    EXPECT_EQ(card().SpinCount->value(), 5);
    typeCardNumber("0");
    card().txtName->setFocus();
    EXPECT_EQ(card().SpinCount->value(), 1);
    EXPECT_EQ(card().txtName->text(), u("田中")) << "changing the number loads nothing";
}

TEST_F(MainWindowCommandsTest, ThePostalCodeTakesSevenTypedDigitsButShowsALongerLoadedCode)
{
    showCardTab();
    card().txtYuubinNo->setFocus();
    QTest::keyClicks(card().txtYuubinNo, u("12345678"));
    EXPECT_EQ(card().txtYuubinNo->text(), u("1234567"));

    QAbstractItemModel* grid = list().IchiranGrid->model();
    ASSERT_TRUE(grid->setData(grid->index(0, ColPostalCode - 1), u("123-4567"), Qt::EditRole));
    dialogs.answer({false});
    typeCardNumber("1");
    QTest::mouseClick(card().btnMove, Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(), QStringList{u(editor_texts::kStoreQuestion)});
    EXPECT_EQ(card().txtYuubinNo->text(), u("123-4567"));
    EXPECT_EQ(window->cardTab().field(CardField::YuubinNo), "123-4567");
}

TEST_F(MainWindowCommandsTest, TabRunsThroughTheEditorInItsOrder)
{
    showCardTab();
    card().txtName->setFocus();
    const QStringList order = {u("txtYuubinNo"), u("txtAddress"),   u("txtAddress2"),
                               u("txtMemo"),     u("txtKeisho"),    u("SpinCount"),
                               u("txtRenmei1"),  u("txtRenKeisho1")};
    QStringList visited;
    for (int i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << controlName(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, order);
}

TEST_F(MainWindowCommandsTest, TheTypicalRoadGivesBackTheSameFile)
{
    open(writeFile("five.csv", kFiveCards));
    card().btnNext->click();
    EXPECT_EQ(card().txtName->text(), u("佐藤一郎"));
    EXPECT_EQ(card().txtRenKeisho1->currentText(), u("様"));
    card().txtRenmei1->setText(u("次郎"));
    card().txtAddress->setText(u("大阪府大阪市中央区"));
    card().btnSaveCard->click();
    dialogs.answer({true});
    ui().N7->trigger();
    const std::string saved = readBytes(path("five.csv"));
    EXPECT_NE(
        saved.find(sj("\r\n2,佐藤一郎;次郎,5300001,殿;様,大阪府大阪市中央区,梅田,,234567\r\n")),
        std::string::npos);

    dialogs.answer({false});
    open(path("five.csv"));
    EXPECT_EQ(dialogs.texts().last(), u(book_command_texts::kSaveQuestion));
    QAbstractItemModel* grid = list().IchiranGrid->model();
    EXPECT_EQ(grid->data(grid->index(1, ColAddress1 - 1)).toString(), u("大阪府大阪市中央区"));
    saveAs(path("copy.csv"));
    EXPECT_EQ(readBytes(path("copy.csv")), saved);
}

}  // namespace
