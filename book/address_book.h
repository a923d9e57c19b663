// SPDX-License-Identifier: MIT
// The address book: rows 0..N of eight text cells in code page 932 bytes.
// Row 0 holds the headers, rows 1..N the cards; there is always one card.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

enum Column : int {
    ColNumber = 0,
    ColName = 1,
    ColPostalCode = 2,
    ColHonorific = 3,
    ColAddress1 = 4,
    ColAddress2 = 5,
    ColMemo = 6,
    ColLottery = 7,
};
inline constexpr int ColumnCount = 8;
using BookRow = std::array<std::string, ColumnCount>;

// Told of every change, so that a view of the table stays in step with it.
class BookObserver {
public:
    virtual ~BookObserver() = default;
    virtual void cellChanged(int column, int row) = 0;
    virtual void rowCountAboutToChange(int oldCount, int newCount) = 0;
    virtual void rowCountChanged(int oldCount, int newCount) = 0;
    virtual void aboutToReset() = 0;
    virtual void reset() = 0;
};

class AddressBook {
public:
    AddressBook();

    int rowCount() const { return static_cast<int>(rows_.size()); }
    int cardCount() const { return rowCount() - 1; }
    // Growing adds empty rows at the end; shrinking drops rows for good. Never below 2.
    void setRowCount(int count);

    // Out of range reads an empty text; out of range writes are ignored.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);

    BookRow row(int row) const;
    void setRow(int row, BookRow cells);

    // Column 0 of rows 1..N becomes "1".."N".
    void renumberCards();

    // Takes over all rows of `other` at once (one reset for the observer).
    void replaceWith(AddressBook&& other);

    // Adds these rows after the last one, in one step for the observer.
    void appendRows(std::vector<BookRow> rows);

    // The book holds no card yet: one card row without a name, postal code,
    // honorific, address or memo (its number and lottery number make no card).
    bool holdsNoCard() const;

    void setObserver(BookObserver* observer) { observer_ = observer; }

    // Counts every change of a cell or of the row count, so that whoever wrote
    // or read the book can tell later whether it has changed since.
    std::uint64_t revision() const { return revision_; }

private:
    std::vector<BookRow> rows_;
    std::uint64_t revision_ = 0;
    BookObserver* observer_ = nullptr;
};

// The two cells that hold a card's names and honorifics.
struct JointCells {
    std::string names;       // column 1
    std::string honorifics;  // column 3
};

struct SplitNames {
    std::string name;
    std::string honorific;
    std::string jointName;  // empty when the card has no joint name
    std::string jointHonorific;
    bool hasJoint = false;  // column 1 held a ";"
};

// The seven postal-code boxes: byte i of the code in box i, empty past its
// end. Nothing is checked: a hyphen takes a box like a digit.
std::array<std::string, 7> PostalDigits(const std::string& code);

// How a name with its honorific reads where a card is shown: the name, one
// half-width space, the honorific. The card preview shows nothing for an empty
// name; the print preview and the printed card keep the space and the
// honorific even then.
enum class EmptyName { ShowsNothing, KeepsHonorific };
std::string NameWithHonorific(const std::string& name, const std::string& honorific,
                              EmptyName emptyName);

JointCells JoinJoint(const std::string& name, const std::string& honorific,
                     const std::string& jointName, const std::string& jointHonorific);
SplitNames SplitJoint(const std::string& names, const std::string& honorifics);
