// SPDX-License-Identifier: MIT
// The list grid's stored layout, initdata.dat beside the executable: a small
// "key = value" text file. New and Open apply it before rebuilding the table.
#pragma once

#include <string>
#include <vector>

#include "book/address_book.h"

inline constexpr char kGridTemplateFileName[] = "initdata.dat";

namespace grid_template_texts {
inline constexpr char kTemplateUnreadable[] = "%1 を読み込めません: %2";
inline constexpr char kTemplateNoEquals[] = "%1 行目に「=」がありません";
inline constexpr char kTemplateUnknownKey[] = "%1 行目の項目 %2 は使えません";
inline constexpr char kTemplateRepeatedKey[] = "%1 行目の項目 %2 は二度目です";
inline constexpr char kTemplateNotNumber[] = "%1 行目の %2 が数値ではありません";
inline constexpr char kTemplateOutOfRange[] = "%1 行目の %2 が範囲外です";
inline constexpr char kTemplateUnknownOption[] = "%1 行目のオプション %2 は使えません";
inline constexpr char kTemplateBadChoice[] = "%1 行目の %2 の値 %3 は使えません";
inline constexpr char kTemplateMissingKey[] = "項目 %1 がありません";
inline constexpr char kTemplateWrongFormat[] = "形式 %1 には対応していません";
inline constexpr char kTemplateWrongShape[] = "表は %1 行 %2 列でなければなりません";
inline constexpr char kTemplateWidthCount[] = "列幅の数 (%1) が列数 (%2) と合いません";
}  // namespace grid_template_texts

enum class GridOption : unsigned {
    FixedVertLine = 1u << 0,
    FixedHorzLine = 1u << 1,
    VertLine = 1u << 2,
    HorzLine = 1u << 3,
    RangeSelect = 1u << 4,
    RowSizing = 1u << 5,
    ColSizing = 1u << 6,
    RowMoving = 1u << 7,
    ColMoving = 1u << 8,
    Editing = 1u << 9,
    Tabs = 1u << 10,
    RowSelect = 1u << 11,
    AlwaysShowEditor = 1u << 12,
};

enum class GridScrollBars { None, Horizontal, Vertical, Both };

struct GridLayout {
    int rowCount = 0;
    int columnCount = 0;
    int fixedRows = 0;
    int fixedColumns = 0;
    int defaultColumnWidth = 0;
    int defaultRowHeight = 0;
    std::vector<int> columnWidths;  // one per column
    unsigned options = 0;           // GridOption bits
    GridScrollBars scrollBars = GridScrollBars::None;
    bool flatBorder = false;

    bool has(GridOption option) const { return (options & static_cast<unsigned>(option)) != 0; }
};

// appDir + "/initdata.dat".
std::string GridTemplatePath(const std::string& appDir);

// False when the folder holds no initdata.dat file: the program cannot go on.
bool GridTemplateExists(const std::string& appDir);

// Reads and checks the whole file. Throws AppError ("initdata.dat を読み込めません: ...")
// when it cannot be read or is not a valid layout.
GridLayout LoadGridTemplate(const std::string& path);

// The table's part of the layout: its row count. The template holds no cell
// texts, so the cells that remain keep theirs.
void ApplyTemplate(const GridLayout& layout, AddressBook& book);
