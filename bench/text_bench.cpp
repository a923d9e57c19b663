// SPDX-License-Identifier: MIT
// The code page 932 conversion: every cell the grid shows is decoded, every
// keystroke in an edit field measures and encodes its text.
#include <benchmark/benchmark.h>

#include <QString>

#include <string>

#include "text/cp932.h"

namespace {

const std::string& addressBytes()
{
    static const std::string bytes =
        cp932::fromUnicodeLossy(QString::fromUtf8("東京都千代田区千代田1-1-23 ABCビル5F ｱｲｳ"));
    return bytes;
}

// An address line with bytes that no character of the code page starts with.
const std::string& oddBytes()
{
    static const std::string bytes = addressBytes() + "\x80\xa0\xfd\xfe\xff" + addressBytes();
    return bytes;
}

void BM_Decode(benchmark::State& state, const std::string& bytes)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(cp932::toUnicode(bytes));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK_CAPTURE(BM_Decode, address, addressBytes());
BENCHMARK_CAPTURE(BM_Decode, oddBytes, oddBytes());

void BM_Encode(benchmark::State& state, const std::string& bytes)
{
    const QString text = cp932::toUnicode(bytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(cp932::fromUnicodeLossy(text));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK_CAPTURE(BM_Encode, address, addressBytes());
BENCHMARK_CAPTURE(BM_Encode, oddBytes, oddBytes());

// What the validator runs per keystroke.
void BM_FirstUnencodable(benchmark::State& state)
{
    const QString text = cp932::toUnicode(addressBytes());
    for (auto _ : state) {
        benchmark::DoNotOptimize(cp932::firstUnencodable(text));
    }
}
BENCHMARK(BM_FirstUnencodable);

// A long cell as a file may hold it.
void BM_DecodeLongCell(benchmark::State& state)
{
    std::string bytes;
    while (bytes.size() < 100000) {
        bytes += addressBytes();
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(cp932::toUnicode(bytes));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeLongCell);

// A long cell of bytes that decode one by one: undefined single bytes,
// unassigned codes, the NEC form of a duplicated character.
const std::string& longOddCell()
{
    static const std::string bytes = [] {
        std::string cell;
        for (int i = 0; i < 20000; ++i) {
            cell += "\xee\xe0\xfd\x85x";
        }
        return cell;
    }();
    return bytes;
}

void BM_DecodeLongOddCell(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(cp932::toUnicode(longOddCell()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(longOddCell().size()));
}
BENCHMARK(BM_DecodeLongOddCell);

void BM_EncodeLongOddCell(benchmark::State& state)
{
    const QString text = cp932::toUnicode(longOddCell());
    for (auto _ : state) {
        benchmark::DoNotOptimize(cp932::fromUnicodeLossy(text));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(longOddCell().size()));
}
BENCHMARK(BM_EncodeLongOddCell);

}  // namespace

BENCHMARK_MAIN();
