#include <gtest/gtest.h>

#include <QComboBox>
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

#include "app/print_controller.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/helpers.h"
#include "tests/support/widget_helpers.h"
#include "text/cp932.h"
#include "ui_frmMain.h"

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
    Ui::frmMain& ui() { return window->ui(); }
};

TEST_F(MainWindowTest, StartsOnThePrintTabWithAnEmptyBook)
{
    EXPECT_EQ(window->windowTitle(), u("ふみよせ"));
    EXPECT_EQ(ui().PageControl->currentIndex(), 2);
    EXPECT_EQ(ui().PageControl->tabText(0), u("カード編集"));
    EXPECT_EQ(ui().PageControl->tabText(1), u("一覧表de修正"));
    EXPECT_EQ(ui().PageControl->tabText(2), u("印刷プレビュー"));
    EXPECT_EQ(window->AppVersion(), "0.4");
    EXPECT_FALSE(window->state().cardChanged);
    EXPECT_FALSE(window->state().bookChanged);
    EXPECT_TRUE(window->state().currentFile.isEmpty());
    EXPECT_TRUE(dialogs.log.empty());

    const AddressBook& book = window->book();
    EXPECT_EQ(book.rowCount(), 2);
    EXPECT_EQ(book.cell(ColNumber, 1), "1");
    EXPECT_EQ(ui().lblnenga->text().size(), 6);
    EXPECT_EQ(book.cell(ColLottery, 1), "") << "the first lottery number waits in the label";

    QTableView* grid = ui().IchiranGrid;
    const char* headers[] = {
        "名前/連名", "郵便番号", "敬称/連名敬称", "住所1", "住所2", "備考(印刷されません)", ""};
    const int widths[] = {140, 70, 40, 198, 198, 170, 100};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(grid->model()->headerData(c, Qt::Horizontal).toString(), u(headers[c]));
        EXPECT_EQ(grid->columnWidth(c), widths[c]) << c;
    }
    EXPECT_EQ(grid->verticalHeader()->width(), 30);
    EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(), 15);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Vertical).toString(), "1");
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    EXPECT_EQ(ui().txtKeisho->currentText(), u("様"));
    EXPECT_EQ(ui().txtRenKeisho1->currentText(), u("様"));
    EXPECT_EQ(ui().txtKeisho->count(), 9);
    EXPECT_TRUE(ui().chkVisible->isChecked());
    EXPECT_TRUE(ui().chkSender->isChecked());
    EXPECT_EQ(ui().intYubinBai->value(), 1);
    EXPECT_EQ(ui().PrintList->count(), 0);
    EXPECT_EQ(ui().lblPrintOtoshi->text(), "000000");
    EXPECT_EQ(ui().Label6->text(), u("A0001組"));
    EXPECT_EQ(ui().PrintList->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(ui().txtYuubinNo->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_FALSE(ui().txtYuubinNo->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(ui().ProgressBar->value(), 0);

    // The menu: hidden and disabled items as the form gives them.
    EXPECT_FALSE(ui().Edit1->menuAction()->isVisible());
    EXPECT_FALSE(ui().Help1->isEnabled());
    EXPECT_FALSE(ui().N21->isVisible());
    EXPECT_EQ(ui().N9->text(), u("ふみよせの終了"));
}

TEST_F(MainWindowTest, FontListsFollowTheSystemFaces)
{
    EXPECT_EQ(ui().PrintFont->count(), 1);
    EXPECT_EQ(ui().PrintFont->itemText(0), "@IPAMincho");
    EXPECT_EQ(ui().PrintFont->currentText(), u("@ＭＳ 明朝"));
    EXPECT_EQ(ui().PrintFontNo->count(), 3);
    EXPECT_EQ(ui().PrintFontNo->currentText(), "Arial");
}

TEST(MainWindowFonts, WithoutVerticalFacesTheVerticalListIsEmpty)
{
    MainWindowFixture f({QStringLiteral("Arial"), QStringLiteral("@Arial Unicode MS")});
    EXPECT_EQ(f.window->ui().PrintFont->count(), 1);
    EXPECT_EQ(f.window->ui().PrintFont->itemText(0), "@Arial Unicode MS");
    MainWindowFixture none({QStringLiteral("Arial"), QStringLiteral("Courier")});
    EXPECT_EQ(none.window->ui().PrintFont->count(), 0);
    EXPECT_EQ(none.window->ui().PrintFont->currentText(), u("@ＭＳ 明朝"));
    EXPECT_EQ(none.window->ui().PrintFontNo->count(), 2);
}

TEST_F(MainWindowTest, TypingACardFillsThePreviewAndMarksTheCardChanged)
{
    ui().PageControl->setCurrentIndex(0);
    window->show();
    QTest::keyClicks(ui().txtYuubinNo, "1a0-0b0001");  // letters and hyphens never land
    EXPECT_EQ(ui().txtYuubinNo->text(), "1000001");
    ui().txtName->setText(u("山田太郎"));
    ui().txtRenmei1->setText(u("花子"));
    ui().txtAddress->setText(u("東京都千代田区千代田一ー一"));
    ui().txtAddress2->setText(u("皇居内"));
    EXPECT_TRUE(window->state().cardChanged);
    EXPECT_EQ(ui().lblName->text(), u("山田太郎 様"));
    EXPECT_EQ(ui().lblName2->text(), u("花子 様"));
    EXPECT_EQ(ui().lblAdd1->text(), u("東京都千代田区千代田一ー一"));
    const QLabel* boxes[] = {ui().lblYubin1, ui().lblYubin2, ui().lblYubin3, ui().lblYubin4,
                             ui().lblYubin5, ui().lblYubin6, ui().lblYubin7};
    const char* digits = "1000001";
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(boxes[i]->text(), QString(QChar(digits[i])));
    }
    ui().txtKeisho->setEditText(u("殿"));
    EXPECT_EQ(ui().lblName->text(), u("山田太郎 殿"));
    ui().txtName->clear();
    EXPECT_EQ(ui().lblName->text(), "");
    ui().txtName->setText(u("山田太郎"));
    ui().txtKeisho->setEditText(u("様"));

    // The address field keeps to 30 bytes when typed.
    ui().txtAddress2->clear();
    typeText(ui().txtAddress2, u("一二三四五六七八九十一二三四五六七"));
    EXPECT_EQ(cp932::byteLength(ui().txtAddress2->text()), 30u);
    ui().txtAddress2->setText(u("皇居内"));

    // The sender never marks the card.
    window->state().cardChanged = false;
    ui().txtSenderName->setText(u("鈴木一郎"));
    ui().txtSenderRenmei->setText(u("次郎"));
    ui().txtSenderAddress->setText(u("大阪府大阪市北区"));
    ui().txtSenderAddress2->setText(u("梅田二ー二ー二"));
    ui().txtSenderYuubinNo->setText("5300001");
    EXPECT_FALSE(window->state().cardChanged);
    EXPECT_EQ(ui().lblFromName->text(), u("鈴木一郎"));
    EXPECT_EQ(ui().lblPFromName->text(), u("鈴木一郎"));
    EXPECT_EQ(ui().PrintFYubin7->text(), "1");
    EXPECT_EQ(ui().lblFYubin1->text(), "5");
    EXPECT_EQ(ui().lblYubin1->text(), "1") << "the addressee's boxes are untouched";
    saveShot(*window, "card-tab");

    // Hidden sender labels keep following the fields.
    ui().chkVisible->click();
    EXPECT_FALSE(ui().lblFromName->isVisible());
    ui().txtSenderName->setText(u("佐藤"));
    EXPECT_EQ(ui().lblFromName->text(), u("佐藤"));
    EXPECT_TRUE(ui().lblPFromName->isVisibleTo(ui().TabSheet3));
    ui().chkVisible->click();
    EXPECT_TRUE(ui().lblFromName->isVisible());
}

TEST_F(MainWindowTest, GridEditsLandInTheTableAndSetNoState)
{
    QTableView* grid = ui().IchiranGrid;
    ASSERT_TRUE(grid->model()->setData(grid->model()->index(0, 0), u("山田"), Qt::EditRole));
    EXPECT_EQ(window->book().cell(ColName, 1), cp932::fromUnicodeLossy(u("山田")));
    EXPECT_FALSE(window->state().cardChanged);
    EXPECT_FALSE(window->state().bookChanged);
    EXPECT_TRUE(window->state().currentFile.isEmpty());
    EXPECT_EQ(ui().txtName->text(), "") << "the editor does not follow the grid";
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
    EXPECT_TRUE(urls.opened[0].endsWith("/fumiyose/"));
    EXPECT_TRUE(urls.opened[1].endsWith("/fumiyose/upgrade.php?ver=0.4"));
}

TEST_F(MainWindowTest, ALotteryCaptionThatIsNoNumberOpensNothing)
{
    ui().lblnenga->setText("");
    QTest::mouseClick(ui().lblnenga, Qt::LeftButton);
    EXPECT_TRUE(urls.opened.isEmpty());
    ASSERT_FALSE(dialogs.log.empty());
    EXPECT_EQ(dialogs.log.back().text, u("'' は整数ではありません"));
    ui().lblnenga->setText("123456");
    QTest::mouseClick(ui().lblnenga, Qt::LeftButton);
    ASSERT_EQ(urls.opened.size(), 1);
    EXPECT_TRUE(urls.opened[0].contains("/otoshi/otoshi.php?no="));
    EXPECT_TRUE(urls.opened[0].endsWith("&ver=0.4"));
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
    ASSERT_EQ(ui().PrintList->count(), 2);
    EXPECT_EQ(ui().PrintList->item(0)->text(), u("山田太郎;花子 : 東京都千代田区千代田一ー一"));
    EXPECT_EQ(ui().PrintList->item(1)->data(Qt::UserRole).toInt(), 3);
    EXPECT_EQ(ui().PrintList->item(0)->checkState(), Qt::Unchecked);

    ui().PrintList->setCurrentRow(0);
    EXPECT_EQ(ui().lblPName->text(), u("山田太郎 様"));
    EXPECT_EQ(ui().lblPName2->text(), u("花子 様"));
    EXPECT_EQ(ui().PrintYubin7->text(), "1");
    window->show();
    saveShot(*window, "print-tab");
    ui().PrintList->setCurrentRow(1);
    EXPECT_EQ(ui().lblPName2->text(), "");
    EXPECT_EQ(ui().lblPAddress1->text(), u("大阪府大阪市北区梅田"));

    dialogs.log.clear();
    ui().N12->trigger();
    EXPECT_EQ(dialogs.texts(), QStringList{u("印刷対象にチェックを入れてください。")});

    ui().chkSender->click();
    EXPECT_FALSE(ui().lblPFromName2->isVisibleTo(ui().TabSheet3));
    EXPECT_FALSE(ui().PrintFYubin1->isVisibleTo(ui().TabSheet3));
}

TEST_F(MainWindowTest, KanjiConversionRewritesTheAddressesAndRebuildsTheList)
{
    AddressBook& book = window->book();
    book.setCell(ColName, 1, cp932::fromUnicodeLossy(u("山田")));
    book.setCell(ColPostalCode, 1, "1000001");
    book.setCell(ColAddress1, 1, "1-2-3");
    book.setCell(ColAddress2, 1, "2005");
    book.setCell(ColMemo, 1, "10");
    ui().btnChgToKanji->click();
    EXPECT_EQ(book.cell(ColAddress1, 1), cp932::fromUnicodeLossy(u("一ー二ー三")));
    EXPECT_EQ(book.cell(ColAddress2, 1), cp932::fromUnicodeLossy(u("二〇〇五")));
    EXPECT_EQ(book.cell(ColMemo, 1), "10");
    EXPECT_EQ(book.cell(ColPostalCode, 1), "1000001");
    EXPECT_FALSE(window->state().bookChanged);
    ASSERT_EQ(ui().PrintList->count(), 1);
    EXPECT_EQ(ui().PrintList->item(0)->text(), u("山田 : 一ー二ー三"));
}

TEST_F(MainWindowTest, TrialPrintOfTheHighlightedCardWritesAPdf)
{
    AddressBook& book = window->book();
    book.setCell(ColName, 1, cp932::fromUnicodeLossy(u("山田太郎;花子")));
    book.setCell(ColHonorific, 1, cp932::fromUnicodeLossy(u("様;様")));
    book.setCell(ColPostalCode, 1, "1000001");
    book.setCell(ColAddress1, 1, cp932::fromUnicodeLossy(u("東京都千代田区千代田一ー一")));
    book.setCell(ColAddress2, 1, cp932::fromUnicodeLossy(u("皇居内")));
    ui().txtSenderName->setText(u("鈴木一郎"));
    ui().txtSenderAddress->setText(u("大阪府大阪市北区"));
    ui().txtSenderAddress2->setText(u("梅田二ー二ー二"));
    ui().txtSenderYuubinNo->setText("5300001");

    ui().N11->trigger();
    EXPECT_EQ(dialogs.texts(), QStringList{u("試し刷りしたい宛先を選択してください。")});

    QTemporaryDir dir;
    const QString pdf = dir.filePath("card.pdf");
    window->print().printer().setOutputFormat(QPrinter::PdfFormat);
    window->print().printer().setOutputFileName(pdf);
    ui().btnPrintListReload->click();
    ui().PrintList->setCurrentRow(0);
    dialogs.log.clear();
    ui().btnSamplePrint->click();
    EXPECT_TRUE(dialogs.log.empty()) << dialogs.texts().join("|").toStdString();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
    const QString shots = qEnvironmentVariable("FUMI_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QFile::remove(shots + "/card.pdf");
        QFile::copy(pdf, shots + "/card.pdf");
    }
}

}  // namespace
