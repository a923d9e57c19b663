// SPDX-License-Identifier: MIT
// Records of a CSV text as spreadsheets and Google write it (RFC 4180):
// quoted fields may hold delimiters, doubled quotes and line breaks.
#pragma once

#include <QString>

#include <vector>

struct CsvRecord {
    int line = 0;  // the 1-based line of the file where the record begins
    std::vector<QString> fields;
};

// Every record, blank lines included (as one empty field). A quote opens a
// quoted field only as its first character; text after the closing quote is
// kept, as spreadsheets read it.
std::vector<CsvRecord> ReadCsvRecords(QStringView text, QChar delimiter);

// The separator the first line has most of: a tab (the "Unicode text" a
// spreadsheet saves), a semicolon (spreadsheets where the comma is the decimal
// mark), else a comma.
QChar SniffDelimiter(QStringView text);

// True when every field is empty or white space.
bool IsBlankRecord(const CsvRecord& record);
