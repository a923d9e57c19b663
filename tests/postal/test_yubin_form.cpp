// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <string>
#include <vector>

#include "postal/postal_lookup.h"
#include "postal/yubin_form.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"

namespace {

using Lines = std::vector<std::string>;

const QString kChoosePostalCode =
    QString::fromUtf8("郵便番号として入力したい物を選択してください。");
const QString kChooseAddress = QString::fromUtf8("住所として入力したい物を選択してください。");

class YubinFormTest : public ::testing::Test {
protected:
    YubinFormTest()
        : form(
              dialogs, [this](const std::string& v) { writes.push_back("code:" + v); },
              [this](const std::string& v) { writes.push_back("address:" + v); })
    {
    }

    void showWith(const Lines& lines)
    {
        form.fill(lines);
        form.show();
    }
    void select(int row) { form.KekkaList()->item(row)->setSelected(true); }
    QPushButton* button(const char* name) { return form.findChild<QPushButton*>(u(name)); }

    FakeDialogs dialogs;
    std::vector<std::string> writes;
    YubinForm form;
};

const Lines kLines = {sj("1000001,東京都千代田区千代田"), sj("12345,短番号町"),
                      sj("9999999 コンマのない行")};

TEST_F(YubinFormTest, IsAFixedDialogWhoseButtonsNeverTakeTheFocus)
{
    EXPECT_EQ(form.objectName(), u("YubinForm"));
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("検索結果"));
    EXPECT_EQ(form.minimumSize(), QSize(461, 307));
    EXPECT_EQ(form.maximumSize(), QSize(461, 307));
    EXPECT_EQ(form.font().pixelSize(), 12);
    EXPECT_EQ(form.KekkaList()->selectionMode(), QAbstractItemView::SingleSelection);
    for (const char* name : {"btnYubinInput", "btnAddInput"}) {
        ASSERT_NE(button(name), nullptr) << name;
        EXPECT_EQ(button(name)->focusPolicy(), Qt::NoFocus) << name;
    }
}

TEST_F(YubinFormTest, FillReplacesTheItemsAndKeepsTheOriginalBytes)
{
    form.fill({sj("1111111,旧")});
    // 0xFF is no character: it shows as a replacement but is copied as it was.
    const std::string odd = std::string("2222222,") + "\xff" + sj("町");
    showWith({sj("1000001,東京都千代田区千代田"), odd});
    QListWidget* list = form.KekkaList();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("1000001,東京都千代田区千代田"));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(list->visualItemRect(list->item(0)).height(), 12);
    select(1);
    button("btnAddInput")->click();
    EXPECT_EQ(writes, (std::vector<std::string>{"address:\xff" + sj("町")}));
}

TEST_F(YubinFormTest, ButtonsWithoutASelectionAskForOneAndStayOpen)
{
    showWith(kLines);
    button("btnYubinInput")->click();
    button("btnAddInput")->click();
    EXPECT_EQ(dialogs.texts(), (QStringList{kChoosePostalCode, kChooseAddress}));
    EXPECT_TRUE(writes.empty());
    EXPECT_TRUE(form.isVisible());
}

TEST_F(YubinFormTest, PostalCodeButtonCopiesSevenBytesAndCloses)
{
    showWith(kLines);
    select(1);
    button("btnYubinInput")->click();
    EXPECT_EQ(writes, (std::vector<std::string>{"code:" + sj("12345,短").substr(0, 7)}));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(YubinFormTest, AddressButtonCopiesAfterTheCommaOrTheWholeLine)
{
    showWith(kLines);
    select(0);
    button("btnAddInput")->click();
    EXPECT_FALSE(form.isVisible());
    showWith(kLines);
    select(2);
    button("btnAddInput")->click();
    EXPECT_EQ(writes, (std::vector<std::string>{"address:" + sj("東京都千代田区千代田"),
                                                "address:" + sj("9999999 コンマのない行")}));
}

TEST_F(YubinFormTest, DoubleClickFillsPostalCodeThenAddress)
{
    showWith(kLines);
    form.KekkaListDblClick();  // nothing selected: ignored
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(writes.empty());

    QListWidget* list = form.KekkaList();
    const QPoint centre = list->visualItemRect(list->item(0)).center();
    // A real double-click: press, release, then the double-click press.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(writes,
              (std::vector<std::string>{"code:1000001", "address:" + sj("東京都千代田区千代田")}));
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(YubinFormTest, CloseBoxChangesNothing)
{
    showWith(kLines);
    select(0);
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_TRUE(writes.empty());
}

TEST_F(YubinFormTest, LookupShowsTheFormModallyAndEachSearchStartsAfresh)
{
    const std::string dictionary =
        std::string(std::getenv("FUMI_TEST_DATA")) + "/postal/sample.dat";
    PostalLookup lookup(dictionary, dialogs, form);
    int seen = 0;
    // Runs inside the modal loop: looks at the list, then picks its first line.
    const auto pickFirst = [&](const char* buttonName) {
        QTimer::singleShot(0, &form, [&, buttonName] {
            seen = form.KekkaList()->count();
            EXPECT_TRUE(form.isModal());
            select(0);
            button(buttonName)->click();
        });
    };
    pickFirst("btnYubinInput");
    lookup.searchByAddress(sj("一ツ橋"));
    EXPECT_EQ(seen, 1);
    pickFirst("btnAddInput");
    lookup.searchByPostalCode("100");
    EXPECT_EQ(seen, 4);
    EXPECT_EQ(writes,
              (std::vector<std::string>{"code:1000003", "address:" + sj("東京都千代田区千代田")}));
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
