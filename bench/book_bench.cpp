// Open and save of large books. Peak memory for 100,000 cards:
//   /usr/bin/time -v bench/book_bench --benchmark_filter='ReadBook/100000'
#include <benchmark/benchmark.h>

#include <QString>
#include <QTemporaryDir>

#include <string>

#include "book/book_file.h"
#include "text/cp932.h"

namespace {

std::string sjis(const char* utf8)
{
    return cp932::fromUnicodeLossy(QString::fromUtf8(utf8));
}

// Cards shaped like real ones: full-width names and addresses, some joint
// names, some fields that need quotes, some empty.
AddressBook generatedBook(int cards)
{
    const std::string names[] = {sjis("山田太郎;花子"), sjis("佐藤一郎"), sjis("鈴木　次郎"),
                                 sjis("高橋美穂;健太")};
    const std::string address1[] = {sjis("東京都千代田区千代田1-1"),
                                    sjis("大阪府大阪市北区梅田3-1-1"),
                                    sjis("北海道札幌市中央区北1条西2丁目")};
    const std::string address2[] = {"", sjis("メゾン表参道 101号室"), sjis("山田様方")};
    AddressBook book;
    book.setRowCount(cards + 1);
    for (int r = 1; r <= cards; ++r) {
        const auto i = static_cast<std::size_t>(r);
        book.setRow(
            r, BookRow{std::to_string(r), names[i % 4], std::to_string(1000000 + r % 8999999),
                       i % 4 == 0 ? sjis("様;様") : sjis("様"), address1[i % 3], address2[i % 3],
                       r % 10 == 0 ? sjis("喪中, 寒中見舞い") : "",
                       std::to_string(100000 + (r * 7919) % 800000)});
    }
    return book;
}

void BM_WriteBook(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("book.csv").toStdString();
    const AddressBook book = generatedBook(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        WriteBookFile(path, book);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteBook)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadBook(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("book.csv").toStdString();
    WriteBookFile(path, generatedBook(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        AddressBook book;
        benchmark::DoNotOptimize(ReadBookFile(path, book));
        benchmark::DoNotOptimize(book.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadBook)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
