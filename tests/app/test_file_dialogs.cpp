// SPDX-License-Identifier: MIT
// The open dialog's filters: "すべて (*.*)" lists every file, also one saved
// without an extension, and picks it by the name it has.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/qt_services.h"
#include "tests/support/helpers.h"
#include "tests/support/widget_helpers.h"

namespace {

struct FilterCase {
    std::vector<Qt::Key> filterKeys;  // pressed on the filter box, as a user picks a filter
    const char* filter;
    QStringList listed;
    const char* chosen;  // picking "book" opens this
};

class OpenDialogFilterTest : public ::testing::TestWithParam<FilterCase> {
protected:
    void SetUp() override
    {
        for (const char* name : {"a.csv", "book", "notes.txt"}) {
            QFile f(dir.filePath(u(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        files.openDialog().setDirectory(dir.path());
    }

    QTemporaryDir dir;
    QtFileDialogs files;
};

QStringList listedNames(QAbstractItemView& view)
{
    QStringList names;
    for (int row = 0; row < view.model()->rowCount(view.rootIndex()); ++row) {
        names << view.model()->index(row, 0, view.rootIndex()).data().toString();
    }
    names.sort();
    return names;
}

// Clicks the name in the list when it is there, or else types it.
void pick(QAbstractItemView& view, QLineEdit& nameField, const QString& name)
{
    for (int row = 0; row < view.model()->rowCount(view.rootIndex()); ++row) {
        const QModelIndex item = view.model()->index(row, 0, view.rootIndex());
        if (item.data().toString() == name) {
            QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(item).center());
            return;
        }
    }
    QTest::keyClicks(&nameField, name);
}

TEST_P(OpenDialogFilterTest, ListsAndPicksByTheChosenFilter)
{
    const FilterCase& c = GetParam();
    QString filter;
    QStringList listed;
    whenModalOpens([&](QWidget& dialog) {
        auto* filters = dialog.findChild<QComboBox*>(u("fileTypeCombo"));
        // The detail or the list view, whichever the dialog shows.
        auto* view = dialog.findChild<QAbstractItemView*>(u("treeView"));
        if (view == nullptr || !view->isVisible()) {
            view = dialog.findChild<QAbstractItemView*>(u("listView"));
        }
        auto* name = dialog.findChild<QLineEdit*>(u("fileNameEdit"));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        if (!filters || !view || !name || !buttons) {
            ADD_FAILURE() << "Qt's file dialog has changed";
            dynamic_cast<QDialog&>(dialog).reject();
            return;
        }
        for (Qt::Key key : c.filterKeys) {
            QTest::keyClick(filters, key);
        }
        filter = filters->currentText();
        // The list fills in the background.
        EXPECT_TRUE(QTest::qWaitFor([&] { return listedNames(*view) == c.listed; }));
        listed = listedNames(*view);
        pick(*view, *name, u("book"));
        EXPECT_EQ(name->text(), u("book"));
        buttons->button(QDialogButtonBox::Open)->click();
    });
    const QString chosen = files.openBook();
    EXPECT_EQ(filter, u(c.filter));
    EXPECT_EQ(listed, c.listed);
    EXPECT_EQ(chosen, dir.filePath(u(c.chosen)));
}

INSTANTIATE_TEST_SUITE_P(
    EachFilter, OpenDialogFilterTest,
    ::testing::Values(
        FilterCase{{}, "CSV形式 (*.csv)", {u("a.csv")}, "book.csv"},
        FilterCase{{Qt::Key_Down}, "すべて (*.*)", {u("a.csv"), u("book"), u("notes.txt")}, "book"},
        FilterCase{{Qt::Key_Down, Qt::Key_Up}, "CSV形式 (*.csv)", {u("a.csv")}, "book.csv"}));

}  // namespace

namespace {

TEST(ImportDialog, IsTitledAndFilteredForOtherProgramsFiles)
{
    QtFileDialogs files;
    QFileDialog& dialog = files.importDialog();
    EXPECT_EQ(dialog.windowTitle(), u("住所録の取り込み"));
    EXPECT_EQ(dialog.nameFilters(),
              (QStringList{u("住所録 (*.csv *.vcf *.txt)"), u("すべて (*)")}));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
}

}  // namespace
