// SPDX-License-Identifier: MIT
// Reading other programs' addresses: 10,000 vCards and a 10,000-contact
// Outlook CSV of 92 columns taken in (the target: under a second), and a book of
// 100,000 cards read from UTF-8 against the same book read from code page 932
// (the target: at most 1.5 times as long).
#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/generated_cards.h"
#include "book/book_file.h"
#include "import/book_text.h"
#include "import/contact_import.h"
#include "text/cp932.h"

namespace {

constexpr int kBookCards = 100'000;

// The generated book as the program writes it, and as UTF-8; with
// `replaceEvery`, every so many cards hold a character code page 932 lacks.
struct BookTexts {
    std::string cp932;
    std::string utf8;
};

BookTexts generatedBook(int replaceEvery)
{
    std::string cp932Text = EncodeBookText(GeneratedBook(kBookCards));
    QString unicode = cp932::toUnicode(cp932Text);
    if (replaceEvery > 0) {
        // 𠮷 at the start of the name of every so many cards; 〓 in its place
        // in the code page 932 book.
        const QString missing = QString::fromUtf8("𠮷");
        QStringList lines = unicode.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); i += replaceEvery) {
            lines[i].insert(lines[i].indexOf(u',') + 1, missing);
        }
        unicode = lines.join(u'\n');
        cp932Text =
            cp932::fromUnicodeLossy(QString(unicode).replace(missing, QString::fromUtf8("〓")));
    }
    return {std::move(cp932Text), unicode.toStdString()};
}

const BookTexts& bookTexts(int replaceEvery)
{
    static const BookTexts plain = generatedBook(0);
    static const BookTexts withReplacements = generatedBook(100);
    return replaceEvery > 0 ? withReplacements : plain;
}

void BM_ImportVCards(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string file = GeneratedVCards(count);
    for (auto _ : state) {
        LotteryGenerator lottery(1);
        const ContactImport result = ImportContacts(file, lottery);
        if (result.cards.size() != static_cast<std::size_t>(count)) {
            state.SkipWithError("not every card was taken in");
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ImportVCards)->Arg(10000)->Unit(benchmark::kMillisecond);

// Outlook's English export of the import tests, its contacts repeated to
// `count` rows.
std::string outlookCsv(int count)
{
    std::ifstream in(FUMI_SOURCE_DIR "/tests/data/import/outlook_en.csv", std::ios::binary);
    std::ostringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    const std::size_t headerEnd = text.find('\n') + 1;
    const std::string rows = text.substr(headerEnd);
    const auto rowsInFixture = std::count(rows.begin(), rows.end(), '\n');
    std::string file = text.substr(0, headerEnd);
    for (int written = 0; written < count; written += static_cast<int>(rowsInFixture)) {
        file += rows;
    }
    return file;
}

void BM_ImportOutlookCsv(benchmark::State& state)
{
    const std::string file = outlookCsv(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        LotteryGenerator lottery(1);
        const ContactImport result = ImportContacts(file, lottery);
        if (result.format != ContactFormat::HeadedCsv || result.cards.empty()) {
            state.SkipWithError("not read as Outlook's CSV");
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportOutlookCsv)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadBookCp932(benchmark::State& state)
{
    const BookTexts& texts = bookTexts(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        AddressBook book;
        benchmark::DoNotOptimize(ParseBookText(texts.cp932, book));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(texts.cp932.size()));
}

void BM_ReadBookUtf8(benchmark::State& state)
{
    const BookTexts& texts = bookTexts(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        AddressBook book;
        const BookTextReport report = ParseBookTextAnyEncoding(texts.utf8, book);
        if (report.encoding != TextEncoding::Utf8 || book.cardCount() != kBookCards) {
            state.SkipWithError("not read as a UTF-8 book");
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(texts.utf8.size()));
}

// Argument: every how many cards one holds 𠮷 (0: none).
BENCHMARK(BM_ReadBookCp932)->Arg(0)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBookUtf8)->Arg(0)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
