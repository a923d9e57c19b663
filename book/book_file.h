// SPDX-License-Identifier: MIT
// Address book files: one CSV line per card, eight fields, CR LF, the cells'
// code page 932 bytes as they stand.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

#include "book/address_book.h"
#include "platform/file_error.h"

// The line of one card, without its line end.
std::string EncodeBookLine(const BookRow& row);

// The fields of one line (given without its line end).
std::vector<std::string> SplitBookLine(std::string_view line);

// The whole file for rows 1..N, as WriteBookFile writes it.
std::string EncodeBookText(const AddressBook& book);

// Reads every line of a file's bytes into `book`, which the caller has reset
// to the empty book, as ReadBookFile does. Returns the 1-based line numbers of
// the lines not taken (lines that are not eight fields; blank lines do not count).
std::vector<int> ParseBookText(std::string_view text, AddressBook& book);

// Writes rows 1..N; throws AppError on failure. A new file, or one that a new
// file renamed over it can stand for (its folder can be written, it has no
// other name, the user owns it and can give its group to the new one), is
// replaced as a whole: on any failure the old file stays as it was. Any other
// file (and a device or pipe) is written in place, keeping its names, owner,
// group and permissions: truncated, written and flushed to disk, and a failure
// part-way leaves the lines written so far. A symbolic link is followed and kept.
void WriteBookFile(const std::string& path, const AddressBook& book);

// Reads the file through ParseBookText and returns what that returns. Throws
// AppError when the file cannot be read; `book` then stays as it was.
std::vector<int> ReadBookFile(const std::string& path, AddressBook& book);
