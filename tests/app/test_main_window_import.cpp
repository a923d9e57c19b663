// SPDX-License-Identifier: MIT
// Other programs' address lists taken in through the window, as a household
// brings them: each file in its program's own layout, with invented contacts.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <sstream>

#include "app/import_columns_dialog.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/card_columns.h"
#include "tests/support/helpers.h"
#include "tests/support/widget_helpers.h"

namespace {

struct ImportCase {
    const char* file;
    const char* format;  // the report's 形式 line
    std::vector<Card> cards;
    std::vector<const char*> reportLines;  // further lines the report must hold
};

const std::vector<ImportCase>& importCases()
{
    static const std::vector<ImportCase> cases{
        {"design_kit.csv",
         "はがきデザインキット",
         {{"山田　太郎;花子", "1000001", "様;様", "東京都千代田区千代田1-1", "メゾン千代田101",
           "連名: 翔太 くん"},
          {"佐藤　一郎", "5300001", "殿", "大阪府大阪市北区梅田3-1-1",
           "グランドビル5階　見本商事株式会社　総務部", ""},
          {"鈴木　次郎", "0600001", "様", "北海道札幌市中央区北一条西2丁目", "", ""}},
         {"・高橋　美穂（住所がありません）", "連名を備考に入れた宛先:", "・山田　太郎"}},
        {"labels.csv",
         "宛名ラベル用の CSV",
         {{"山田　太郎;花子", "1000001", "様;様", "東京都千代田区千代田1-1", "メゾン千代田101",
           "大学の友人"},
          {"中村　健", "8100001", "様", "福岡県福岡市中央区天神1-1-1",
           "天神ビル8階　見本工業株式会社　営業部　第一課", "取引先"},
          {"伊藤 健", "1050011", "先生", "東京都港区芝公園4-2-8", "", ""}},
         {}},
        {"labels_joint20.csv",
         "宛名ラベル用の CSV",
         {{"鈴木　一郎;幸子", "4600008", "様;様", "愛知県名古屋市中区栄1-2-3", "コーポ栄202",
           "連名: 翔太 くん、美咲 ちゃん"}},
         {"連名を備考に入れた宛先:", "・鈴木　一郎"}},
        {"outlook_ja.csv",
         "Outlook の CSV",
         {{"田中　一郎;美咲", "1070061", "様;様", "東京都港区北青山3-6-1", "表参道ハイツ203",
           "ゴルフ仲間"},
          {"小林　誠", "1000005", "様", "東京都千代田区丸の内1-1",
           "丸ビル10階　見本商事株式会社　経理部", ""},
          {"加藤　恵", "9800014", "様", "宮城県仙台市青葉区本町2-2-2", "", ""}},
         {"・山本　大輔（住所がありません）"}},
        {"outlook_en.csv",
         "Outlook の CSV",
         {{"渡辺　裕子;健一", "4600008", "様;様", "愛知県名古屋市中区栄1-2-3", "コーポ栄202", ""},
          {"山本　大輔", "5300001", "様", "大阪府大阪市北区梅田3-1-1",
           "グランドビル5階　見本電機株式会社　開発部", "展示会で名刺交換"}},
         {"・加藤　恵（住所がありません）"}},
        {"outlook_com.csv",
         "Outlook の CSV",
         {{"井上　美咲", "8100001", "様", "福岡県福岡市中央区天神2-2-2", "", "幼なじみ"},
          {"木村　拓也", "0600001", "様", "北海道札幌市中央区北一条西2丁目", "札幌ビル3階", ""}},
         {}},
        {"google_outlook.csv",
         "Outlook の CSV",
         {{"松本　健;花子", "8120011", "様;様", "福岡県福岡市博多区博多駅前1-1-1", "博多ビル2階",
           ""},
          {"山田　太郎", "1000001", "様", "東京都千代田区千代田1-1", "メゾン千代田101",
           "大学の友人"}},
         {}},
        {"thunderbird_ja.csv",
         "Thunderbird の CSV",
         {{"井上　真理", "9800014", "様", "宮城県仙台市青葉区本町2-2-2", "本町ハイツ305",
           "高校の同級生"},
          {"木村 拓也", "1050011", "様", "東京都港区芝公園4-2-8", "", ""}},
         {}},
        {"thunderbird_en.csv",
         "Thunderbird の CSV",
         {{"小川　洋子", "8100001", "様", "福岡県福岡市中央区天神1-1-1",
           "天神ビル8階　見本工業株式会社　人事部", ""},
          {"鈴木　次郎", "0600001", "様", "北海道札幌市中央区北一条西2丁目", "",
           "年賀状は毎年 手書きで"}},
         {}},
        {"web_tool.csv",
         "見出し付きの CSV",
         {{"山田　太郎;花子", "1000001", "様;様", "東京都千代田区千代田1-1", "メゾン千代田101",
           "連名: 翔太 様"},
          {"佐藤　一郎", "5300001", "様", "大阪府大阪市北区梅田3-1-1", "", ""}},
         {}},
        {"android_vcard21.vcf",
         "vCard",
         {{"山田　太郎", "5300041", "様", "大阪府大阪市北区天神橋1-1-1", "天神橋ビル3階", ""},
          {"佐藤　花子", "1000001", "様", "東京都千代田区千代田1-1", "", ""}},
         {}},
        {"google_formatted.csv",
         "Google コンタクトの CSV",
         {{"鈴木　太郎", "0600001", "様", "北海道札幌市中央区北一条西2丁目", "", ""}},
         {}},
        {"thunderbird_vcard40.vcf",
         "vCard",
         {{"中村　健;由美", "8100001", "様;様", "福岡県福岡市中央区天神2-2-2", "", "釣り仲間"}},
         {}},
        {"apple_vcard30.vcf",
         "vCard",
         {{"小林　誠;恵子", "1070061", "様;様", "東京都港区北青山3-6-1", "",
           "毎年 年賀状をくれる 元同僚"}},
         {}},
    };
    return cases;
}

std::string cell(frmMain& window, Column column, int row)
{
    return utf8(window.book().cell(column, row));
}

std::vector<std::string> cardsOf(frmMain& window)
{
    std::vector<std::string> cards;
    for (int r = 1; r <= window.book().cardCount(); ++r) {
        std::string card = cell(window, ColName, r);
        for (Column c : {ColPostalCode, ColHonorific, ColAddress1, ColAddress2, ColMemo}) {
            card += '|' + cell(window, c, r);
        }
        cards.push_back(card);
    }
    return cards;
}

std::vector<std::string> joined(const std::vector<Card>& cards)
{
    std::vector<std::string> out;
    for (const Card& c : cards) {
        std::ostringstream s;
        s << c;
        out.push_back(s.str());
    }
    return out;
}

class ImportThroughWindowTest : public ::testing::Test, public MainWindowFixture {
protected:
    void importFixture(const char* name)
    {
        files.importAnswers.push_back(
            QString::fromStdString(testDataPath(std::string("import/") + name)));
        ui().acImportFile->trigger();
    }
    QStringList reportLines() const
    {
        return dialogs.log.empty() ? QStringList() : dialogs.log.back().text.split(u("\n\r"));
    }
};

TEST(ImportThroughWindow, EachProgramsListComesInWithItsAddressesJointNamesAndMemos)
{
    for (const ImportCase& c : importCases()) {
        SCOPED_TRACE(c.file);
        MainWindowFixture f;
        f.files.importAnswers.push_back(
            QString::fromStdString(testDataPath(std::string("import/") + c.file)));
        f.ui().acImportFile->trigger();

        EXPECT_EQ(cardsOf(*f.window), joined(c.cards));
        ASSERT_EQ(f.dialogs.log.size(), 1U);
        const QStringList report = f.dialogs.log.front().text.split(u("\n\r"));
        ASSERT_GE(report.size(), 2);
        EXPECT_EQ(report[0], u("%1 件の宛先を取り込みました。").arg(c.cards.size()));
        EXPECT_EQ(report[1], u("形式: ") + u(c.format));
        for (const char* line : c.reportLines) {
            EXPECT_TRUE(report.contains(u(line))) << line << "\n"
                                                  << report.join(QLatin1Char(0x0a)).toStdString();
        }
    }
}

// The column dialog as the window shows it for a file without a header.
struct ColumnDialog {
    explicit ColumnDialog(QWidget& w)
        : dialog(dynamic_cast<frmImportColumns&>(w)),
          preview(*dialog.findChild<QTableWidget*>(u("ImportPreview"))),
          headerRow(*dialog.findChild<QCheckBox*>(u("chkHeaderRow"))),
          buttons(*dialog.findChild<QDialogButtonBox*>())
    {
    }
    QComboBox& column(int n) const
    {
        return *dialog.findChild<QComboBox*>(u("cmbColumn%1").arg(n));
    }
    QStringList chosen() const
    {
        QStringList items;
        for (int n = 1; n <= preview.columnCount(); ++n) {
            items << column(n).currentText();
        }
        return items;
    }
    void ok() const { buttons.button(QDialogButtonBox::Ok)->click(); }

    frmImportColumns& dialog;
    QTableWidget& preview;
    QCheckBox& headerRow;
    QDialogButtonBox& buttons;
};

TEST_F(ImportThroughWindowTest, AFileWithoutAHeaderIsReadByTheColumnsChosenInTheDialog)
{
    window->show();
    whenModalOpens([](QWidget& w) {
        ColumnDialog d(w);
        EXPECT_EQ(d.dialog.windowTitle(), u("項目の割り当て"));
        EXPECT_EQ(d.chosen(), (QStringList{u("使わない"), u("郵便番号"), u("住所1"), u("使わない"),
                                           u("敬称"), u("使わない")}));
        EXPECT_FALSE(d.headerRow.isChecked());
        EXPECT_FALSE(d.column(1).isEditable());
        ASSERT_EQ(d.column(1).count(), 17);
        EXPECT_EQ(d.column(1).itemText(16), u("メモ"));
        EXPECT_EQ(d.preview.item(1, 0)->text(), u("山田太郎")) << "row 0 holds the drop-downs";
        EXPECT_EQ(d.preview.rowCount(), 1 + 3);

        d.column(1).setCurrentText(u("氏名"));
        d.column(4).setCurrentText(u("住所2"));
        d.column(6).setCurrentText(u("連名"));
        const QColor grey = d.dialog.palette().color(QPalette::Disabled, QPalette::Text);
        EXPECT_NE(d.preview.item(1, 3)->foreground().color(), grey) << "the table follows";
        EXPECT_EQ(d.preview.item(1, 6 - 1)->foreground().color(),
                  d.preview.item(1, 0)->foreground().color());
        d.column(5).setCurrentText(u("使わない"));
        EXPECT_EQ(d.preview.item(1, 4)->foreground().color(), grey);
        d.column(5).setCurrentText(u("敬称"));
        EXPECT_EQ(d.buttons.button(QDialogButtonBox::Cancel)->text(), u("キャンセル"));
        saveShot(d.dialog, "import-columns");
        QTest::keyClick(&d.dialog, Qt::Key_Return);
    });
    importFixture("headerless.csv");

    EXPECT_EQ(cardsOf(*window),
              joined({{"山田太郎;花子", "1000001", "様;様", "東京都千代田区千代田1-1",
                       "メゾン千代田101", ""},
                      {"佐藤一郎", "5300001", "殿", "大阪府大阪市北区梅田3-1-1", "", ""},
                      {"鈴木次郎", "0600001", "様", "北海道札幌市中央区北一条西2丁目", "", ""}}));
    EXPECT_EQ(reportLines().mid(0, 2),
              (QStringList{u("3 件の宛先を取り込みました。"), u("形式: 項目の割り当て")}));
}

TEST_F(ImportThroughWindowTest, OkWithoutANameOrAnAddressKeepsTheDialogAndCancelChangesNothing)
{
    window->show();
    const std::vector<std::string> before = cardsOf(*window);
    bool stayedOpen = false;
    whenModalOpens([&](QWidget& w) {
        ColumnDialog d(w);
        d.ok();  // no name column
        d.column(1).setCurrentText(u("氏名"));
        d.column(2).setCurrentText(u("使わない"));
        d.column(3).setCurrentText(u("使わない"));
        QTest::keyClick(&d.dialog, Qt::Key_Return);  // no address column
        stayedOpen = d.dialog.isVisible();
        d.buttons.button(QDialogButtonBox::Cancel)->click();
    });
    importFixture("headerless.csv");

    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(dialogs.texts(), (QStringList{u("氏名と住所の列を選んでください。"),
                                            u("氏名と住所の列を選んでください。")}))
        << "no report after キャンセル";
    EXPECT_EQ(cardsOf(*window), before);
}

TEST_F(ImportThroughWindowTest, TheDialogStartsAfreshForTheNextFile)
{
    // Nothing chosen for one file carries over to the next.
    for (const char* expectedFirst : {"使わない", "使わない"}) {
        whenModalOpens([&](QWidget& w) {
            ColumnDialog d(w);
            EXPECT_EQ(d.column(1).currentText(), u(expectedFirst));
            d.column(1).setCurrentText(u("メモ"));
            d.dialog.reject();
        });
        importFixture("headerless.csv");
    }
}

}  // namespace
