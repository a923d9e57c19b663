// SPDX-License-Identifier: MIT
#include "import/book_text.h"

#include <QStringList>

#include <optional>
#include <string>

#include "book/book_file.h"
#include "book/book_texts.h"
#include "import/import_texts.h"
#include "import/report_text.h"
#include "text/cp932.h"
#include "text/program_text.h"

namespace {

// 〓, the customary mark for a character that cannot be set.
constexpr QChar kMissingMark = u'\u3013';
// ■: a second mark that the book's split rules treat exactly like 〓.
constexpr QChar kOtherMark = u'\u25A0';

struct ReplacedLine {
    int row = 0;                // as ParseBookText numbers it
    std::size_t byteStart = 0;  // in the converted bytes, up to the line feed
    std::size_t byteEnd = 0;
    std::string withOtherMark;  // the same line converted with ■
};

struct ConvertedBook {
    std::string bytes;
    std::vector<ReplacedLine> replacedLines;
};

// The same steps over UTF-8 bytes and over decoded text.
std::optional<bool> appendConverted(std::string_view line, QChar mark, std::string& out)
{
    return cp932::appendUtf8Replacing(line, mark, out);
}

std::optional<bool> appendConverted(QStringView line, QChar mark, std::string& out)
{
    return cp932::appendReplacing(line, mark, out);
}

std::string_view lineFrom(std::string_view text, std::size_t start)
{
    const std::size_t end = text.find('\n', start);
    return text.substr(start, end == std::string_view::npos ? end : end - start);
}

QStringView lineFrom(QStringView text, std::size_t start)
{
    const auto from = static_cast<qsizetype>(start);
    const qsizetype end = text.indexOf(u'\n', from);
    return text.sliced(from, (end < 0 ? text.size() : end) - from);
}

bool isBlankLine(std::string_view line)
{
    for (char b : line) {
        if (static_cast<unsigned char>(b) > 0x20) {
            return false;
        }
    }
    return true;
}

// Converts line by line, so that the lines that needed 〓 are known without a
// second look at the others. Rows are counted as ParseBookText counts them:
// every line that is not blank takes the next row, whether it is taken or not.
// Nothing when a line is not well-formed UTF-8.
template <typename Text>
std::optional<ConvertedBook> convertLines(Text text, std::size_t reserve)
{
    ConvertedBook converted;
    converted.bytes.reserve(reserve);
    std::size_t start = 0;
    int row = 0;
    const auto size = static_cast<std::size_t>(text.size());
    for (;;) {
        const Text line = lineFrom(text, start);
        const std::size_t end = start + static_cast<std::size_t>(line.size());
        const std::size_t byteStart = converted.bytes.size();
        const std::optional<bool> replaced = appendConverted(line, kMissingMark, converted.bytes);
        if (!replaced) {
            return std::nullopt;
        }
        if (!isBlankLine(std::string_view(converted.bytes).substr(byteStart))) {
            ++row;
            if (*replaced) {
                std::string other;
                appendConverted(line, kOtherMark, other);
                converted.replacedLines.push_back(
                    {row, byteStart, converted.bytes.size(), std::move(other)});
            }
        }
        if (end == size) {
            break;
        }
        converted.bytes.push_back('\n');
        start = end + 1;
    }
    return converted;
}

// A line as ParseBookText splits it: from its first byte above 0x20, without
// the carriage return before a line feed.
std::string_view lineContent(std::string_view line, bool hasLineFeed)
{
    std::size_t p = 0;
    while (p < line.size() && static_cast<unsigned char>(line[p]) <= 0x20) {
        ++p;
    }
    line.remove_prefix(p);
    if (hasLineFeed && !line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

// The fields where the two marks differ are the ones that hold a 〓 put there
// by the conversion; a 〓 of the file itself stands in both.
void addReplacedCells(std::string_view converted, std::string_view other, bool hasLineFeed, int row,
                      std::vector<ReplacedCell>& cells)
{
    const std::vector<std::string> marked = SplitBookLine(lineContent(converted, hasLineFeed));
    if (marked.size() != static_cast<std::size_t>(ColumnCount)) {
        return;  // a line not taken gives no cells
    }
    const std::vector<std::string> otherFields = SplitBookLine(lineContent(other, hasLineFeed));
    for (int c = 0; c < ColumnCount; ++c) {
        if (marked[static_cast<std::size_t>(c)] != otherFields[static_cast<std::size_t>(c)]) {
            cells.push_back({row, c});
        }
    }
}

std::vector<ReplacedCell> findReplacedCells(const ConvertedBook& converted)
{
    std::vector<ReplacedCell> cells;
    const std::string_view bytes = converted.bytes;
    for (const ReplacedLine& line : converted.replacedLines) {
        addReplacedCells(bytes.substr(line.byteStart, line.byteEnd - line.byteStart),
                         line.withOtherMark, line.byteEnd < bytes.size(), line.row, cells);
    }
    return cells;
}

}  // namespace

BookTextReport ParseBookTextAnyEncoding(std::string_view fileBytes, AddressBook& book)
{
    BookTextReport report;
    const std::optional<TextEncoding> marked = EncodingByMark(fileBytes);
    std::optional<ConvertedBook> converted;
    if (marked != TextEncoding::Utf16 && (marked || HasHighByte(fileBytes))) {
        // Straight from the bytes, checked on the way: one pass over the file.
        const std::string_view text = fileBytes.substr(MarkLength(fileBytes));
        converted = convertLines(text, text.size());
        report.encoding = TextEncoding::Utf8;
    }
    if (!converted && marked) {
        // UTF-16, or a UTF-8 mark before bytes that are not UTF-8.
        const QString text = DecodeAs(fileBytes, *marked);
        converted = convertLines(QStringView(text), static_cast<std::size_t>(text.size()) * 2);
        report.encoding = *marked;
    }
    if (!converted) {
        report.encoding = TextEncoding::Cp932;
        report.leftOutLines = ParseBookText(fileBytes, book);
        return report;
    }
    report.leftOutLines = ParseBookText(converted->bytes, book);
    if (!converted->replacedLines.empty()) {
        report.replaced = findReplacedCells(*converted);
    }
    return report;
}

namespace {

QString ColumnName(int column)
{
    switch (column) {
        case ColNumber:
            return uiText(import_texts::kCardNumberColumn);
        case ColLottery:
            return uiText(import_texts::kLotteryColumn);
        default:
            return uiText(book_texts::kColumnHeaders[column]);
    }
}

}  // namespace

QString ConvertedBookNotice(const BookTextReport& report)
{
    if (report.encoding == TextEncoding::Cp932) {
        return {};
    }
    const char* name =
        report.encoding == TextEncoding::Utf16 ? import_texts::kUtf16 : import_texts::kUtf8;
    QStringList lines{uiText(import_texts::kConvertedBook).arg(uiText(name))};

    // One entry per card; the cells come in row order.
    QStringList entries;
    for (std::size_t i = 0; i < report.replaced.size();) {
        const int row = report.replaced[i].row;
        QStringList fields;
        for (; i < report.replaced.size() && report.replaced[i].row == row; ++i) {
            fields << ColumnName(report.replaced[i].column);
        }
        entries << uiText(import_texts::kReplacedCellsOfCard)
                       .arg(row)
                       .arg(fields.join(uiText(import_texts::kFieldNameSeparator)));
    }
    AppendListing(lines, import_texts::kReplacedCellsHeading, entries);
    return JoinReportLines(lines);
}
