// SPDX-License-Identifier: MIT
// Typing through an input method, as fcitx5 and IBus deliver it: a
// composition lands in its own field before any command, number fields take
// half-width digits only, a long commit keeps what fits, and each field
// switches the input method as it gets the focus.
#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/input_rules.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/helpers.h"

namespace {

const char* const kTwoCards =
    "1,山田太郎,1000001,様,東京都千代田区千代田1-1,,,512345\r\n"
    "2,佐藤一郎,5300001,殿,大阪府大阪市北区,梅田,,234567\r\n";

void sendPreedit(QWidget* field, const char* text)
{
    QInputMethodEvent preedit(u(text), {});
    QApplication::sendEvent(field, &preedit);
}

void sendCommit(QWidget* field, const QString& text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(field, &commit);
}

class InputMethodTypingTest : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override
    {
        const QString book = dir.filePath(u("two.csv"));
        writeBytes(book.toStdString(), sj(kTwoCards));
        files.openAnswers.push_back(book);
        ui().N5->trigger();
        ui().PageControl->setCurrentIndex(0);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // The focus in `field` with the caret at its end, and a composition shown there.
    void composeAtEnd(QLineEdit* field, const char* preedit)
    {
        field->setFocus();
        field->end(false);
        sendPreedit(field, preedit);
    }
    std::string nameOf(int card) const { return window->book().cell(ColName, card); }

    QTemporaryDir dir;
};

struct ButtonCase {
    const char* button;
    int card;          // the card the composition is typed in
    bool asksToStore;  // the button moves away from an edited card
    const char* nameAfter;
};

class CompositionBeforeButtonTest : public InputMethodTypingTest,
                                    public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(CompositionBeforeButtonTest, LandsInItsOwnCardBeforeTheButtonRuns)
{
    const ButtonCase& c = GetParam();
    if (c.card == 2) {
        card().btnNext->click();
    }
    const std::string otherCard = nameOf(3 - c.card);
    composeAtEnd(card().txtName, "すずき");
    if (c.asksToStore) {
        dialogs.answer({true});
    }
    QTest::mouseClick(window->findChild<QPushButton*>(u(c.button)), Qt::LeftButton);

    EXPECT_EQ(nameOf(c.card), sj(c.nameAfter));
    EXPECT_EQ(nameOf(3 - c.card), otherCard) << "nothing landed in the other card";
    EXPECT_FALSE(dialogs.answersLeft()) << "the store question was asked";
    if (c.asksToStore) {
        EXPECT_FALSE(card().txtName->text().contains(u("すずき")))
            << "the card shown next does not carry the composition";
    }
}

INSTANTIATE_TEST_SUITE_P(FlatButtons, CompositionBeforeButtonTest,
                         ::testing::Values(ButtonCase{"btnSaveCard", 1, false, "山田太郎すずき"},
                                           ButtonCase{"btnNext", 1, true, "山田太郎すずき"},
                                           ButtonCase{"btnPrev", 2, true, "佐藤一郎すずき"},
                                           ButtonCase{"btnNewcard", 1, true, "山田太郎すずき"}),
                         [](const auto& testInfo) { return std::string(testInfo.param.button); });

TEST_F(InputMethodTypingTest, ALateSecondCommitOfTheSameTextLandsNowhere)
{
    // IBus with Mozc commits once when asked and once more, late, on reset:
    // by then the next card's name has the focus.
    composeAtEnd(card().txtName, "すずき");
    dialogs.answer({true});
    QTest::mouseClick(card().btnNext, Qt::LeftButton);
    ASSERT_EQ(nameOf(1), sj("山田太郎すずき"));
    card().txtName->setFocus();
    sendCommit(card().txtName, u("すずき"));
    EXPECT_EQ(card().txtName->text(), u("佐藤一郎"));
    sendCommit(card().txtName, u("すずき"));
    EXPECT_EQ(card().txtName->text(), u("佐藤一郎すずき")) << "only one echo is dropped";
}

TEST_F(InputMethodTypingTest, AMenuCommandOrATabClickCommitsTheCompositionFirst)
{
    composeAtEnd(card().txtMemo, "めも");
    ui().N17->trigger();  // 画面切り替え → 一覧
    EXPECT_EQ(card().txtMemo->text(), u("めも"));
    EXPECT_TRUE(window->state().cardChanged());

    ui().PageControl->setCurrentIndex(0);
    composeAtEnd(card().txtAddress2, "びる");
    QTabBar* tabs = ui().PageControl->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(2).center());
    EXPECT_EQ(ui().PageControl->currentIndex(), 2);
    EXPECT_EQ(card().txtAddress2->text(), u("びる"));
}

TEST_F(InputMethodTypingTest, AClickInsideTheFieldItselfLeavesTheCompositionToTheInputMethod)
{
    composeAtEnd(card().txtName, "すずき");
    QTest::mouseClick(card().txtName, Qt::LeftButton);
    EXPECT_EQ(card().txtName->text(), u("山田太郎"));
    card().btnSaveCard->click();
    EXPECT_EQ(nameOf(1), sj("山田太郎すずき"));
}

// The number fields: what a commit or a key of each kind leaves in them.
struct DigitsCase {
    const char* field;
    const char* typed;
    bool asCommit;  // from the input method, else a key
    const char* after;
};

class DigitsOnlyTest : public InputMethodTypingTest,
                       public ::testing::WithParamInterface<DigitsCase> {};

QLineEdit* editOf(QWidget* field)
{
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        return line;
    }
    return field->findChild<QLineEdit*>();
}

TEST_P(DigitsOnlyTest, TakesHalfWidthDigitsFromEveryPath)
{
    const DigitsCase& c = GetParam();
    auto* field = window->findChild<QWidget*>(u(c.field));
    ASSERT_NE(field, nullptr);
    if (std::string_view(c.field) == "intYubinBai") {
        ui().PageControl->setCurrentIndex(2);
    }
    QLineEdit* edit = editOf(field);
    edit->setText(u("1"));
    field->setFocus();
    edit->end(false);
    if (c.asCommit) {
        sendCommit(field, u(c.typed));
    } else {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, u(c.typed));
        QApplication::sendEvent(field, &key);
    }
    EXPECT_EQ(edit->text(), u(c.after));
}

INSTANTIATE_TEST_SUITE_P(NumberFields, DigitsOnlyTest,
                         ::testing::Values(DigitsCase{"txtYuubinNo", "５００", true, "1500"},
                                           DigitsCase{"txtYuubinNo", "ぎんざ", true, "1"},
                                           DigitsCase{"txtYuubinNo", "１a", true, "1"},
                                           DigitsCase{"txtYuubinNo", "２", false, "12"},
                                           DigitsCase{"txtYuubinNo", "12345678", true, "1123456"},
                                           DigitsCase{"txtSenderYuubinNo", "０５", true, "105"},
                                           DigitsCase{"txtSenderYuubinNo", "ー", true, "1"},
                                           DigitsCase{"SpinCount", "２", true, "12"},
                                           DigitsCase{"SpinCount", "に", true, "1"},
                                           DigitsCase{"intYubinBai", "０", true, "10"},
                                           DigitsCase{"intYubinBai", "０", false, "10"},
                                           DigitsCase{"intYubinBai", "ばい", true, "1"}),
                         [](const auto& testInfo) {
                             return std::string(testInfo.param.field) + "_" +
                                    std::to_string(testInfo.index);
                         });

TEST_F(InputMethodTypingTest, TheGridsPostalCodeEditorTakesDigitsWithTheInputMethodOff)
{
    ui().PageControl->setCurrentIndex(1);
    QTableView* grid = list().IchiranGrid;
    const QModelIndex cell = grid->model()->index(0, BookModel::modelColumn(ColPostalCode));
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    if (editor == nullptr) {
        editor = grid->viewport()->findChild<QLineEdit*>();
    }
    ASSERT_NE(editor, nullptr);
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(editor, &query);
    EXPECT_FALSE(query.value(Qt::ImEnabled).toBool());
    EXPECT_EQ(InputModeOf(editor), InputMode::Direct);

    editor->clear();
    sendCommit(editor, u("１５００００１"));
    sendCommit(editor, u("ぎんざ"));
    EXPECT_EQ(editor->text(), u("1500001"));
}

struct LongCommitCase {
    const char* before;
    const char* commit;
    const char* after;
};

TEST_F(InputMethodTypingTest, ACommitLongerThanTheByteLimitKeepsWhatFits)
{
    // 住所2 holds 30 bytes: 15 kanji, or 14 and a half-width letter.
    const LongCommitCase cases[] = {
        {"", "東京都千代田区千代田一丁目一番一号室", "東京都千代田区千代田一丁目一番"},
        {"ビル", "あいうえおかきくけこさしすせそ", "ビルあいうえおかきくけこさしす"},
        {"東京都千代田区千代田一丁目一a", "号", "東京都千代田区千代田一丁目一a"},
        {"a", "館", "a館"},
    };
    for (const LongCommitCase& c : cases) {
        card().txtAddress2->setText(u(c.before));
        composeAtEnd(card().txtAddress2, "");
        sendCommit(card().txtAddress2, u(c.commit));
        EXPECT_EQ(card().txtAddress2->text(), u(c.after)) << c.commit;
    }
}

TEST_F(InputMethodTypingTest, EachFieldSwitchesTheInputMethodAsItGetsTheFocus)
{
    const std::pair<QWidget*, bool> steps[] = {
        {card().txtAddress, true},       {card().txtYuubinNo, false},
        {card().txtMemo, true},          {card().SpinCount, false},
        {card().txtKeisho, true},        {card().txtSenderYuubinNo, false},
        {card().txtSenderAddress, true},
    };
    for (const auto& [field, japanese] : steps) {
        inputMethod.switches.clear();
        field->setFocus();
        ASSERT_FALSE(inputMethod.switches.empty()) << field->objectName().toStdString();
        EXPECT_EQ(inputMethod.switches.back(), japanese) << field->objectName().toStdString();
    }
    // A widget with no rule of its own leaves the input method as it is.
    inputMethod.switches.clear();
    ui().PageControl->setCurrentIndex(2);
    print().PrintList->setFocus();
    EXPECT_TRUE(inputMethod.switches.empty());
}

}  // namespace
