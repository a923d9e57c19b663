// SPDX-License-Identifier: MIT
// Batch printing of 100 cards into one PDF file, a page each.
#include <QFont>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "print/print_commands.h"
#include "print/qt_printer_device.h"
#include "text/cp932.h"
#include "vertical/japanese_faces.h"

namespace {

std::string Sj(const char* utf8)
{
    std::string out;
    cp932::fromUnicode(QString::fromUtf8(utf8), out);
    return out;
}

constexpr int CardCount = 100;

void Print100CardsToPdf(benchmark::State& state)
{
    AddressBook book;
    book.setRowCount(CardCount + 1);
    PrintListState list;
    for (int row = 1; row <= CardCount; ++row) {
        book.setRow(row, {std::to_string(row), Sj("山田太郎;花子"), "1000001", Sj("様;様"),
                          Sj("東京都千代田区千代田一丁目"), Sj("千代田ハイツ一〇一号"), "", ""});
        list.items.push_back({row, true});
    }
    CardPrintOptions options{
        {"Arial", Sj("@ＭＳ 明朝"), 1},
        {"5300001", Sj("大阪府大阪市北区梅田"), Sj("三丁目"), Sj("鈴木一郎"), Sj("鈴木次郎")},
        true};
    const PrintOptionsReader reader = [&options] { return options; };

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("cards.pdf")));
    QtPrinterDevice device(printer);

    class SilentDialogs final : public Dialogs {
    public:
        bool ask(const QString&) override { return false; }
        void notify(const QString&) override {}
        void showError(const QString&) override {}
    } dialogs;

    for (auto _ : state) {
        benchmark::DoNotOptimize(PrintChecked(list, book, reader, device, dialogs));
    }
    state.SetItemsProcessed(state.iterations() * CardCount);
}
BENCHMARK(Print100CardsToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    SubstituteJapaneseFaces();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
