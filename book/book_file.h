// SPDX-License-Identifier: MIT
// Address book files: one CSV line per card, eight fields, CR LF, the cells'
// code page 932 bytes as they stand.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

#include "book/address_book.h"
#include "book/recovery_store.h"
#include "platform/file_error.h"
#include "platform/file_stamp.h"

// Books and other programs' address lists larger than this are refused
// ("ファイルが大きすぎます"): a household's book is a few hundred kilobytes.
inline constexpr std::size_t kMaxBookFileBytes = std::size_t{512} << 20;

// The line of one card, without its line end.
std::string EncodeBookLine(const BookRow& row);

// The fields of one line (given without its line end).
std::vector<std::string> SplitBookLine(std::string_view line);

// The whole file for rows 1..N, as WriteBookFile writes it.
std::string EncodeBookText(const AddressBook& book);

// Whether a file's bytes hold no line at all: nothing but blanks, line ends,
// control bytes and NULs, which the reader skips.
bool HoldsNoLine(std::string_view text);

// Reads every line of a file's bytes into `book`, which the caller has reset
// to the empty book, as ReadBookFile does. Returns the 1-based line numbers of
// the lines not taken (lines that are not eight fields; blank lines do not count).
std::vector<int> ParseBookText(std::string_view text, AddressBook& book);

// Writes rows 1..N and returns the stamp of the file written; throws AppError
// on failure. Only a regular file is written ("通常のファイルではありません").
// A new file, or one that a new file renamed over it can stand for (its folder
// can be written, it has no other name, the user owns it and can give its
// group to the new one), is replaced as a whole: on any failure the old file
// stays as it was. Any other file is written in place, keeping its names,
// owner, group and permissions; the whole new text is first kept in
// `recovery`, and removed again once the file is complete on disk, so a
// failure or a kill part-way leaves the old book or a whole copy of the new
// one (the message names it). A symbolic link is followed and kept.
FileStamp WriteBookFile(const std::string& path, const AddressBook& book,
                        const RecoveryStore& recovery);

// Reads the file through ParseBookText and returns what that returns. Throws
// AppError when the file cannot be read or is larger than kMaxBookFileBytes;
// `book` then stays as it was.
std::vector<int> ReadBookFile(const std::string& path, AddressBook& book);
