// SPDX-License-Identifier: MIT
// 項目の割り当て: what each column of a CSV of no known layout holds, as the
// person chooses it in the column dialog, starting from the program's guesses.
#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "import/csv_records.h"
#include "import/header_csv.h"

// The items of each column's drop-down, in their order.
enum class ColumnItem {
    Unused,
    Name,
    FamilyName,
    GivenName,
    Honorific,
    JointName,
    JointHonorific,
    PostalCode,
    Address1,
    Address2,
    Prefecture,
    City,
    Street,
    Building,
    Company,
    Department,
    Memo,
};
inline constexpr int kColumnItemCount = 17;

// 使わない, 氏名, 姓, ... as the drop-downs show them.
QString ColumnItemText(ColumnItem item);

struct ColumnChoice {
    std::vector<ColumnItem> columns;  // one per column of the file
    bool headerRow = false;           // the first record names the columns
    bool operator==(const ColumnChoice&) const = default;
};

// The program's guesses: header words the vocabulary knows; a column of
// seven-digit or NNN-NNNN codes is the postal code, one whose values start
// with a prefecture address line 1, one of 様, 殿, 先生 ... the honorific. The
// first record is a header when it names a column or does not fit the rest.
ColumnChoice GuessColumns(const std::vector<CsvRecord>& records);

// The number of columns the dialog offers: the widest record's.
std::size_t ColumnsOf(const std::vector<CsvRecord>& records);

// Whether the choice names a name column and an address column.
bool ChoiceHasNameAndAddress(const ColumnChoice& choice);

// The meanings the chosen items give, for ContactsByMeanings.
ColumnMeanings MeaningsOfChoice(const ColumnChoice& choice);

// The column dialog, shown with the file's records and the guesses; the
// choice when confirmed, nothing when cancelled.
class ColumnChooser {
public:
    virtual ~ColumnChooser() = default;
    virtual std::optional<ColumnChoice> choose(const std::vector<CsvRecord>& records,
                                               const ColumnChoice& guess) = 0;
};
