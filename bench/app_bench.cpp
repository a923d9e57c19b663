// SPDX-License-Identifier: MIT
// Opening a generated book of 100,000 cards through the main window with the
// list grid on screen, and scrolling that grid. Peak memory of the open:
//   /usr/bin/time -v build/bench/app_bench --benchmark_filter=Open
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <fstream>
#include <string>

#include "bench/generated_cards.h"
#include "book/book_file.h"
#include "tests/app/main_window_fixture.h"
#include "text/cp932.h"
#include "vertical/japanese_faces.h"

namespace {

constexpr int kCards = 100'000;

// Generated cards whose numbers need renumbering. The lines are written one
// by one, so that making the file adds nothing to the peak memory of the open.
std::string writeGeneratedBook(const QTemporaryDir& dir, int count = kCards)
{
    const GeneratedCards cards;
    std::string path = dir.filePath(QStringLiteral("large.csv")).toStdString();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int r = 1; r <= count; ++r) {
        out << EncodeBookLine(cards.row(r, std::to_string(r * 3))) << "\r\n";
    }
    return path;
}

// The window on screen with the list tab selected, as the user would see it.
struct ShownWindow : MainWindowFixture {
    ShownWindow()
    {
        window->ui().PageControl->setCurrentIndex(1);
        window->show();
        QApplication::processEvents();
    }
    void open(const std::string& path)
    {
        files.openAnswers.push_back(QString::fromStdString(path));
        window->bookCommands().acOpenFileExecute();
        QApplication::processEvents();  // lays out and paints the grid
    }
    QTableView* grid() { return window->listTab().ui().IchiranGrid; }
};

// The same book as a spreadsheet saves it, in UTF-8: read at most 1.5 times as
// long as the book in code page 932.
std::string writeGeneratedUtf8Book(const QTemporaryDir& dir)
{
    std::string path = dir.filePath(QStringLiteral("large-utf8.csv")).toStdString();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << cp932::toUnicode(EncodeBookText(GeneratedBook(kCards))).toStdString();
    return path;
}

// The window alone: the baseline for the peak memory of the opens.
void BM_ShowEmptyWindow(benchmark::State& state)
{
    for (auto _ : state) {
        ShownWindow shown;
    }
}
BENCHMARK(BM_ShowEmptyWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

// Each iteration opens the book in a window of its own; making and closing
// the window is not timed.
void timeOpens(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        state.PauseTiming();
        {
            ShownWindow* shown = new ShownWindow;
            state.ResumeTiming();
            shown->open(path);
            state.PauseTiming();
            if (shown->grid()->model()->rowCount() != kCards) {
                state.SkipWithError("the book was not opened");
            }
            delete shown;
        }
        state.ResumeTiming();
    }
}

void BM_OpenWithGridShown(benchmark::State& state)
{
    QTemporaryDir dir;
    timeOpens(state, writeGeneratedBook(dir));
}
BENCHMARK(BM_OpenWithGridShown)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenUtf8WithGridShown(benchmark::State& state)
{
    QTemporaryDir dir;
    timeOpens(state, writeGeneratedUtf8Book(dir));
}
BENCHMARK(BM_OpenUtf8WithGridShown)->Unit(benchmark::kMillisecond)->Iterations(3);

// 10,000 contacts from a phone taken into the book and shown in the grid
// (target: under 1 s).
void BM_ImportVCardsWithGridShown(benchmark::State& state)
{
    constexpr int kContacts = 10'000;
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("phone.vcf")).toStdString();
    std::ofstream(path, std::ios::binary) << GeneratedVCards(kContacts);
    for (auto _ : state) {
        state.PauseTiming();
        {
            ShownWindow* shown = new ShownWindow;
            shown->files.importAnswers.push_back(QString::fromStdString(path));
            state.ResumeTiming();
            shown->window->bookCommands().acImportFileExecute();
            QApplication::processEvents();  // lays out and paints the grid
            state.PauseTiming();
            if (shown->grid()->model()->rowCount() != kContacts) {
                state.SkipWithError("the contacts were not taken in");
            }
            delete shown;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportVCardsWithGridShown)->Unit(benchmark::kMillisecond)->Iterations(3);

// A second open replaces a large book that is already shown.
void BM_ReopenWithGridShown(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = writeGeneratedBook(dir);
    ShownWindow shown;
    shown.open(path);
    for (auto _ : state) {
        shown.open(path);
    }
}
BENCHMARK(BM_ReopenWithGridShown)->Unit(benchmark::kMillisecond)->Iterations(3);

// The first store after the open renumbers every card (the file's numbers
// are not 1..N); deleting card 1 shifts every row up.
void BM_FirstStoreInALargeBook(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = writeGeneratedBook(dir);
    ShownWindow shown;
    for (auto _ : state) {
        state.PauseTiming();
        shown.open(path);
        state.ResumeTiming();
        shown.window->editor().btnSaveCardClick();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FirstStoreInALargeBook)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DeleteTheFirstOfALargeBook(benchmark::State& state)
{
    QTemporaryDir dir;
    ShownWindow shown;
    shown.open(writeGeneratedBook(dir));
    for (auto _ : state) {
        shown.dialogs.answer({true});
        shown.window->editor().btnDelCardClick();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DeleteTheFirstOfALargeBook)->Unit(benchmark::kMillisecond)->Iterations(3);

// STEP1 on 500,000 cards with the print tab on screen: the list is rebuilt
// from the book (target under 2 s).
void BM_RebuildPrintListOf500000Cards(benchmark::State& state)
{
    constexpr int kManyCards = 500'000;
    QTemporaryDir dir;
    ShownWindow shown;
    shown.open(writeGeneratedBook(dir, kManyCards));
    shown.window->ui().PageControl->setCurrentIndex(2);
    QApplication::processEvents();
    for (auto _ : state) {
        shown.window->printTab().pressPrintListReload();
        QApplication::processEvents();
    }
    if (shown.print().PrintList->count() != kManyCards) {
        state.SkipWithError("the list does not hold every card");
    }
}
BENCHMARK(BM_RebuildPrintListOf500000Cards)->Unit(benchmark::kMillisecond)->Iterations(2);

// One page down (or up) the grid, painted, per iteration.
void BM_ScrollGridOnePage(benchmark::State& state)
{
    QTemporaryDir dir;
    ShownWindow shown;
    shown.open(writeGeneratedBook(dir));
    QTableView* grid = shown.grid();
    grid->scrollToBottom();
    QApplication::processEvents();
    QScrollBar* bar = grid->verticalScrollBar();
    auto step = QAbstractSlider::SliderPageStepSub;
    for (auto _ : state) {
        if (bar->value() == bar->minimum()) {
            step = QAbstractSlider::SliderPageStepAdd;
        } else if (bar->value() == bar->maximum()) {
            step = QAbstractSlider::SliderPageStepSub;
        }
        bar->triggerAction(step);
        grid->viewport()->repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ScrollGridOnePage)->Unit(benchmark::kMicrosecond)->Iterations(100);

// From the top to the last card and back.
void BM_ScrollGridToTheEnd(benchmark::State& state)
{
    QTemporaryDir dir;
    ShownWindow shown;
    shown.open(writeGeneratedBook(dir));
    QTableView* grid = shown.grid();
    for (auto _ : state) {
        grid->scrollToBottom();
        grid->viewport()->repaint();
        grid->scrollToTop();
        grid->viewport()->repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ScrollGridToTheEnd)->Unit(benchmark::kMicrosecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("FUMI_RUNTIME_DIR")) {
        qputenv("FUMI_RUNTIME_DIR", FUMI_BENCH_RUNTIME_DIR);  // where initdata.dat lies
    }
    QApplication app(argc, argv);
    SubstituteJapaneseFaces();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
