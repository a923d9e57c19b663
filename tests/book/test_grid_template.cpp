// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "book/grid_template.h"
#include "platform/app_error.h"

namespace {

namespace fs = std::filesystem;

constexpr char kGoodTemplate[] =
    "format = fumiyose-grid 1\n"
    "row_count = 2\n"
    "column_count = 8\n"
    "fixed_rows = 1\n"
    "fixed_columns = 1\n"
    "default_column_width = 100\n"
    "default_row_height = 15\n"
    "column_widths = 30, 140, 70, 40, 198, 198, 170, 100\n"
    "options = goFixedVertLine, goEditing\n"
    "scroll_bars = vertical\n"
    "flat_border = true\n";

class GridTemplateTest : public ::testing::Test {
protected:
    std::string folder() const { return dir_.path().toStdString(); }
    std::string templatePath() const { return GridTemplatePath(folder()); }

    void writeTemplate(std::string_view text) const
    {
        std::ofstream out(templatePath(), std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }

    // The message LoadGridTemplate throws for `text`, or "" when it loads.
    std::string errorFor(std::string_view text) const
    {
        writeTemplate(text);
        try {
            LoadGridTemplate(templatePath());
        } catch (const AppError& e) {
            return e.message().toStdString();
        }
        return {};
    }

    QTemporaryDir dir_;
};

// `text` with the line starting with `key` replaced by `line` (removed when empty).
std::string withLine(std::string_view key, std::string_view line)
{
    std::string text = kGoodTemplate;
    const std::size_t at = text.find(std::string(key) + " =");
    const std::size_t end = text.find('\n', at);
    text.replace(at, end - at + 1, line.empty() ? std::string() : std::string(line) + "\n");
    return text;
}

TEST(GridTemplate, TheShippedTemplateGivesTheListGridsLayout)
{
    const char* runtimeDir = std::getenv("FUMI_RUNTIME_DIR");
    ASSERT_NE(runtimeDir, nullptr);
    ASSERT_TRUE(GridTemplateExists(runtimeDir));
    const GridLayout layout = LoadGridTemplate(GridTemplatePath(runtimeDir));
    EXPECT_EQ(layout.rowCount, 2);
    EXPECT_EQ(layout.columnCount, 8);
    EXPECT_EQ(layout.fixedRows, 1);
    EXPECT_EQ(layout.fixedColumns, 1);
    EXPECT_EQ(layout.defaultColumnWidth, 100);
    EXPECT_EQ(layout.defaultRowHeight, 15);
    EXPECT_EQ(layout.columnWidths, (std::vector<int>{30, 140, 70, 40, 198, 198, 170, 100}));
    for (GridOption on :
         {GridOption::FixedVertLine, GridOption::FixedHorzLine, GridOption::VertLine,
          GridOption::HorzLine, GridOption::RangeSelect, GridOption::ColSizing, GridOption::Editing,
          GridOption::Tabs, GridOption::AlwaysShowEditor}) {
        EXPECT_TRUE(layout.has(on)) << static_cast<unsigned>(on);
    }
    for (GridOption off : {GridOption::RowSizing, GridOption::RowMoving, GridOption::ColMoving,
                           GridOption::RowSelect}) {
        EXPECT_FALSE(layout.has(off)) << static_cast<unsigned>(off);
    }
    EXPECT_EQ(layout.scrollBars, GridScrollBars::Vertical);
    EXPECT_TRUE(layout.flatBorder);
}

TEST(GridTemplate, ApplyingBringsTheTableToTwoRowsAndKeepsTheirCells)
{
    AddressBook book;
    book.setRowCount(5);
    book.setCell(ColNumber, 1, "1");
    book.setCell(ColLottery, 1, "123456");
    book.setCell(ColName, 4, "x");
    GridLayout layout;
    layout.rowCount = 2;
    ApplyTemplate(layout, book);
    EXPECT_EQ(book.rowCount(), 2);
    EXPECT_EQ(book.cell(ColLottery, 1), "123456");
    EXPECT_EQ(book.cell(ColName, 4), "");
}

TEST_F(GridTemplateTest, TellsAMissingTemplateApart)
{
    EXPECT_EQ(GridTemplatePath("/opt/app"), "/opt/app/initdata.dat");
    EXPECT_EQ(GridTemplatePath("/opt/app/"), "/opt/app/initdata.dat");
    EXPECT_FALSE(GridTemplateExists(folder()));
    fs::create_directory(templatePath());  // a folder of that name is no template
    EXPECT_FALSE(GridTemplateExists(folder()));
    fs::remove(templatePath());
    writeTemplate(kGoodTemplate);
    EXPECT_TRUE(GridTemplateExists(folder()));
}

TEST_F(GridTemplateTest, ReportsATemplateThatCannotBeRead)
{
    auto loadError = [&] {
        try {
            LoadGridTemplate(templatePath());
        } catch (const AppError& e) {
            return e.message().toStdString();
        }
        return std::string();
    };
    EXPECT_EQ(loadError(), "initdata.dat を読み込めません: ファイルが見つかりません");
    fs::create_directory(templatePath());
    EXPECT_EQ(loadError(), "initdata.dat を読み込めません: 通常のファイルではありません");
    fs::remove(templatePath());
    if (::geteuid() != 0) {
        writeTemplate(kGoodTemplate);
        ::chmod(templatePath().c_str(), 0);
        EXPECT_EQ(loadError(),
                  "initdata.dat を読み込めません: ファイルへのアクセスが拒否されました");
    }
}

TEST_F(GridTemplateTest, AFileThatOpensButFailsToReadIsReported)
{
    // Reading this process's memory from address 0 fails with EIO, even for root.
    fs::create_symlink("/proc/self/mem", templatePath());
    ASSERT_TRUE(GridTemplateExists(folder()));
    try {
        LoadGridTemplate(templatePath());
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message().toStdString(), "initdata.dat を読み込めません: I/O エラー (5)");
    }
}

TEST_F(GridTemplateTest, AcceptsCommentsBlankLinesCrLfAndAByteOrderMark)
{
    std::string text = "\xEF\xBB\xBF# 一覧の表\r\n\r\n";
    for (char c : std::string(kGoodTemplate)) {
        text += c == '\n' ? std::string("  # note\r\n") : std::string(1, c);
    }
    EXPECT_EQ(errorFor(text), "");
    EXPECT_EQ(errorFor(withLine("options", "options =")), "");
}

TEST_F(GridTemplateTest, RejectsMalformedTemplatesWithTheReason)
{
    const std::string prefix = "initdata.dat を読み込めません: ";
    const struct {
        std::string text;
        const char* reason;
    } cases[] = {
        {"", "項目 format がありません"},
        {withLine("row_count", "row_count 2"), "2 行目に「=」がありません"},
        {withLine("row_count", "rows = 2"), "2 行目の項目 rows は使えません"},
        {std::string(kGoodTemplate) + "row_count = 2\n", "12 行目の項目 row_count は二度目です"},
        {withLine("flat_border", ""), "項目 flat_border がありません"},
        {withLine("format", "format = fumiyose-grid 2"),
         "形式 fumiyose-grid 2 には対応していません"},
        {withLine("row_count", "row_count = two"), "2 行目の row_count が数値ではありません"},
        {withLine("row_count", "row_count = 2x"), "2 行目の row_count が数値ではありません"},
        {withLine("row_count", "row_count ="), "2 行目の row_count が数値ではありません"},
        {withLine("row_count", "row_count = 99999999999"), "2 行目の row_count が範囲外です"},
        {withLine("row_count", "row_count = 3"), "表は 2 行 8 列でなければなりません"},
        {withLine("column_count", "column_count = 7"), "表は 2 行 8 列でなければなりません"},
        {withLine("fixed_rows", "fixed_rows = 2"), "4 行目の fixed_rows が範囲外です"},
        {withLine("fixed_columns", "fixed_columns = -1"), "5 行目の fixed_columns が範囲外です"},
        {withLine("default_row_height", "default_row_height = 0"),
         "7 行目の default_row_height が範囲外です"},
        {withLine("column_widths", "column_widths = 30, 140"),
         "列幅の数 (2) が列数 (8) と合いません"},
        {withLine("column_widths", "column_widths = 30,,70,40,198,198,170,100"),
         "8 行目の column_widths が数値ではありません"},
        {withLine("options", "options = goEditing, goFlying"),
         "9 行目のオプション goFlying は使えません"},
        {withLine("scroll_bars", "scroll_bars = diagonal"),
         "10 行目の scroll_bars の値 diagonal は使えません"},
        {withLine("flat_border", "flat_border = yes"),
         "11 行目の flat_border の値 yes は使えません"},
        {std::string(70 * 1024, '#'), "ファイルが大きすぎます"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorFor(c.text), prefix + c.reason) << c.text.substr(0, 200);
    }
}

}  // namespace
