// Address book files: one CSV line per card, eight fields, CR LF, the cells'
// code page 932 bytes as they stand.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

#include "book/address_book.h"
#include "platform/file_error.h"

namespace book_texts {
inline constexpr char kTemplateMissing[] = "起動に必要なファイルがありません。";
inline constexpr char kTemplateUnreadable[] = "%1 を読み込めません: %2";
inline constexpr char kTemplateTooLarge[] = "ファイルが大きすぎます";
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
}  // namespace book_texts

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

// Writes rows 1..N. The file is replaced as a whole: on any failure the old
// file stays as it was and AppError is thrown.
void WriteBookFile(const std::string& path, const AddressBook& book);

// Reads the file through ParseBookText and returns what that returns. Throws
// AppError when the file cannot be read; `book` then stays as it was.
std::vector<int> ReadBookFile(const std::string& path, AddressBook& book);
