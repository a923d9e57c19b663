// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProgressBar>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "tests/app/main_window_fixture.h"
#include "tests/support/helpers.h"
#include "tests/support/widget_helpers.h"
#include "text/cp932.h"

namespace {

// Types text the way an input method commits it, one character at a time.
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

class MainWindowTest : public ::testing::Test, public MainWindowFixture {
protected:
};

TEST_F(MainWindowTest, StartsOnThePrintTabWithAnEmptyBook)
{
    EXPECT_EQ(window->windowTitle(), u("ふみよせ"));
    EXPECT_EQ(ui().PageControl->currentIndex(), 2);
    EXPECT_EQ(ui().PageControl->tabText(0), u("カード編集"));
    EXPECT_EQ(ui().PageControl->tabText(1), u("一覧表de修正"));
    EXPECT_EQ(ui().PageControl->tabText(2), u("印刷プレビュー"));
    EXPECT_EQ(window->AppVersion(), u("0.4"));
    EXPECT_FALSE(window->state().cardChanged());
    EXPECT_FALSE(window->state().bookChanged());
    EXPECT_TRUE(window->state().currentFile().isEmpty());
    EXPECT_TRUE(dialogs.log.empty());

    const AddressBook& book = window->book();
    EXPECT_EQ(book.rowCount(), 2);
    EXPECT_EQ(book.cell(ColNumber, 1), "1");
    EXPECT_EQ(card().lblnenga->text().size(), 6);
    EXPECT_EQ(book.cell(ColLottery, 1), "") << "the first lottery number waits in the label";

    QTableView* grid = list().IchiranGrid;
    const char* headers[] = {
        "名前/連名", "郵便番号", "敬称/連名敬称", "住所1", "住所2", "備考(印刷されません)", ""};
    const int widths[] = {140, 70, 40, 198, 198, 170, 100};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(grid->model()->headerData(c, Qt::Horizontal).toString(), u(headers[c]));
        EXPECT_EQ(grid->columnWidth(c), widths[c]) << c;
    }
    EXPECT_EQ(grid->verticalHeader()->width(), 30);
    EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(), 15);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Vertical).toString(), u("1"));
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    EXPECT_EQ(card().txtKeisho->currentText(), u("様"));
    EXPECT_EQ(card().txtRenKeisho1->currentText(), u("様"));
    EXPECT_EQ(card().txtKeisho->count(), 9);
    EXPECT_TRUE(card().chkVisible->isChecked());
    EXPECT_TRUE(print().chkSender->isChecked());
    EXPECT_EQ(print().intYubinBai->value(), 1);
    EXPECT_EQ(print().PrintList->count(), 0);
    EXPECT_EQ(print().lblPrintOtoshi->text(), u("000000"));
    EXPECT_EQ(card().Label6->text(), u("A0001組"));
    EXPECT_EQ(print().PrintList->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(card().txtYuubinNo->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_FALSE(card().txtYuubinNo->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(ui().ProgressBar->value(), 0);

    // The menu: hidden and disabled items as the form gives them.
    EXPECT_FALSE(ui().Edit1->menuAction()->isVisible());
    EXPECT_FALSE(ui().Help1->isEnabled());
    EXPECT_FALSE(ui().N21->isVisible());
    EXPECT_EQ(ui().N9->text(), u("ふみよせの終了"));
}

TEST_F(MainWindowTest, TakingInContactsStandsRightAfterOpenInTheMenu)
{
    const QList<QAction*> items = ui().N1->actions();
    const auto open = std::find(items.begin(), items.end(), ui().N5);
    ASSERT_NE(open, items.end());
    ASSERT_NE(open + 1, items.end());
    EXPECT_EQ(*(open + 1), ui().acImportFile);
    EXPECT_EQ(ui().acImportFile->text(), u("住所録の取り込み"));
}

TEST_F(MainWindowTest, FontListsFollowTheSystemFaces)
{
    EXPECT_EQ(print().PrintFont->count(), 1);
    EXPECT_EQ(print().PrintFont->itemText(0), u("@IPAMincho"));
    EXPECT_EQ(print().PrintFont->currentText(), u("@ＭＳ 明朝"));
    EXPECT_EQ(print().PrintFontNo->count(), 3);
    EXPECT_EQ(print().PrintFontNo->currentText(), u("Arial"));
}

TEST(MainWindowFonts, WithoutVerticalFacesTheVerticalListIsEmpty)
{
    MainWindowFixture f({QStringLiteral("Arial"), QStringLiteral("@Arial Unicode MS")});
    EXPECT_EQ(f.window->printTab().ui().PrintFont->count(), 1);
    EXPECT_EQ(f.window->printTab().ui().PrintFont->itemText(0), u("@Arial Unicode MS"));
    MainWindowFixture none({QStringLiteral("Arial"), QStringLiteral("Courier")});
    EXPECT_EQ(none.window->printTab().ui().PrintFont->count(), 0);
    EXPECT_EQ(none.window->printTab().ui().PrintFont->currentText(), u("@ＭＳ 明朝"));
    EXPECT_EQ(none.window->printTab().ui().PrintFontNo->count(), 2);
}

TEST_F(MainWindowTest, TypingACardFillsThePreviewAndMarksTheCardChanged)
{
    ui().PageControl->setCurrentIndex(0);
    window->show();
    QTest::keyClicks(card().txtYuubinNo, u("1a0-0b0001"));  // letters and hyphens never land
    EXPECT_EQ(card().txtYuubinNo->text(), u("1000001"));
    card().txtName->setText(u("山田太郎"));
    card().txtRenmei1->setText(u("花子"));
    card().txtAddress->setText(u("東京都千代田区千代田一ー一"));
    card().txtAddress2->setText(u("皇居内"));
    EXPECT_TRUE(window->state().cardChanged());
    EXPECT_EQ(card().lblName->text(), u("山田太郎 様"));
    EXPECT_EQ(card().lblName2->text(), u("花子 様"));
    EXPECT_EQ(card().lblAdd1->text(), u("東京都千代田区千代田一ー一"));
    const QLabel* boxes[] = {card().lblYubin1, card().lblYubin2, card().lblYubin3, card().lblYubin4,
                             card().lblYubin5, card().lblYubin6, card().lblYubin7};
    const char* digits = "1000001";
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(boxes[i]->text(), QString(QLatin1Char(digits[i])));
    }
    card().txtKeisho->setEditText(u("殿"));
    EXPECT_EQ(card().lblName->text(), u("山田太郎 殿"));
    card().txtName->clear();
    EXPECT_EQ(card().lblName->text(), u(""));
    card().txtName->setText(u("山田太郎"));
    card().txtKeisho->setEditText(u("様"));

    // The address field keeps to 30 bytes when typed.
    card().txtAddress2->clear();
    typeText(card().txtAddress2, u("一二三四五六七八九十一二三四五六七"));
    EXPECT_EQ(cp932::byteLength(card().txtAddress2->text()), 30u);
    card().txtAddress2->setText(u("皇居内"));

    // The sender never marks the card.
    window->state().cardSettled();
    card().txtSenderName->setText(u("鈴木一郎"));
    card().txtSenderRenmei->setText(u("次郎"));
    card().txtSenderAddress->setText(u("大阪府大阪市北区"));
    card().txtSenderAddress2->setText(u("梅田二ー二ー二"));
    card().txtSenderYuubinNo->setText(u("5300001"));
    EXPECT_FALSE(window->state().cardChanged());
    EXPECT_EQ(card().lblFromName->text(), u("鈴木一郎"));
    EXPECT_EQ(print().lblPFromName->text(), u("鈴木一郎"));
    EXPECT_EQ(print().PrintFYubin7->text(), u("1"));
    EXPECT_EQ(card().lblFYubin1->text(), u("5"));
    EXPECT_EQ(card().lblYubin1->text(), u("1")) << "the addressee's boxes are untouched";
    saveShot(*window, "card-tab");

    // Hidden sender labels keep following the fields.
    card().chkVisible->click();
    EXPECT_FALSE(card().lblFromName->isVisible());
    card().txtSenderName->setText(u("佐藤"));
    EXPECT_EQ(card().lblFromName->text(), u("佐藤"));
    EXPECT_TRUE(print().lblPFromName->isVisibleTo(ui().TabSheet3));
    card().chkVisible->click();
    EXPECT_TRUE(card().lblFromName->isVisible());
}

TEST_F(MainWindowTest, TheCardBeingEditedBecomesTheSender)
{
    card().txtName->setText(u("山田太郎"));
    card().txtKeisho->setEditText(u("殿"));
    card().txtRenmei1->setText(u("花子"));
    card().txtYuubinNo->setText(u("1000001"));
    card().txtAddress->setText(u("東京都千代田区千代田一ー一"));
    card().txtAddress2->setText(u("皇居内"));
    window->state().cardSettled();
    const BookRow stored = window->book().row(1);

    EXPECT_EQ(visibleText(ui().acSenderFromCard->text()), u("このカードを差出人にする"));
    EXPECT_TRUE(ui().N3->actions().contains(ui().acSenderFromCard)) << "in 宛名印刷";
    ui().acSenderFromCard->trigger();
    EXPECT_EQ(card().txtSenderName->text(), u("山田太郎"));
    EXPECT_EQ(card().txtSenderRenmei->text(), u("花子"));
    EXPECT_EQ(card().txtSenderYuubinNo->text(), u("1000001"));
    EXPECT_EQ(card().txtSenderAddress->text(), u("東京都千代田区千代田一ー一"));
    EXPECT_EQ(card().txtSenderAddress2->text(), u("皇居内"));
    EXPECT_EQ(print().lblPFromName->text(), u("山田太郎")) << "the print preview follows";
    EXPECT_EQ(print().PrintFYubin7->text(), u("1"));
    EXPECT_FALSE(window->state().cardChanged()) << "the card itself did not change";
    EXPECT_EQ(window->book().row(1), stored);
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(MainWindowTest, ThePrinterDialogIsOneForTheRunAndStartsOnThePostcard)
{
    EXPECT_EQ(window->printTab().printer().pageLayout().pageSize().id(), QPageSize::Postcard);
    QList<QWidget*> opened;
    for (int time = 0; time < 2; ++time) {
        whenModalOpens([&](QWidget& dialog) {
            opened << &dialog;
            dynamic_cast<QDialog&>(dialog).reject();
        });
        print().SpeedButton3->click();
    }
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], opened[1]) << "opened again, it shows what was confirmed";
    EXPECT_EQ(opened[0]->objectName(), u("PrinterSetupDialog1"));
}

TEST_F(MainWindowTest, LooksUpACompanysOwnCodeAndATownOfTheNationalDictionary)
{
    const std::pair<const char*, const char*> lookups[] = {
        {"1008994", "1008994,東京都千代田区丸の内２丁目７－２　東京中央郵便局"},
        {"7390501", "7390501,広島県廿日市市宮島町"}};
    for (const auto& [code, line] : lookups) {
        card().txtYuubinNo->setText(u(code));
        QStringList listed;
        whenModalOpens([&](QWidget& form) {
            auto* list = form.findChild<QListWidget*>(u("KekkaList"));
            for (int i = 0; list != nullptr && i < list->count(); ++i) {
                listed << list->item(i)->text();
            }
            form.close();
        });
        card().SpeedButton1->click();
        EXPECT_EQ(listed, QStringList{u(line)}) << code;
    }
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(MainWindowTest, GridEditsLandInTheTableAndSetNoState)
{
    QTableView* grid = list().IchiranGrid;
    ASSERT_TRUE(grid->model()->setData(grid->model()->index(0, 0), u("山田"), Qt::EditRole));
    EXPECT_EQ(window->book().cell(ColName, 1), cp932::fromUnicodeLossy(u("山田")));
    EXPECT_FALSE(window->state().cardChanged());
    EXPECT_FALSE(window->state().bookChanged());
    EXPECT_TRUE(window->state().currentFile().isEmpty());
    EXPECT_EQ(card().txtName->text(), u("")) << "the editor does not follow the grid";
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemNeverHasChildren);
}

TEST_F(MainWindowTest, MenuSwitchesTabsAndShowsTheAboutBox)
{
    ui().N16->trigger();
    EXPECT_EQ(ui().PageControl->currentIndex(), 0);
    ui().N17->trigger();
    EXPECT_EQ(ui().PageControl->currentIndex(), 1);
    saveShot(*window, "list-tab");
    ui().Print1->trigger();
    EXPECT_EQ(ui().PageControl->currentIndex(), 2);
    ui().N14->trigger();
    EXPECT_EQ(dialogs.texts().last(), u("ふみよせ Ver.0.4"));
    ui().N23->trigger();
    ui().N19->trigger();
    ASSERT_EQ(urls.opened.size(), 2);
    EXPECT_TRUE(urls.opened[0].endsWith(u("/fumiyose/")));
    EXPECT_TRUE(urls.opened[1].endsWith(u("/fumiyose/upgrade.php?ver=0.4")));
}

TEST_F(MainWindowTest, ALotteryCaptionThatIsNoNumberOpensNothing)
{
    card().lblnenga->setText(u(""));
    QTest::mouseClick(card().lblnenga, Qt::LeftButton);
    EXPECT_TRUE(urls.opened.isEmpty());
    ASSERT_FALSE(dialogs.log.empty());
    EXPECT_EQ(dialogs.log.back().text, u("'' は整数ではありません"));
    card().lblnenga->setText(u("123456"));
    QTest::mouseClick(card().lblnenga, Qt::LeftButton);
    ASSERT_EQ(urls.opened.size(), 1);
    EXPECT_TRUE(urls.opened[0].contains(u("/otoshi/otoshi.php?no=")));
    EXPECT_TRUE(urls.opened[0].endsWith(u("&ver=0.4")));
}

TEST_F(MainWindowTest, PrintListAndPreviewFromTheTable)
{
    AddressBook& book = window->book();
    book.setRowCount(4);
    auto set = [&](int r, const char* name, const char* code, const char* address) {
        book.setCell(ColNumber, r, std::to_string(r));
        book.setCell(ColName, r, cp932::fromUnicodeLossy(u(name)));
        book.setCell(ColPostalCode, r, code);
        book.setCell(ColHonorific, r, cp932::fromUnicodeLossy(u("様;様")));
        book.setCell(ColAddress1, r, cp932::fromUnicodeLossy(u(address)));
    };
    set(1, "山田太郎;花子", "1000001", "東京都千代田区千代田一ー一");
    set(2, "欠番", "", "大阪府");
    set(3, "佐藤", "5300001", "大阪府大阪市北区梅田");
    ui().N17->trigger();
    ui().N10->trigger();
    EXPECT_EQ(ui().PageControl->currentIndex(), 2);
    EXPECT_EQ(dialogs.texts(), QStringList{u("2番のデータが不正です。リストに追加できません。")});
    ASSERT_EQ(print().PrintList->count(), 2);
    EXPECT_EQ(print().PrintList->item(0)->text(), u("山田太郎;花子 : 東京都千代田区千代田一ー一"));
    EXPECT_EQ(print().PrintList->item(1)->data(Qt::UserRole).toInt(), 3);
    EXPECT_EQ(print().PrintList->item(0)->checkState(), Qt::Unchecked);

    print().PrintList->setCurrentRow(0);
    EXPECT_EQ(print().lblPName->text(), u("山田太郎 様"));
    EXPECT_EQ(print().lblPName2->text(), u("花子 様"));
    EXPECT_EQ(print().PrintYubin7->text(), u("1"));
    window->show();
    saveShot(*window, "print-tab");
    print().PrintList->setCurrentRow(1);
    EXPECT_EQ(print().lblPName2->text(), u(""));
    EXPECT_EQ(print().lblPAddress1->text(), u("大阪府大阪市北区梅田"));

    dialogs.log.clear();
    ui().N12->trigger();
    EXPECT_EQ(dialogs.texts(), QStringList{u("印刷対象にチェックを入れてください。")});

    print().chkSender->click();
    EXPECT_FALSE(print().lblPFromName2->isVisibleTo(ui().TabSheet3));
    EXPECT_FALSE(print().PrintFYubin1->isVisibleTo(ui().TabSheet3));
}

TEST_F(MainWindowTest, KanjiConversionRewritesTheAddressesAndRebuildsTheList)
{
    AddressBook& book = window->book();
    book.setCell(ColName, 1, cp932::fromUnicodeLossy(u("山田")));
    book.setCell(ColPostalCode, 1, "1000001");
    book.setCell(ColAddress1, 1, "1-2-3");
    book.setCell(ColAddress2, 1, "2005");
    book.setCell(ColMemo, 1, "10");
    print().btnChgToKanji->click();
    EXPECT_EQ(book.cell(ColAddress1, 1), cp932::fromUnicodeLossy(u("一ー二ー三")));
    EXPECT_EQ(book.cell(ColAddress2, 1), cp932::fromUnicodeLossy(u("二〇〇五")));
    EXPECT_EQ(book.cell(ColMemo, 1), "10");
    EXPECT_EQ(book.cell(ColPostalCode, 1), "1000001");
    EXPECT_FALSE(window->state().bookChanged());
    ASSERT_EQ(print().PrintList->count(), 1);
    EXPECT_EQ(print().PrintList->item(0)->text(), u("山田 : 一ー二ー三"));
}

TEST_F(MainWindowTest, TrialPrintOfTheHighlightedCardWritesAPdf)
{
    AddressBook& book = window->book();
    book.setCell(ColName, 1, cp932::fromUnicodeLossy(u("山田太郎;花子")));
    book.setCell(ColHonorific, 1, cp932::fromUnicodeLossy(u("様;様")));
    book.setCell(ColPostalCode, 1, "1000001");
    book.setCell(ColAddress1, 1, cp932::fromUnicodeLossy(u("東京都千代田区千代田一ー一")));
    book.setCell(ColAddress2, 1, cp932::fromUnicodeLossy(u("皇居内")));
    card().txtSenderName->setText(u("鈴木一郎"));
    card().txtSenderAddress->setText(u("大阪府大阪市北区"));
    card().txtSenderAddress2->setText(u("梅田二ー二ー二"));
    card().txtSenderYuubinNo->setText(u("5300001"));

    ui().N11->trigger();
    EXPECT_EQ(dialogs.texts(), QStringList{u("試し刷りしたい宛先を選択してください。")});

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u("card.pdf"));
    window->printTab().printer().setOutputFormat(QPrinter::PdfFormat);
    window->printTab().printer().setOutputFileName(pdf);
    print().btnPrintListReload->click();
    print().PrintList->setCurrentRow(0);
    dialogs.log.clear();
    print().btnSamplePrint->click();
    EXPECT_TRUE(dialogs.log.empty()) << dialogs.texts().join(u("|")).toStdString();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
    const QString shots = qEnvironmentVariable("FUMI_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QFile::remove(shots + u("/card.pdf"));
        QFile::copy(pdf, shots + u("/card.pdf"));
    }
}

TEST_F(MainWindowTest, OnlyTheHighlightedItemIsPreviewedAndTrialPrinted)
{
    AddressBook& book = window->book();
    book.setRowCount(3);
    for (int r : {1, 2}) {
        book.setCell(ColNumber, r, std::to_string(r));
        book.setCell(ColName, r, cp932::fromUnicodeLossy(r == 1 ? u("山田") : u("佐藤")));
        book.setCell(ColPostalCode, r, "1000001");
        book.setCell(ColAddress1, r, cp932::fromUnicodeLossy(u("東京都")));
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u("card.pdf"));
    window->printTab().printer().setOutputFormat(QPrinter::PdfFormat);
    window->printTab().printer().setOutputFileName(pdf);
    QListWidget* list = print().PrintList;
    print().btnPrintListReload->click();
    const QString selectFirst = u("試し刷りしたい宛先を選択してください。");

    // Tabbing into the list makes item 0 current, not highlighted.
    QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(list, &tabIn);
    ASSERT_EQ(list->currentRow(), 0);
    EXPECT_EQ(print().lblPName->text(), u(""));
    print().btnSamplePrint->click();
    EXPECT_EQ(dialogs.texts(), QStringList{selectFirst});
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // A click highlights item 1; a Ctrl+click takes the highlight away again.
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    EXPECT_EQ(print().lblPName->text(), u("佐藤 "));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, second);
    ASSERT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(print().lblPName->text(), u("佐藤 ")) << "the preview keeps the last card";
    dialogs.log.clear();
    print().btnSamplePrint->click();
    EXPECT_EQ(dialogs.texts(), QStringList{selectFirst});
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

}  // namespace
