// SPDX-License-Identifier: MIT
#include "book/grid_template.h"

#include <sys/stat.h>

#include <QString>

#include <array>
#include <cerrno>
#include <charconv>
#include <map>
#include <string_view>
#include <utility>

#include "book/book_file.h"
#include "platform/app_error.h"
#include "platform/file_reader.h"
#include "text/program_text.h"

namespace {

constexpr std::string_view kFormat = "fumiyose-grid 1";
constexpr int kTemplateRowCount = 2;
constexpr std::size_t kMaxTemplateBytes = 64 * 1024;
constexpr int kMaxSize = 10000;

struct OptionName {
    std::string_view name;
    GridOption option;
};
constexpr std::array<OptionName, 13> kOptionNames{{
    {"goFixedVertLine", GridOption::FixedVertLine},
    {"goFixedHorzLine", GridOption::FixedHorzLine},
    {"goVertLine", GridOption::VertLine},
    {"goHorzLine", GridOption::HorzLine},
    {"goRangeSelect", GridOption::RangeSelect},
    {"goRowSizing", GridOption::RowSizing},
    {"goColSizing", GridOption::ColSizing},
    {"goRowMoving", GridOption::RowMoving},
    {"goColMoving", GridOption::ColMoving},
    {"goEditing", GridOption::Editing},
    {"goTabs", GridOption::Tabs},
    {"goRowSelect", GridOption::RowSelect},
    {"goAlwaysShowEditor", GridOption::AlwaysShowEditor},
}};

constexpr std::array<std::string_view, 11> kKeys{
    "format",
    "row_count",
    "column_count",
    "fixed_rows",
    "fixed_columns",
    "default_column_width",
    "default_row_height",
    "column_widths",
    "options",
    "scroll_bars",
    "flat_border",
};

// Every reason is reported under the file's name, so the user knows which file to mend.
class TemplateError {
public:
    explicit TemplateError(std::string fileName) : fileName_(std::move(fileName)) {}

    [[noreturn]] void raise(const QString& reason) const
    {
        throw AppError(
            uiText(grid_template_texts::kTemplateUnreadable).arg(uiText(fileName_), reason));
    }

private:
    std::string fileName_;
};

std::string readWhole(const std::string& path, const TemplateError& error)
{
    try {
        return ReadWholeFile(path, kMaxTemplateBytes, MissingFolder::FileNotFound);
    } catch (const AppError& e) {
        error.raise(e.message());
    }
}

std::string_view trim(std::string_view text)
{
    constexpr std::string_view kSpace = " \t\r\f\v";
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

struct Entry {
    int line = 0;
    std::string_view value;
};

class Parser {
public:
    Parser(std::string_view text, TemplateError error) : error_(std::move(error))
    {
        constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
        if (text.starts_with(kUtf8Bom)) {
            text.remove_prefix(kUtf8Bom.size());
        }
        int lineNumber = 0;
        while (!text.empty()) {
            ++lineNumber;
            const std::size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            line = trim(line.substr(0, line.find('#')));
            if (!line.empty()) {
                addEntry(lineNumber, line);
            }
        }
    }

    std::string_view text(std::string_view key) const { return find(key).value; }

    int number(std::string_view key, int min, int max) const
    {
        const Entry& entry = find(key);
        return toNumber(entry, entry.value, key, min, max);
    }

    std::vector<int> numbers(std::string_view key, int min, int max) const
    {
        const Entry& entry = find(key);
        std::vector<int> values;
        for (std::string_view item : items(entry.value)) {
            values.push_back(toNumber(entry, item, key, min, max));
        }
        return values;
    }

    unsigned options(std::string_view key) const
    {
        const Entry& entry = find(key);
        unsigned bits = 0;
        for (std::string_view item : items(entry.value)) {
            bool known = false;
            for (const OptionName& o : kOptionNames) {
                if (o.name == item) {
                    bits |= static_cast<unsigned>(o.option);
                    known = true;
                }
            }
            if (!known) {
                error_.raise(uiText(grid_template_texts::kTemplateUnknownOption)
                                 .arg(entry.line)
                                 .arg(uiText(item)));
            }
        }
        return bits;
    }

    // The index of the value among `choices`.
    template <std::size_t N>
    std::size_t choice(std::string_view key, const std::array<std::string_view, N>& choices) const
    {
        const Entry& entry = find(key);
        for (std::size_t i = 0; i < N; ++i) {
            if (choices[i] == entry.value) {
                return i;
            }
        }
        error_.raise(uiText(grid_template_texts::kTemplateBadChoice)
                         .arg(entry.line)
                         .arg(uiText(key), uiText(entry.value)));
    }

private:
    void addEntry(int lineNumber, std::string_view line)
    {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            error_.raise(uiText(grid_template_texts::kTemplateNoEquals).arg(lineNumber));
        }
        const std::string_view key = trim(line.substr(0, equals));
        bool known = false;
        for (std::string_view k : kKeys) {
            known = known || k == key;
        }
        if (!known) {
            error_.raise(
                uiText(grid_template_texts::kTemplateUnknownKey).arg(lineNumber).arg(uiText(key)));
        }
        if (entries_.contains(key)) {
            error_.raise(
                uiText(grid_template_texts::kTemplateRepeatedKey).arg(lineNumber).arg(uiText(key)));
        }
        entries_.emplace(key, Entry{lineNumber, trim(line.substr(equals + 1))});
    }

    const Entry& find(std::string_view key) const
    {
        const auto it = entries_.find(key);
        if (it == entries_.end()) {
            error_.raise(uiText(grid_template_texts::kTemplateMissingKey).arg(uiText(key)));
        }
        return it->second;
    }

    // Comma-separated items; an empty value has none.
    static std::vector<std::string_view> items(std::string_view value)
    {
        std::vector<std::string_view> result;
        if (value.empty()) {
            return result;
        }
        for (;;) {
            const std::size_t comma = value.find(',');
            result.push_back(trim(value.substr(0, comma)));
            if (comma == std::string_view::npos) {
                return result;
            }
            value.remove_prefix(comma + 1);
        }
    }

    int toNumber(const Entry& entry, std::string_view item, std::string_view key, int min,
                 int max) const
    {
        int value = 0;
        const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), value);
        if (item.empty() || ec == std::errc::invalid_argument || end != item.data() + item.size()) {
            error_.raise(
                uiText(grid_template_texts::kTemplateNotNumber).arg(entry.line).arg(uiText(key)));
        }
        if (ec == std::errc::result_out_of_range || value < min || value > max) {
            error_.raise(
                uiText(grid_template_texts::kTemplateOutOfRange).arg(entry.line).arg(uiText(key)));
        }
        return value;
    }

    TemplateError error_;
    std::map<std::string_view, Entry, std::less<>> entries_;
};

}  // namespace

std::string GridTemplatePath(const std::string& appDir)
{
    if (appDir.empty()) {
        return kGridTemplateFileName;
    }
    return appDir.back() == '/' ? appDir + kGridTemplateFileName
                                : appDir + "/" + kGridTemplateFileName;
}

bool GridTemplateExists(const std::string& appDir)
{
    struct stat st {};
    return ::stat(GridTemplatePath(appDir).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

GridLayout LoadGridTemplate(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const TemplateError error(slash == std::string::npos ? path : path.substr(slash + 1));
    const std::string data = readWhole(path, error);
    const Parser parser(data, error);

    if (parser.text("format") != kFormat) {
        error.raise(
            uiText(grid_template_texts::kTemplateWrongFormat).arg(uiText(parser.text("format"))));
    }
    GridLayout layout;
    layout.rowCount = parser.number("row_count", 0, kMaxSize);
    layout.columnCount = parser.number("column_count", 0, kMaxSize);
    // The table always has the empty book's shape once the template is applied.
    if (layout.rowCount != kTemplateRowCount || layout.columnCount != ColumnCount) {
        error.raise(uiText(grid_template_texts::kTemplateWrongShape)
                        .arg(kTemplateRowCount)
                        .arg(ColumnCount));
    }
    layout.fixedRows = parser.number("fixed_rows", 0, layout.rowCount - 1);
    layout.fixedColumns = parser.number("fixed_columns", 0, layout.columnCount - 1);
    layout.defaultColumnWidth = parser.number("default_column_width", 1, kMaxSize);
    layout.defaultRowHeight = parser.number("default_row_height", 1, kMaxSize);
    layout.columnWidths = parser.numbers("column_widths", 0, kMaxSize);
    if (static_cast<int>(layout.columnWidths.size()) != layout.columnCount) {
        error.raise(uiText(grid_template_texts::kTemplateWidthCount)
                        .arg(layout.columnWidths.size())
                        .arg(layout.columnCount));
    }
    layout.options = parser.options("options");
    constexpr std::array<std::string_view, 4> kScrollBars{"none", "horizontal", "vertical", "both"};
    layout.scrollBars = static_cast<GridScrollBars>(parser.choice("scroll_bars", kScrollBars));
    constexpr std::array<std::string_view, 2> kBooleans{"false", "true"};
    layout.flatBorder = parser.choice("flat_border", kBooleans) == 1;
    return layout;
}

void ApplyTemplate(const GridLayout& layout, AddressBook& book)
{
    book.setRowCount(layout.rowCount);
}
