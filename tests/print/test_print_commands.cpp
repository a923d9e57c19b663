// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "print/print_commands.h"
#include "tests/print/recording_printer_device.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"

namespace {

// Six cards whose address line 1 names their row, so a job shows which card it was.
AddressBook SixCards()
{
    AddressBook book;
    book.setRowCount(7);
    for (int row = 1; row <= 6; ++row) {
        const std::string n = std::to_string(row);
        book.setRow(row, {n, sj("山田") + n, "100000" + n, sj("様"), "address-" + n, "", "", ""});
    }
    return book;
}

PrintListState List(std::initializer_list<int> tickedIndexes, int highlighted = -1)
{
    PrintListState state;
    for (int row = 1; row <= 6; ++row) {
        state.items.push_back({row, false});
    }
    for (int i : tickedIndexes) {
        state.items[static_cast<std::size_t>(i)].ticked = true;
    }
    state.highlighted = highlighted;
    return state;
}

CardPrintOptions Options(bool withSender = true)
{
    return {{"Arial", sj("@ＭＳ 明朝"), 1},
            {"1234567", sj("差出住所"), "", sj("差出人"), ""},
            withSender};
}

PrintOptionsReader Fixed(const CardPrintOptions& options = Options())
{
    return [options] { return options; };
}

std::vector<std::string> RowsPrinted(const RecordingPrinterDevice& device)
{
    std::vector<std::string> rows;
    for (const auto& job : device.jobs) {
        for (const auto& draw : job.draws) {
            if (draw.text.rfind("address-", 0) == 0) {
                rows.push_back(draw.text.substr(8));
            }
        }
    }
    return rows;
}

}  // namespace

TEST(SamplePrint, PrintsTheHighlightedCardTickedOrNot)
{
    RecordingPrinterDevice device;
    device.file = QStringLiteral("/tmp/card.pdf");
    FakeDialogs dialogs;
    EXPECT_TRUE(SamplePrint(List({0}, 3), SixCards(), Fixed(), device, dialogs));
    EXPECT_EQ(RowsPrinted(device), (std::vector<std::string>{"4"}));
    EXPECT_TRUE(dialogs.log.empty());
    // One job needs no numbered file.
    EXPECT_EQ(device.jobs[0].outputFile, QStringLiteral("/tmp/card.pdf"));
}

TEST(SamplePrint, NothingHighlightedAsksForASelection)
{
    for (int highlighted : {-1, 6}) {
        RecordingPrinterDevice device;
        FakeDialogs dialogs;
        EXPECT_FALSE(SamplePrint(List({0, 1}, highlighted), SixCards(), Fixed(), device, dialogs));
        EXPECT_EQ(dialogs.texts(),
                  QStringList{QStringLiteral("試し刷りしたい宛先を選択してください。")});
        EXPECT_TRUE(device.jobs.empty());
        EXPECT_EQ(device.paperSets, 0);
    }
}

TEST(PrintChecked, TickedCardsInListOrderEachItsOwnJob)
{
    RecordingPrinterDevice device;
    FakeDialogs dialogs;
    EXPECT_EQ(PrintChecked(List({5, 0, 2}, 4), SixCards(), Fixed(), device, dialogs), 3);
    EXPECT_EQ(RowsPrinted(device), (std::vector<std::string>{"1", "3", "6"}));
    ASSERT_EQ(device.jobs.size(), 3u);
    for (const auto& job : device.jobs) {
        EXPECT_TRUE(job.ended);
    }
    EXPECT_EQ(device.paperSets, 1 + 3) << "once to ask the printer, then on every card";
    EXPECT_TRUE(dialogs.log.empty());
}

TEST(PrintChecked, ItemsAddressTheirOwnRows)
{
    PrintListState state;
    state.items = {{1, true}, {3, true}};  // row 2 was left out of the list
    RecordingPrinterDevice device;
    FakeDialogs dialogs;
    PrintChecked(state, SixCards(), Fixed(), device, dialogs);
    EXPECT_EQ(RowsPrinted(device), (std::vector<std::string>{"1", "3"}));
}

TEST(PrintChecked, NothingTickedAsksForTicks)
{
    RecordingPrinterDevice device;
    FakeDialogs dialogs;
    EXPECT_EQ(PrintChecked(List({}, 2), SixCards(), Fixed(), device, dialogs), 0);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("印刷対象にチェックを入れてください。")});
    EXPECT_TRUE(device.jobs.empty());

    FakeDialogs emptyListDialogs;
    EXPECT_EQ(PrintChecked({}, SixCards(), Fixed(), device, emptyListDialogs), 0);
    EXPECT_EQ(emptyListDialogs.log.size(), 1u);
}

TEST(PrintChecked, ReadsTheSenderTickAfreshForEachCard)
{
    RecordingPrinterDevice device;
    FakeDialogs dialogs;
    int calls = 0;
    const PrintOptionsReader alternating = [&calls] { return Options(calls++ % 2 == 0); };
    PrintChecked(List({0, 1}), SixCards(), alternating, device, dialogs);
    ASSERT_EQ(device.jobs.size(), 2u);
    EXPECT_EQ(device.jobs[0].draws.size(), 7u + 7u + 2u + 2u);  // with the sender block
    EXPECT_EQ(device.jobs[1].draws.size(), 7u + 2u);
}

TEST(PrintChecked, AFileTakesEveryTickedCardAsAPageOfItsOwn)
{
    RecordingPrinterDevice device;
    device.file = u("/home/u/年賀状/cards.pdf");
    FakeDialogs dialogs;
    EXPECT_EQ(PrintChecked(List({0, 2, 5}), SixCards(), Fixed(), device, dialogs), 3);
    ASSERT_EQ(device.jobs.size(), 1u);
    const auto& job = device.jobs[0];
    EXPECT_EQ(job.outputFile, u("/home/u/年賀状/cards.pdf"));
    EXPECT_TRUE(job.ended);
    EXPECT_EQ(job.pageStarts.size(), 3u);
    EXPECT_EQ(RowsPrinted(device), (std::vector<std::string>{"1", "3", "6"}));
    // Each page begins with its own addressee's digits.
    for (std::size_t start : job.pageStarts) {
        EXPECT_FALSE(job.draws[start].verticalFont.has_value());
        EXPECT_EQ(job.draws[start].text, "1");
    }
    EXPECT_EQ(device.paperSets, 1);
}

TEST(PrintCommands, APrinterWithoutPostcardsIsToldAndGetsNoJob)
{
    RecordingPrinterDevice device;
    device.postcards = false;
    FakeDialogs dialogs;
    EXPECT_FALSE(SamplePrint(List({}, 1), SixCards(), Fixed(), device, dialogs));
    EXPECT_EQ(PrintChecked(List({0, 1}), SixCards(), Fixed(), device, dialogs), 0);
    const QString told =
        u("選択したプリンタ（Recorder）は、はがき（100×148mm）の用紙に対応していません。"
          "\n\rプリンタの設定を確認してください。");
    EXPECT_EQ(dialogs.texts(), (QStringList{told, told}));
    EXPECT_TRUE(device.jobs.empty());
}

TEST(PrintCheckedFailure, NoPrinterStopsAtTheFirstCard)
{
    RecordingPrinterDevice device;
    device.noPrinter = true;
    FakeDialogs dialogs;
    try {
        PrintChecked(List({0, 1}), SixCards(), Fixed(), device, dialogs);
        FAIL() << "expected AppError";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("デフォルト プリンタが存在しません"));
    }
    EXPECT_TRUE(device.jobs.empty());
    EXPECT_TRUE(dialogs.log.empty());
}

TEST(PrintCheckedFailure, AFailingCardStopsTheBatch)
{
    RecordingPrinterDevice device;
    FakeDialogs dialogs;
    int calls = 0;
    // The second card finds the printer busy; the first stays printed.
    const PrintOptionsReader reader = [&] {
        if (++calls == 2) {
            device.busy = true;
        }
        return Options();
    };
    try {
        PrintChecked(List({0, 1, 2}), SixCards(), reader, device, dialogs);
        FAIL() << "expected AppError";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("現在印刷中です"));
    }
    EXPECT_EQ(RowsPrinted(device), (std::vector<std::string>{"1"}));
    EXPECT_EQ(calls, 2);
}

TEST(PrintCheckedFailure, AFailureInAFileAbortsItsOneJob)
{
    RecordingPrinterDevice device;
    device.file = u("/tmp/cards.pdf");
    device.failOnDrawNumber = 15;  // on the second card's page
    FakeDialogs dialogs;
    EXPECT_FALSE(errorOf([&] {
                     PrintChecked(List({0, 1, 2}), SixCards(), Fixed(), device, dialogs);
                 }).isEmpty());
    ASSERT_EQ(device.jobs.size(), 1u);
    EXPECT_TRUE(device.jobs[0].aborted);
    EXPECT_FALSE(device.jobs[0].ended);
}

TEST(YubinFactor, WholeNumbersWithinTheSpinBoxRange)
{
    EXPECT_EQ(YubinFactorFromText(u("1")), 1);
    EXPECT_EQ(YubinFactorFromText(u("3")), 3);
    EXPECT_EQ(YubinFactorFromText(u("10")), 10);
    EXPECT_EQ(YubinFactorFromText(u("")), 1);
    EXPECT_EQ(YubinFactorFromText(u("2.5")), 1);
    EXPECT_EQ(YubinFactorFromText(u("x")), 1);
    EXPECT_EQ(YubinFactorFromText(u("0")), 1);
    EXPECT_EQ(YubinFactorFromText(u("99")), 10);
    EXPECT_EQ(YubinFactorFromText(u("-4")), 1);
}
