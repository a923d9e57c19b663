// SPDX-License-Identifier: MIT
// Every text that Qt draws itself reads Japanese, whatever the locale the
// program starts in: CTest runs this under LANG=C, en_US.UTF-8 and ja_JP.UTF-8.
// With FUMI_SCREENSHOT_DIR set, it saves the question box, the open dialog
// and the printer dialog there.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "app/japanese_ui.h"
#include "app/qt_services.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/helpers.h"
#include "tests/support/widget_helpers.h"

namespace {

// A Latin letter and nothing Japanese: a text Qt left in English. "OK" is
// Japanese too (Qt's own catalogue keeps it).
bool isEnglish(const QString& text)
{
    if (text == u("OK")) {
        return false;
    }
    bool latin = false;
    for (QChar c : text) {
        if (c.unicode() >= 0x3000) {
            return false;
        }
        latin = latin || (c.unicode() < 0x80 && c.isLetter());
    }
    return latin;
}

QStringList englishAmong(const QStringList& texts)
{
    QStringList english;
    for (const QString& t : texts) {
        if (isEnglish(visibleText(t))) {
            english << t;
        }
    }
    return english;
}

QStringList buttonWords(QWidget& dialog)
{
    QStringList words;
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) {
        if (b->isVisible() && !b->text().isEmpty()) {
            words << visibleText(b->text());
        }
    }
    return words;
}

// The texts of a dialog that Qt's catalogue gives: captions, buttons, group
// titles, list entries, tips.
QStringList qtDrawnTexts(QWidget& dialog, const QStringList& notQtTexts = {})
{
    QStringList texts;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            texts << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            texts << button->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            texts << group->title();
        } else if (auto* combo = qobject_cast<QComboBox*>(w); combo && !combo->isEditable()) {
            for (int i = 0; i < combo->count(); ++i) {
                texts << combo->itemText(i);
            }
        }
    }
    texts.removeIf([&](const QString& t) { return notQtTexts.contains(t); });
    return texts;
}

// Every caption and button shown has the room its text needs.
bool nothingCutOff(QWidget& dialog)
{
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        const bool captioned = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w);
        if (captioned && w->isVisible() && w->width() < w->minimumSizeHint().width()) {
            return false;
        }
    }
    return true;
}

class QtJapaneseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(UseJapaneseQtTexts(*QCoreApplication::instance()))
            << "install qt6-translations-l10n";
    }
};

struct Answer {
    const char* button;
    bool result;
};

class StoreQuestionTest : public QtJapaneseTest, public ::testing::WithParamInterface<Answer> {};

TEST_P(StoreQuestionTest, OffersはいAndいいえ)
{
    const QString question = u("カード内容に変更があります。\n\rカードを保存しますか？");
    QStringList buttons;
    QString shown;
    whenModalOpens([&](QWidget& w) {
        auto& box = dynamic_cast<QMessageBox&>(w);
        shown = box.text();
        buttons = buttonWords(box);
        saveShot(box, "question-box");
        for (QAbstractButton* b : box.buttons()) {
            if (visibleText(b->text()) == u(GetParam().button)) {
                b->click();
            }
        }
    });
    MessageBoxDialogs dialogs;
    EXPECT_EQ(dialogs.ask(question), GetParam().result);
    EXPECT_EQ(shown, question);
    EXPECT_EQ(buttons, QStringList({u("はい"), u("いいえ")}));
}

INSTANTIATE_TEST_SUITE_P(EachAnswer, StoreQuestionTest,
                         ::testing::Values(Answer{"はい", true}, Answer{"いいえ", false}));

TEST_F(QtJapaneseTest, TheOpenDialogListsFilesInJapanese)
{
    QTemporaryDir dir(QDir::tempPath() + u("/年賀状-XXXXXX"));
    QFile book(dir.filePath(u("住所録.csv")));
    ASSERT_TRUE(book.open(QIODevice::WriteOnly));
    book.write("1,2");
    book.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(u("古い住所録")));

    QtFileDialogs files;
    files.openDialog().setDirectory(dir.path());
    QStringList buttons, english, listed;
    whenModalOpens([&](QWidget& dialog) {
        auto* view = dialog.findChild<QTreeView*>();
        if (view == nullptr) {
            ADD_FAILURE() << "Qt's file dialog has changed";
            dynamic_cast<QDialog&>(dialog).reject();
            return;
        }
        QAbstractItemModel* model = view->model();
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(view->rootIndex()) == 2; }));
        for (int row = 0; row < 2; ++row) {
            for (int column = 1; column < model->columnCount(view->rootIndex()); ++column) {
                listed << model->index(row, column, view->rootIndex()).data().toString();
            }
        }
        for (int c = 0; c < view->header()->count(); ++c) {
            listed << model->headerData(c, Qt::Horizontal).toString();
        }
        buttons = buttonWords(dialog);
        english = englishAmong(qtDrawnTexts(dialog, {dir.path()}) + listed);
        saveShot(dialog, "open-dialog");
        dynamic_cast<QDialog&>(dialog).reject();
    });
    EXPECT_EQ(files.openBook(), u(""));
    EXPECT_TRUE(english.isEmpty()) << english.join(u(" | ")).toStdString();
    EXPECT_TRUE(listed.contains(u("3 バイト"))) << listed.join(u(" | ")).toStdString();
    EXPECT_TRUE(listed.contains(u("フォルダ")));
    EXPECT_TRUE(buttons.contains(u("キャンセル")));
}

TEST_F(QtJapaneseTest, ThePrinterDialogIsJapaneseWithItsOptionsOpen)
{
    // What the printers report about themselves is not Qt's to translate.
    QStringList printerTexts;
    for (const QPrinterInfo& p : QPrinterInfo::availablePrinters()) {
        printerTexts << p.printerName() << p.description() << p.location() << p.makeAndModel();
    }
    MainWindowFixture fixture;
    QStringList english, buttons;
    whenModalOpens([&](QWidget& dialog) {
        EXPECT_NE(qobject_cast<QPrintDialog*>(&dialog), nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
            if (visibleText(b->text()).startsWith(u("オプション"))) {
                b->click();
            }
        }
        // The dialog grows to show the options.
        EXPECT_TRUE(QTest::qWaitFor([&] { return nothingCutOff(dialog); }));
        buttons = buttonWords(dialog);
        english = englishAmong(qtDrawnTexts(dialog, printerTexts));
        saveShot(dialog, "printer-dialog");
        dynamic_cast<QDialog&>(dialog).reject();
    });
    fixture.print().SpeedButton3->click();
    EXPECT_TRUE(english.isEmpty()) << english.join(u(" | ")).toStdString();
    EXPECT_TRUE(buttons.contains(u("オプション <<"))) << "the options are open";
    // It only sets the printer: its confirm button does not say it prints.
    EXPECT_TRUE(buttons.contains(u("OK"))) << buttons.join(u(" | ")).toStdString();
    EXPECT_FALSE(buttons.contains(u("印刷")));
}

class ContextMenuTest : public QtJapaneseTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ContextMenuTest, IsJapanese)
{
    MainWindowFixture fixture;
    fixture.window->show();
    auto* field = fixture.window->findChild<QWidget*>(u(GetParam()));
    ASSERT_NE(field, nullptr);
    QStringList entries;
    whenOpens(&QApplication::activePopupWidget, [&](QWidget& menu) {
        for (QAction* a : menu.actions()) {
            if (!a->isSeparator()) {
                entries << a->text();
            }
        }
        menu.close();
    });
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(4, 4),
                            field->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(field, &event);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !entries.isEmpty(); }));
    EXPECT_TRUE(englishAmong(entries).isEmpty()) << entries.join(u(" | ")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(EditFieldsAndSpinBoxes, ContextMenuTest,
                         ::testing::Values("txtName", "txtKeisho", "SpinCount", "intYubinBai"));

}  // namespace
