// SPDX-License-Identifier: MIT
#include "book/address_book.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {
const std::string kEmpty;
}

AddressBook::AddressBook() : rows_(2) {}

void AddressBook::setRowCount(int count)
{
    count = std::max(count, 2);
    const int old = rowCount();
    if (count == old) {
        return;
    }
    if (observer_ != nullptr) {
        observer_->rowCountAboutToChange(old, count);
    }
    rows_.resize(static_cast<std::size_t>(count));
    ++revision_;
    if (observer_ != nullptr) {
        observer_->rowCountChanged(old, count);
    }
}

const std::string& AddressBook::cell(int column, int row) const
{
    if (column < 0 || column >= ColumnCount || row < 0 || row >= rowCount()) {
        return kEmpty;
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void AddressBook::setCell(int column, int row, std::string text)
{
    if (column < 0 || column >= ColumnCount || row < 0 || row >= rowCount()) {
        return;
    }
    std::string& target = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (target == text) {
        return;
    }
    target = std::move(text);
    ++revision_;
    if (observer_ != nullptr) {
        observer_->cellChanged(column, row);
    }
}

BookRow AddressBook::row(int row) const
{
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    return rows_[static_cast<std::size_t>(row)];
}

void AddressBook::setRow(int row, BookRow cells)
{
    for (int c = 0; c < ColumnCount; ++c) {
        setCell(c, row, std::move(cells[static_cast<std::size_t>(c)]));
    }
}

void AddressBook::renumberCards()
{
    for (int r = 1; r < rowCount(); ++r) {
        setCell(ColNumber, r, std::to_string(r));
    }
}

void AddressBook::replaceWith(AddressBook&& other)
{
    if (observer_ != nullptr) {
        observer_->aboutToReset();
    }
    rows_ = std::move(other.rows_);
    other.rows_.assign(2, BookRow{});
    ++revision_;
    if (observer_ != nullptr) {
        observer_->reset();
    }
}

void AddressBook::appendRows(std::vector<BookRow> rows)
{
    if (rows.empty()) {
        return;
    }
    const int old = rowCount();
    const int count = old + static_cast<int>(rows.size());
    if (observer_ != nullptr) {
        observer_->rowCountAboutToChange(old, count);
    }
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    ++revision_;
    if (observer_ != nullptr) {
        observer_->rowCountChanged(old, count);
    }
}

bool AddressBook::holdsNoCard() const
{
    if (cardCount() != 1) {
        return false;
    }
    for (int c = ColName; c <= ColMemo; ++c) {
        if (!cell(c, 1).empty()) {
            return false;
        }
    }
    return true;
}

std::array<std::string, 7> PostalDigits(const std::string& code)
{
    std::array<std::string, 7> boxes;
    for (std::size_t i = 0; i < boxes.size() && i < code.size(); ++i) {
        boxes[i] = std::string(1, code[i]);
    }
    return boxes;
}

std::string NameWithHonorific(const std::string& name, const std::string& honorific,
                              EmptyName emptyName)
{
    if (name.empty() && emptyName == EmptyName::ShowsNothing) {
        return {};
    }
    return name + " " + honorific;
}

JointCells JoinJoint(const std::string& name, const std::string& honorific,
                     const std::string& jointName, const std::string& jointHonorific)
{
    if (jointName.empty()) {
        return {name, honorific};
    }
    return {name + ";" + jointName, honorific + ";" + jointHonorific};
}

SplitNames SplitJoint(const std::string& names, const std::string& honorifics)
{
    SplitNames result;
    // ";" (0x3B) is never a trail byte in code page 932, so a byte search is safe.
    const auto p = names.find(';');
    if (p == std::string::npos) {
        result.name = names;
        result.honorific = honorifics;
        return result;
    }
    result.hasJoint = true;
    result.name = names.substr(0, p);
    result.jointName = names.substr(p + 1);
    const auto q = honorifics.find(';');
    if (q == std::string::npos) {
        result.jointHonorific = honorifics;
    } else {
        result.honorific = honorifics.substr(0, q);
        result.jointHonorific = honorifics.substr(q + 1);
    }
    return result;
}
