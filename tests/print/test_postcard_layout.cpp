// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "print/postcard_layout.h"
#include "tests/print/recording_printer_device.h"
#include "tests/support/fakes.h"

namespace {

using Draw = RecordingPrinterDevice::Draw;
using Job = RecordingPrinterDevice::Job;

struct CardCells {
    const char* name = "山田太郎";
    const char* postalCode = "1000001";
    const char* honorific = "様";
    const char* address1 = "東京都千代田区千代田";  // 20 bytes
    const char* address2 = "一ノ一";
};

AddressBook BookWith(const CardCells& c)
{
    AddressBook book;
    book.setRow(1, {"1", sj(c.name), c.postalCode, sj(c.honorific), sj(c.address1), sj(c.address2),
                    sj("メモ欄"), "123456"});
    return book;
}

PrintSettings Settings(int factor = 1)
{
    return {"Arial", sj("@ＭＳ 明朝"), factor};
}

SenderFields Sender()
{
    return {"9876543", sj("大阪府大阪市北区"), sj("梅田一ノ一"), sj("鈴木一郎"), sj("鈴木花子")};
}

std::vector<Draw> Drawn(const Job& job, bool vertical)
{
    std::vector<Draw> out;
    for (const Draw& d : job.draws) {
        if (d.verticalFont.has_value() == vertical) {
            out.push_back(d);
        }
    }
    return out;
}
std::vector<Draw> Digits(const Job& job)
{
    return Drawn(job, false);
}
std::vector<Draw> Columns(const Job& job)
{
    return Drawn(job, true);
}

Job PrintOne(const AddressBook& book, bool withSender, RecordingPrinterDevice& device,
             const PrintSettings& settings = Settings(), const SenderFields& sender = Sender())
{
    EXPECT_TRUE(PrintCard(book, 1, withSender, settings, sender, device));
    EXPECT_EQ(device.jobs.size(), 1u);
    return device.jobs.back();
}

int Dots(int tenths, int offsetDots = 94, int dpi = 600)
{
    return postcard::MillimetreTenthsToDots(tenths, offsetDots, dpi);
}

}  // namespace

TEST(PostcardArithmetic, HalvesGoToTheEvenNeighbourOnBothSides)
{
    EXPECT_EQ(postcard::RoundHalfEven(15, 2), 8);
    EXPECT_EQ(postcard::RoundHalfEven(45, 2), 22);
    EXPECT_EQ(postcard::RoundHalfEven(-45, 2), -22);
    EXPECT_EQ(postcard::RoundHalfEven(-15, 2), -8);
    EXPECT_EQ(postcard::RoundHalfEven(7, -3), -2);
    // 12.7 mm is 300 dots at 600 dpi exactly, the offset is taken as it is,
    // and half a dot rounds to the even neighbour.
    EXPECT_EQ(postcard::MillimetreTenthsToDots(127, 0, 600), 300);
    EXPECT_EQ(postcard::MillimetreTenthsToDots(127, 83, 600), 217);
    EXPECT_EQ(postcard::MillimetreTenthsToDots(127, 0, 1), 0);
    EXPECT_EQ(postcard::MillimetreTenthsToDots(381, 0, 1), 2);
}

TEST(PostcardLayout, WorkedExampleAt600DpiWithOffsetsOf94Dots)
{
    RecordingPrinterDevice device;
    device.offsetXDots = device.offsetYDots = 94;  // 3.98 mm
    const Job job = PrintOne(BookWith({}), false, device);

    const auto digits = Digits(job);
    ASSERT_EQ(digits.size(), 7u);
    // 45, 52, 59, 66, 73, 80 and 87 mm.
    const int expectedX[] = {969, 1134, 1300, 1465, 1630, 1796, 1961};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(digits[i].x, expectedX[i]) << "digit " << i + 1;
        EXPECT_EQ(digits[i].y, 201);
        EXPECT_EQ(digits[i].text, std::string(1, "1000001"[i]));
        EXPECT_FALSE(digits[i].brushClear) << "digits come before the brush is cleared";
    }
    const auto columns = Columns(job);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(std::pair(columns[0].x, columns[0].y), std::pair(2032, 497));
    EXPECT_EQ(columns[0].text, sj("東京都千代田区千代田"));
    EXPECT_EQ(std::pair(columns[1].x, columns[1].y), std::pair(1796, 497));
    EXPECT_EQ(std::pair(columns[2].x, columns[2].y), std::pair(1205, 733));
    EXPECT_EQ(columns[2].text, sj("山田太郎 様"));
    EXPECT_TRUE(job.ended && !job.aborted);
    EXPECT_EQ(device.paperSets, 1);
}

TEST(PostcardLayout, AnOffsetOfNoWholeMillimetreMovesNothingOnPaper)
{
    // A printable area 3.53 mm in (83 dots at 600 dpi): each digit lands
    // within one dot of its millimetre on the paper.
    RecordingPrinterDevice device;
    device.offsetXDots = device.offsetYDots = 83;
    const auto digits = Digits(PrintOne(BookWith({}), false, device));
    ASSERT_EQ(digits.size(), 7u);
    const double expectedMm[] = {45, 52, 59, 66, 73, 80, 87};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_NEAR(digits[i].x + 83, expectedMm[i] * 600 / 25.4, 1.0) << "digit " << i + 1;
        EXPECT_NEAR(digits[i].y + 83, 12.5 * 600 / 25.4, 1.0);
    }
}

TEST(PostcardLayout, FontRecordsAt600Dpi)
{
    RecordingPrinterDevice device;
    const auto columns = Columns(PrintOne(BookWith({}), true, device));
    ASSERT_EQ(columns.size(), 7u);
    EXPECT_EQ(columns[0].verticalFont->lfHeight, -92);   // sender, 11 pt
    EXPECT_EQ(columns[2].verticalFont->lfHeight, -92);   // sender's name: the address font
    EXPECT_EQ(columns[4].verticalFont->lfHeight, -150);  // address, 18 pt
    EXPECT_EQ(columns[6].verticalFont->lfHeight, -300);  // name, 36 pt
    for (const Draw& d : columns) {
        const LogFontRecord& f = *d.verticalFont;
        EXPECT_EQ(std::tuple(f.lfEscapement, f.lfOrientation, f.lfWidth, f.lfWeight, f.lfCharSet),
                  std::tuple(2700, 0, 0, 400, 1));
        EXPECT_FALSE(f.lfItalic || f.lfUnderline || f.lfStrikeOut);
        EXPECT_EQ(f.lfFaceName, sj("@ＭＳ 明朝"));
        EXPECT_TRUE(d.brushClear);
    }
}

// At 72 dpi lfHeight is minus the point size, so the sizes read directly.
struct SizeCase {
    int length, address, name, sender;
};
class VerticalSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(VerticalSizes, FollowTheLongerTextWithHalvesToEven)
{
    const SizeCase c = GetParam();
    const std::string text(static_cast<std::size_t>(c.length), 'a');
    AddressBook book;
    book.setRow(1, {"1", text, "1234567", "", text, "", "", ""});
    SenderFields sender = Sender();
    sender.address1 = "";
    sender.address2 = text;
    RecordingPrinterDevice device;
    device.resolutionX = device.resolutionY = 72;
    const auto columns = Columns(PrintOne(book, true, device, Settings(), sender));
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[0].verticalFont->lfHeight, -c.sender) << "L=" << c.length;
    EXPECT_EQ(columns[3].verticalFont->lfHeight, -c.address) << "L=" << c.length;
    EXPECT_EQ(columns[4].verticalFont->lfHeight, -c.name) << "L=" << c.length;
}

INSTANTIATE_TEST_SUITE_P(SampleTable, VerticalSizes,
                         ::testing::Values(SizeCase{1, 18, 36, 11}, SizeCase{10, 18, 36, 11},
                                           SizeCase{16, 18, 22, 11}, SizeCase{20, 18, 18, 11},
                                           SizeCase{24, 15, 15, 9}, SizeCase{30, 12, 12, 8},
                                           SizeCase{40, 9, 9, 6}, SizeCase{48, 8, 8, 5},
                                           SizeCase{60, 6, 6, 4}));

TEST(PostcardLayout, LengthsCountFullWidthCharactersAsTwoBytes)
{
    CardCells cells;
    cells.address1 = "あいうえおかきくけこさしすせそたちつてとなにぬね";  // 48 bytes: 8 pt
    cells.name = "山田太郎;花子二郎";  // 17 bytes with the ";": 21.2 pt, 21 for both
    RecordingPrinterDevice device;
    device.resolutionX = device.resolutionY = 72;
    const auto columns = Columns(PrintOne(BookWith(cells), false, device));
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].verticalFont->lfHeight, -8);
    EXPECT_EQ(columns[2].verticalFont->lfHeight, -21);
    EXPECT_EQ(columns[3].verticalFont->lfHeight, -21);
}

TEST(PostcardLayout, SecondLinesAreIndentedByTheByteDifference)
{
    CardCells cells;
    cells.address2 = "一ノ一二";  // 8 bytes against 20
    SenderFields sender = Sender();
    sender.address1 = sj("大阪府大阪市");  // 12 bytes against 4
    sender.address2 = sj("北区");
    RecordingPrinterDevice device;
    const auto columns = Columns(PrintOne(BookWith(cells), true, device, Settings(), sender));
    ASSERT_EQ(columns.size(), 7u);
    EXPECT_EQ(columns[1].text, std::string(8, ' ') + sj("北区"));
    EXPECT_EQ(columns[5].text, std::string(12, ' ') + sj("一ノ一二"));

    for (const char* line2 : {"東京都千代田区千代田", "東京都千代田区千代田一丁目"}) {
        cells.address2 = line2;  // as long or longer: no spaces
        RecordingPrinterDevice again;
        EXPECT_EQ(Columns(PrintOne(BookWith(cells), false, again))[1].text, sj(line2));
    }
}

TEST(PostcardLayout, JointNamesSplitEachCellAtItsOwnSemicolon)
{
    CardCells cells;
    cells.name = "山田太郎;花子";
    cells.honorific = "様;さま";
    RecordingPrinterDevice device;
    auto columns = Columns(PrintOne(BookWith(cells), false, device));
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(std::pair(columns[2].x, columns[2].y), std::pair(Dots(600, 0), Dots(350, 0)));
    EXPECT_EQ(columns[2].text, sj("山田太郎 様"));
    EXPECT_EQ(std::pair(columns[3].x, columns[3].y), std::pair(Dots(500, 0), Dots(350, 0)));
    EXPECT_EQ(columns[3].text, sj("花子 さま"));

    // Without ";" in the honorific the joint name takes all of it; a further
    // ";" stays in the joint name.
    cells.name = "山田太郎;花子;二世";
    cells.honorific = "様";
    RecordingPrinterDevice again;
    columns = Columns(PrintOne(BookWith(cells), false, again));
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[2].text, sj("山田太郎 "));
    EXPECT_EQ(columns[3].text, sj("花子;二世 様"));
}

TEST(PostcardLayout, WithoutSenderNothingOfItIsPrintedAndNoSecondFit)
{
    RecordingPrinterDevice device;
    const Job job = PrintOne(BookWith({}), false, device);
    EXPECT_EQ(Digits(job).size(), 7u);
    EXPECT_EQ(Columns(job).size(), 3u);
    // 19 pt down to the fit at 8 pt, then the factor; no fit to 30 dots.
    EXPECT_EQ(job.digitSizesSet,
              (std::vector<int>{19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 8}));
    EXPECT_EQ(job.digitPixelsPerInch, 600);
    EXPECT_EQ(device.digitFace, "Arial");
}

TEST(PostcardLayout, SenderBlockAndTheRefitWithoutFactor)
{
    RecordingPrinterDevice device;
    device.offsetXDots = device.offsetYDots = 94;
    const Job job = PrintOne(BookWith({}), true, device, Settings(3));
    const auto digits = Digits(job);
    ASSERT_EQ(digits.size(), 14u);
    const int senderX[] = {55, 95, 135, 185, 225, 265, 305};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(digits[i].digitPoints, 24) << "the 8 pt fit times 3";
        const Draw& d = digits[7 + i];
        EXPECT_EQ(d.digitPoints, 6) << "37 dots were too wide: refitted to 30 dots";
        EXPECT_EQ(std::pair(d.x, d.y), std::pair(Dots(senderX[i]), Dots(1230)));
        EXPECT_EQ(d.text, std::string(1, "9876543"[i]));
    }
    const auto columns = Columns(job);
    ASSERT_EQ(columns.size(), 7u);
    const std::pair<int, int> at[] = {{300, 650}, {250, 650}, {150, 750}, {100, 750}};
    const std::string texts[] = {sj("大阪府大阪市北区"), std::string(6, ' ') + sj("梅田一ノ一"),
                                 sj("鈴木一郎"), sj("鈴木花子")};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(std::pair(columns[i].x, columns[i].y),
                  std::pair(Dots(at[i].first), Dots(at[i].second)));
        EXPECT_EQ(columns[i].text, texts[i]);
    }
}

TEST(PostcardLayout, NarrowDigitsKeepTheFactoredFontForTheSender)
{
    RecordingPrinterDevice device;
    device.widthOfFour = [](int points) { return points; };  // 19 pt fits at once
    const Job job = PrintOne(BookWith({}), true, device, Settings(2));
    EXPECT_EQ(job.digitSizesSet, (std::vector<int>{19, 38}));
    EXPECT_EQ(Digits(job).back().digitPoints, 38);
}

TEST(PostcardLayout, DigitFittingStopsAtOnePoint)
{
    RecordingPrinterDevice device;
    device.widthOfFour = [](int) { return 500; };
    const Job job = PrintOne(BookWith({}), true, device);
    ASSERT_EQ(job.digitSizesSet.size(), 19u + 1u + 19u);
    EXPECT_EQ(job.digitSizesSet[18], 1);
    EXPECT_EQ(job.digitSizesSet.back(), 1);
    EXPECT_EQ(Digits(job).size(), 14u);
}

TEST(PostcardLayout, PositionsUseEachAxisOwnResolution)
{
    RecordingPrinterDevice device;
    device.resolutionY = 300;
    const Job job = PrintOne(BookWith({}), false, device);
    EXPECT_EQ(job.digitPixelsPerInch, 300);
    EXPECT_EQ(std::pair(Digits(job)[0].x, Digits(job)[0].y),
              std::pair(Dots(450, 0, 600), Dots(125, 0, 300)));
}

TEST(PostcardLayout, LongFaceNamesAreCutAtACharacterBoundary)
{
    const std::string exact = sj("@ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ");  // 31 bytes
    const std::pair<std::string, std::string> cases[] = {
        {sj("@ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ"), exact},  // 33 bytes
        {exact, exact},
        {sj("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ"),
         sj("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ")}};  // 32 -> 30
    for (const auto& [face, expected] : cases) {
        RecordingPrinterDevice device;
        const Job job = PrintOne(BookWith({}), false, device, {"Arial", face, 1});
        EXPECT_EQ(Columns(job)[0].verticalFont->lfFaceName, expected);
    }
}

TEST(PostcardLayout, ShortAndLongPostalCodesFillOnlyTheirBoxes)
{
    for (const auto& [code, drawn] :
         {std::pair{"123", 3u}, std::pair{"123456789", 7u}, std::pair{"", 0u}}) {
        CardCells cells;
        cells.postalCode = code;
        RecordingPrinterDevice device;
        const auto digits = Digits(PrintOne(BookWith(cells), false, device));
        ASSERT_EQ(digits.size(), drawn) << code;
        if (drawn > 0) {
            EXPECT_EQ(digits.back().x, Dots(drawn == 3u ? 590 : 870, 0));
        }
    }
}

TEST(PostcardLayout, EmptyCellsMemoAndLotteryNeverReachPaper)
{
    CardCells cells;
    cells.address2 = "";
    RecordingPrinterDevice device;
    const Job job = PrintOne(BookWith(cells), true, device, Settings(), SenderFields{});
    // Only the addressee's digits, address line 1 and the name remain.
    ASSERT_EQ(job.draws.size(), 7u + 2u);
    for (const Draw& d : job.draws) {
        EXPECT_EQ(d.text.find(sj("メモ")), std::string::npos);
        EXPECT_NE(d.text, "123456");
    }

    SenderFields sender = Sender();
    sender.jointName.clear();
    RecordingPrinterDevice noJoint;
    const auto columns = Columns(PrintOne(BookWith({}), true, noJoint, Settings(), sender));
    ASSERT_EQ(columns.size(), 6u);
    EXPECT_EQ(columns[2].x, Dots(150, 0));
    EXPECT_NE(columns[3].x, Dots(100, 0));
}

TEST(PostcardLayoutFailure, NoPrinterOrBusyPrinterPrintsNothing)
{
    for (const bool busy : {false, true}) {
        RecordingPrinterDevice device;
        (busy ? device.busy : device.noPrinter) = true;
        try {
            PrintCard(BookWith({}), 1, true, Settings(), Sender(), device);
            ADD_FAILURE() << "expected AppError";
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), busy ? QStringLiteral("現在印刷中です")
                                        : QStringLiteral("デフォルト プリンタが存在しません"));
        }
        EXPECT_TRUE(device.jobs.empty());
    }
}

TEST(PostcardLayoutFailure, AFailureMidCardAbortsTheJob)
{
    RecordingPrinterDevice device;
    device.failOnDrawNumber = 9;
    EXPECT_THROW(PrintCard(BookWith({}), 1, true, Settings(), Sender(), device), AppError);
    ASSERT_EQ(device.jobs.size(), 1u);
    EXPECT_TRUE(device.jobs[0].aborted);
    EXPECT_FALSE(device.jobs[0].ended);
}
