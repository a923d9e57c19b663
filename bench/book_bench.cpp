// SPDX-License-Identifier: MIT
// Open and save of large books. Peak memory for 100,000 cards:
//   /usr/bin/time -v bench/book_bench --benchmark_filter='ReadBook/100000'
#include <benchmark/benchmark.h>

#include <QString>
#include <QTemporaryDir>

#include <string>

#include "bench/generated_cards.h"
#include "book/book_file.h"

namespace {

void BM_WriteBook(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("book.csv")).toStdString();
    const AddressBook book = GeneratedBook(static_cast<int>(state.range(0)));
    const RecoveryStore recovery(dir.filePath(QStringLiteral("recovery")).toStdString());
    for (auto _ : state) {
        WriteBookFile(path, book, recovery);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteBook)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadBook(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("book.csv")).toStdString();
    WriteBookFile(path, GeneratedBook(static_cast<int>(state.range(0))),
                  RecoveryStore(dir.filePath(QStringLiteral("recovery")).toStdString()));
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
