// SPDX-License-Identifier: MIT
// The column dialog's logic on any bytes: the guesses for the file, then the
// file read by the guesses and by a choice the first bytes make. No crash,
// one guess per column, and every card as a book line can hold it.
#include <cstddef>
#include <cstdint>

#include "import/column_choice.h"
#include "import/text_encoding.h"
#include "tests/fuzz/import_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first bytes pick the items of the first columns, the rest is the file.
    constexpr std::size_t kChosen = 8;
    if (size < kChosen) {
        return 0;
    }
    const std::string_view file(reinterpret_cast<const char*>(data) + kChosen, size - kChosen);
    const DecodedText decoded = DecodeText(file);
    const QString& text = decoded.text;
    const std::vector<CsvRecord> records = ReadCsvRecords(text, SniffDelimiter(text));

    const ColumnChoice guess = GuessColumns(records);
    fuzz::Check(guess.columns.size() == ColumnsOf(records), "one guess per column");
    LotteryGenerator lottery(1);
    fuzz::CheckImport(ImportWithColumns(records, decoded.encoding, guess, lottery));

    ColumnChoice chosen = guess;
    for (std::size_t c = 0; c < chosen.columns.size() && c < kChosen; ++c) {
        chosen.columns[c] = static_cast<ColumnItem>(data[c] % kColumnItemCount);
    }
    chosen.headerRow = (data[0] & 0x80) != 0;
    const ContactImport result = ImportWithColumns(records, decoded.encoding, chosen, lottery);
    fuzz::CheckImport(result);
    fuzz::Check(ChoiceHasNameAndAddress(chosen) || result.cards.empty(),
                "no card without a name column and an address column");
    return 0;
}
