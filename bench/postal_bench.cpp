// SPDX-License-Identifier: MIT
// Each search reads the whole national postcode.dat (open, every line, close),
// timed next to `grep -F -c` with the same key on the same file. Run:
//   bench/postal_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "postal/postal_lookup.h"
#include "postal/postcode_search.h"
#include "postal/yubin_form.h"
#include "text/cp932.h"

extern char** environ;

namespace {

const std::string kDictionary = FUMI_POSTCODE_DAT;

std::string sjis(const char* utf8)
{
    return cp932::fromUnicodeLossy(QString::fromUtf8(utf8));
}

// Runs grep -F -c KEY FILE with its output thrown away; byte-wise, as the
// search compares.
void runGrep(const std::string& key, const std::string& path, benchmark::State& state)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const char* searchPath = std::getenv("PATH");
    std::string pathVar =
        std::string("PATH=") + (searchPath != nullptr ? searchPath : "/usr/bin:/bin");
    std::string locale = "LC_ALL=C";
    char* env[] = {pathVar.data(), locale.data(), nullptr};
    std::string grep = "grep", f = "-F", c = "-c", k = key, file = path;
    char* argv[] = {grep.data(), f.data(), c.data(), k.data(), file.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "grep", &actions, nullptr, argv, env) != 0) {
        state.SkipWithError("grep could not be started");
    } else {
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

void searchBench(benchmark::State& state, const std::string& key, int limit)
{
    std::size_t found = 0;
    for (auto _ : state) {
        found = SearchPostcode(kDictionary, key, limit).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["lines"] = static_cast<double>(found);
}

void grepBench(benchmark::State& state, const std::string& key)
{
    for (auto _ : state) {
        runGrep(key, kDictionary, state);
    }
}

// Postal code to address: prefix 100, position limit 1.
void BM_SearchPostalCode(benchmark::State& state)
{
    searchBench(state, "100", PostalLookup::kPostalCodePositionLimit);
}
void BM_GrepPostalCode(benchmark::State& state)
{
    grepBench(state, "100");
}

// What starting grep costs by itself, to read the figures above with.
void BM_GrepStartOnly(benchmark::State& state)
{
    for (auto _ : state) {
        runGrep("100", "/dev/null", state);
    }
}

// Address to postal code, a common key and a rare one.
void BM_SearchAddress(benchmark::State& state)
{
    searchBench(state, sjis("札幌市"), PostalLookup::kAddressPositionLimit);
}
void BM_GrepAddress(benchmark::State& state)
{
    grepBench(state, sjis("札幌市"));
}
void BM_SearchAddressRare(benchmark::State& state)
{
    searchBench(state, sjis("千代田区千代田"), PostalLookup::kAddressPositionLimit);
}
void BM_GrepAddressRare(benchmark::State& state)
{
    grepBench(state, sjis("千代田区千代田"));
}

class SilentDialogs final : public Dialogs {
public:
    bool ask(const QString&) override { return false; }
    void notify(const QString&) override {}
    void showError(const QString&) override {}
};

// The largest result a 4-byte key gives: 知県 (愛知県, 高知県), over 9,000
// lines. Search, fill the list, show and paint the dialog.
void BM_SearchFillAndShowLargest(benchmark::State& state)
{
    SilentDialogs dialogs;
    YubinForm form(
        dialogs, [](const std::string&) {}, [](const std::string&) {});
    const std::string key = sjis("知県");
    for (auto _ : state) {
        const std::vector<std::string> lines =
            SearchPostcode(kDictionary, key, PostalLookup::kAddressPositionLimit);
        form.fill(lines);
        form.show();
        QApplication::processEvents();
        form.repaint();
        state.PauseTiming();
        state.counters["lines"] = static_cast<double>(form.KekkaList()->count());
        form.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_SearchPostalCode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GrepPostalCode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GrepStartOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchAddress)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GrepAddress)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchAddressRare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GrepAddressRare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchFillAndShowLargest)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
