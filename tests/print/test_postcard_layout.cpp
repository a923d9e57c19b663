#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>

#include "print/postcard_layout.h"
#include "tests/print/recording_printer_device.h"
#include "tests/support/fakes.h"

namespace {

using Draw = RecordingPrinterDevice::Draw;

struct CardCells {
    const char* name = "山田太郎";
    const char* postalCode = "1000001";
    const char* honorific = "様";
    const char* address1 = "東京都千代田区千代田";
    const char* address2 = "一ノ一";
    const char* memo = "メモ欄";
    const char* lottery = "123456";
};

AddressBook BookWith(const CardCells& c)
{
    AddressBook book;
    book.setRow(1, {"1", sj(c.name), sj(c.postalCode), sj(c.honorific), sj(c.address1),
                    sj(c.address2), sj(c.memo), sj(c.lottery)});
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

// 4 mm at 600 dpi is 94.5 dots; the driver reports whole dots.
RecordingPrinterDevice WorkedExampleDevice()
{
    RecordingPrinterDevice device;
    device.offsetXDots = 94;
    device.offsetYDots = 94;
    return device;
}

std::vector<Draw> Digits(const RecordingPrinterDevice::Job& job)
{
    std::vector<Draw> out;
    std::copy_if(job.draws.begin(), job.draws.end(), std::back_inserter(out),
                 [](const Draw& d) { return !d.verticalFont; });
    return out;
}

std::vector<Draw> Columns(const RecordingPrinterDevice::Job& job)
{
    std::vector<Draw> out;
    std::copy_if(job.draws.begin(), job.draws.end(), std::back_inserter(out),
                 [](const Draw& d) { return d.verticalFont.has_value(); });
    return out;
}

const Draw* ColumnAt(const RecordingPrinterDevice::Job& job, int x)
{
    for (const Draw& d : job.draws) {
        if (d.verticalFont && d.x == x) {
            return &d;
        }
    }
    return nullptr;
}

RecordingPrinterDevice::Job PrintOne(const AddressBook& book, bool withSender,
                                     const PrintSettings& settings, const SenderFields& sender,
                                     RecordingPrinterDevice& device)
{
    EXPECT_TRUE(PrintCard(book, 1, withSender, settings, sender, device));
    EXPECT_EQ(device.jobs.size(), 1u);
    return device.jobs.back();
}

}  // namespace

TEST(PostcardArithmetic, RoundsHalvesToEvenOnBothSides)
{
    EXPECT_EQ(postcard::RoundHalfEven(15, 2), 8);
    EXPECT_EQ(postcard::RoundHalfEven(45, 2), 22);
    EXPECT_EQ(postcard::RoundHalfEven(9, 2), 4);
    EXPECT_EQ(postcard::RoundHalfEven(-45, 2), -22);
    EXPECT_EQ(postcard::RoundHalfEven(-15, 2), -8);
    EXPECT_EQ(postcard::RoundHalfEven(-7, 3), -2);
    EXPECT_EQ(postcard::RoundHalfEven(7, -3), -2);
    EXPECT_EQ(postcard::RoundHalfEven(0, 5), 0);
}

TEST(PostcardArithmetic, OffsetsBecomeWholeMillimetres)
{
    EXPECT_EQ(postcard::OffsetToMillimetres(94, 600), 4);   // 3.98 mm
    EXPECT_EQ(postcard::OffsetToMillimetres(106, 600), 4);  // 4.49 mm
    EXPECT_EQ(postcard::OffsetToMillimetres(107, 600), 5);  // 4.53 mm
    EXPECT_EQ(postcard::OffsetToMillimetres(0, 600), 0);
    EXPECT_EQ(postcard::OffsetToMillimetres(50, 0), 0);
}

TEST(PostcardLayout, WorkedExampleAt600DpiWithFourMillimetreOffsets)
{
    RecordingPrinterDevice device = WorkedExampleDevice();
    const auto job = PrintOne(BookWith({}), false, Settings(), Sender(), device);

    const auto digits = Digits(job);
    ASSERT_EQ(digits.size(), 7u);
    const int expectedX[] = {969, 1134, 1299, 1465, 1630, 1772, 1961};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(digits[i].x, expectedX[i]) << "digit " << i + 1;
        EXPECT_EQ(digits[i].y, 201);
        EXPECT_EQ(digits[i].text, std::string(1, "1000001"[i]));
    }

    const auto columns = Columns(job);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].x, 2031);
    EXPECT_EQ(columns[0].y, 496);
    EXPECT_EQ(columns[0].text, sj("東京都千代田区千代田"));
    EXPECT_EQ(columns[1].x, 1795);
    EXPECT_EQ(columns[1].y, 496);
    EXPECT_EQ(columns[2].x, 1205);
    EXPECT_EQ(columns[2].y, 732);
    EXPECT_EQ(columns[2].text, sj("山田太郎 様"));
    EXPECT_TRUE(job.ended);
    EXPECT_FALSE(job.aborted);
}

TEST(PostcardLayout, FontRecordsAt600Dpi)
{
    RecordingPrinterDevice device;
    const auto job = PrintOne(BookWith({}), true, Settings(), Sender(), device);
    const auto columns = Columns(job);
    ASSERT_EQ(columns.size(), 7u);
    // Sender (11 pt), address (18 pt), name (36 pt).
    EXPECT_EQ(columns[0].verticalFont->lfHeight, -92);
    EXPECT_EQ(columns[4].verticalFont->lfHeight, -150);
    EXPECT_EQ(columns[6].verticalFont->lfHeight, -300);
    for (const Draw& d : columns) {
        const LogFontRecord& f = *d.verticalFont;
        EXPECT_EQ(f.lfEscapement, 2700);
        EXPECT_EQ(f.lfOrientation, 0);
        EXPECT_EQ(f.lfWidth, 0);
        EXPECT_EQ(f.lfWeight, 400);
        EXPECT_EQ(f.lfCharSet, 1);
        EXPECT_FALSE(f.lfItalic || f.lfUnderline || f.lfStrikeOut);
        EXPECT_EQ(f.lfFaceName, sj("@ＭＳ 明朝"));
        EXPECT_TRUE(d.brushClear);
    }
}

// At 72 dpi lfHeight is minus the point size, so the table reads directly.
struct SizeCase {
    int length;
    int address;
    int name;
    int sender;
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
    const auto job = PrintOne(book, true, Settings(), sender, device);
    const auto columns = Columns(job);
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[0].verticalFont->lfHeight, -c.sender) << "sender, L=" << c.length;
    EXPECT_EQ(columns[3].verticalFont->lfHeight, -c.address) << "address, L=" << c.length;
    EXPECT_EQ(columns[4].verticalFont->lfHeight, -c.name) << "name, L=" << c.length;
}

INSTANTIATE_TEST_SUITE_P(SampleTable, VerticalSizes,
                         ::testing::Values(SizeCase{1, 18, 36, 11}, SizeCase{10, 18, 36, 11},
                                           SizeCase{16, 18, 22, 11}, SizeCase{20, 18, 18, 11},
                                           SizeCase{24, 15, 15, 9}, SizeCase{30, 12, 12, 8},
                                           SizeCase{40, 9, 9, 6}, SizeCase{48, 8, 8, 5},
                                           SizeCase{60, 6, 6, 4}));

TEST(PostcardLayout, FullWidthLengthsCountBytes)
{
    RecordingPrinterDevice device;
    device.resolutionX = device.resolutionY = 72;
    // 24 full-width characters: 48 bytes, 7.5 pt rounds to 8.
    CardCells cells;
    cells.address1 = "あいうえおかきくけこさしすせそたちつてとなにぬね";
    cells.name = "山田太郎ＡＢＣＤ";  // 16 bytes: 22.5 rounds to 22
    const auto job = PrintOne(BookWith(cells), false, Settings(), Sender(), device);
    const auto columns = Columns(job);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].verticalFont->lfHeight, -8);
    EXPECT_EQ(columns[2].verticalFont->lfHeight, -22);
}

TEST(PostcardLayout, SecondAddressLinesAreIndentedByTheByteDifference)
{
    CardCells cells;
    cells.address1 = "東京都千代田区千代田";  // 20 bytes
    cells.address2 = "一ノ一二";              // 8 bytes
    SenderFields sender = Sender();
    sender.address1 = sj("大阪府大阪市");  // 12 bytes
    sender.address2 = sj("北区");          // 4 bytes
    RecordingPrinterDevice device;
    const auto job = PrintOne(BookWith(cells), true, Settings(), sender, device);
    const auto columns = Columns(job);
    ASSERT_GE(columns.size(), 6u);
    EXPECT_EQ(columns[1].text, std::string(8, ' ') + sj("北区"));
    EXPECT_EQ(columns[5].text, std::string(12, ' ') + sj("一ノ一二"));
}

TEST(PostcardLayout, NoIndentWhenTheSecondLineIsAsLongOrLonger)
{
    for (const char* line2 : {"東京都千代田区千代田", "東京都千代田区千代田一丁目"}) {
        CardCells cells;
        cells.address2 = line2;
        RecordingPrinterDevice device;
        const auto job = PrintOne(BookWith(cells), false, Settings(), Sender(), device);
        EXPECT_EQ(Columns(job)[1].text, sj(line2));
    }
}

TEST(PostcardLayout, JointNamesSplitByTheirOwnSemicolons)
{
    CardCells cells;
    cells.name = "山田太郎;花子";  // 8 + 1 + 4 = 13 bytes: 27.7 pt rounds to 28
    cells.honorific = "様;さま";
    RecordingPrinterDevice device;
    device.resolutionX = device.resolutionY = 72;
    const auto job = PrintOne(BookWith(cells), false, Settings(), Sender(), device);
    const auto columns = Columns(job);
    ASSERT_EQ(columns.size(), 4u);
    // Main name at 60 mm, joint name at 50 mm, both from 35 mm down.
    EXPECT_EQ(columns[2].x, postcard::MillimetreTenthsToDots(600, 0, 72));
    EXPECT_EQ(columns[2].text, sj("山田太郎 様"));
    EXPECT_EQ(columns[3].x, postcard::MillimetreTenthsToDots(500, 0, 72));
    EXPECT_EQ(columns[3].y, postcard::MillimetreTenthsToDots(350, 0, 72));
    EXPECT_EQ(columns[3].text, sj("花子 さま"));
    EXPECT_EQ(columns[2].verticalFont->lfHeight, -28);
    EXPECT_EQ(columns[3].verticalFont->lfHeight, -28);
}

TEST(PostcardLayout, HonorificWithoutSemicolonGoesToTheJointName)
{
    CardCells cells;
    cells.name = "山田太郎;花子;二世";  // a further ";" stays in the joint name
    cells.honorific = "様";
    RecordingPrinterDevice device;
    const auto job = PrintOne(BookWith(cells), false, Settings(), Sender(), device);
    const auto columns = Columns(job);
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[2].text, sj("山田太郎 "));
    EXPECT_EQ(columns[3].text, sj("花子;二世 様"));
}

TEST(PostcardLayout, SemicolonInTheHonorificAloneMakesNoJointColumn)
{
    CardCells cells;
    cells.honorific = "様;殿";
    RecordingPrinterDevice device;
    const auto job = PrintOne(BookWith(cells), false, Settings(), Sender(), device);
    const auto columns = Columns(job);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[2].text, sj("山田太郎 様;殿"));
}

TEST(PostcardLayout, WithoutSenderNothingOfItIsPrintedAndNoSecondFit)
{
    RecordingPrinterDevice device;
    const auto job = PrintOne(BookWith({}), false, Settings(), Sender(), device);
    EXPECT_EQ(Digits(job).size(), 7u);
    EXPECT_EQ(Columns(job).size(), 3u);
    // 19 down to the first fit at 8 pt, then the factor: no refit to 30 dots.
    const std::vector<int> sizes{19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 8};
    EXPECT_EQ(job.digitSizesSet, sizes);
}

TEST(PostcardLayout, SenderBlockPositionsAndRefit)
{
    RecordingPrinterDevice device = WorkedExampleDevice();
    const auto job = PrintOne(BookWith({}), true, Settings(3), Sender(), device);

    const auto digits = Digits(job);
    ASSERT_EQ(digits.size(), 14u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(digits[i].digitPoints, 24) << "8 pt fit times 3";
    }
    const int senderTenths[] = {55, 95, 135, 185, 225, 265, 305};
    for (std::size_t i = 0; i < 7; ++i) {
        const Draw& d = digits[7 + i];
        EXPECT_EQ(d.digitPoints, 6) << "refitted to 30 dots, factor not applied";
        EXPECT_EQ(d.x, postcard::MillimetreTenthsToDots(senderTenths[i], 4, 600));
        EXPECT_EQ(d.y, postcard::MillimetreTenthsToDots(1230, 4, 600));
        EXPECT_EQ(d.text, std::string(1, "9876543"[i]));
        EXPECT_FALSE(d.brushClear) << "digits come before the brush is cleared";
    }

    const auto columns = Columns(job);
    ASSERT_EQ(columns.size(), 7u);
    const auto at = [&](int tenths) { return postcard::MillimetreTenthsToDots(tenths, 4, 600); };
    EXPECT_EQ(columns[0].x, at(300));
    EXPECT_EQ(columns[0].y, at(650));
    EXPECT_EQ(columns[0].text, sj("大阪府大阪市北区"));
    EXPECT_EQ(columns[1].x, at(250));
    EXPECT_EQ(columns[1].text, std::string(6, ' ') + sj("梅田一ノ一"));
    EXPECT_EQ(columns[2].x, at(150));
    EXPECT_EQ(columns[2].y, at(750));
    EXPECT_EQ(columns[2].text, sj("鈴木一郎"));
    EXPECT_EQ(columns[3].x, at(100));
    EXPECT_EQ(columns[3].text, sj("鈴木花子"));
    // The sender's name shares the font of the sender's address lines.
    EXPECT_EQ(columns[2].verticalFont->lfHeight, columns[0].verticalFont->lfHeight);
}

TEST(PostcardLayout, NarrowDigitsKeepTheFactoredFontForTheSender)
{
    RecordingPrinterDevice device;
    device.widthOfFour = [](int points) { return points; };  // 19 pt already fits
    const auto job = PrintOne(BookWith({}), true, Settings(2), Sender(), device);
    const auto digits = Digits(job);
    ASSERT_EQ(digits.size(), 14u);
    EXPECT_EQ(digits[0].digitPoints, 38);
    EXPECT_EQ(digits[13].digitPoints, 38);
    EXPECT_EQ(job.digitSizesSet, (std::vector<int>{19, 38}));
}

TEST(PostcardLayout, DigitFittingStopsAtOnePoint)
{
    RecordingPrinterDevice device;
    device.widthOfFour = [](int) { return 500; };
    const auto job = PrintOne(BookWith({}), true, Settings(), Sender(), device);
    ASSERT_EQ(job.digitSizesSet.size(), 19u + 1u + 19u);
    EXPECT_EQ(job.digitSizesSet[18], 1);
    EXPECT_EQ(job.digitSizesSet[19], 1);
    EXPECT_EQ(job.digitSizesSet.back(), 1);
    EXPECT_EQ(Digits(job).size(), 14u);
}

TEST(PostcardLayout, DigitFontUsesTheVerticalResolution)
{
    RecordingPrinterDevice device;
    device.resolutionX = 600;
    device.resolutionY = 300;
    const auto job = PrintOne(BookWith({}), false, Settings(), Sender(), device);
    EXPECT_EQ(job.digitPixelsPerInch, 300);
    EXPECT_EQ(Digits(job)[0].x, postcard::MillimetreTenthsToDots(450, 0, 600));
    EXPECT_EQ(Digits(job)[0].y, postcard::MillimetreTenthsToDots(125, 0, 300));
    EXPECT_EQ(device.digitFace, "Arial");
}

TEST(PostcardLayout, LongFaceNamesAreCutAtACharacterBoundary)
{
    // "@" and sixteen full-width characters: 33 bytes; byte 31 would split one.
    const std::string longFace = sj("@ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ");
    const std::string exact = sj("@ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ");  // 31 bytes
    const std::string odd = sj("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ");   // 32 bytes
    const std::pair<std::string, std::string> cases[] = {
        {longFace, exact}, {exact, exact}, {odd, sj("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ")}};
    for (const auto& [face, expected] : cases) {
        RecordingPrinterDevice device;
        const auto job = PrintOne(BookWith({}), false, {"Arial", face, 1}, Sender(), device);
        EXPECT_EQ(Columns(job)[0].verticalFont->lfFaceName, expected);
        EXPECT_LE(Columns(job)[0].verticalFont->lfFaceName.size(), 31u);
    }
}

TEST(PostcardLayout, PostalCodesFillOnlyTheirBoxes)
{
    for (const auto& [code, drawn] :
         {std::pair{"123", 3u}, std::pair{"123456789", 7u}, std::pair{"", 0u}}) {
        CardCells cells;
        cells.postalCode = code;
        RecordingPrinterDevice device = WorkedExampleDevice();
        const auto digits = Digits(PrintOne(BookWith(cells), false, Settings(), Sender(), device));
        ASSERT_EQ(digits.size(), drawn) << code;
        if (drawn == 3u) {
            EXPECT_EQ(digits[2].x, 1299);
            EXPECT_EQ(digits[2].text, "3");
        }
    }
}

TEST(PostcardLayout, MemoLotteryAndEmptyCellsNeverReachPaper)
{
    CardCells cells;
    cells.address2 = "";
    RecordingPrinterDevice device;
    SenderFields sender;  // all empty
    const auto job = PrintOne(BookWith(cells), true, Settings(), sender, device);
    for (const Draw& d : job.draws) {
        EXPECT_EQ(d.text.find(sj("メモ欄")), std::string::npos);
        EXPECT_NE(d.text, "123456");
        EXPECT_FALSE(d.text.empty());
    }
    // Only the addressee's digits, address line 1 and the name remain.
    EXPECT_EQ(job.draws.size(), 7u + 2u);
}

TEST(PostcardLayout, EmptySenderJointNamePrintsNoColumn)
{
    SenderFields sender = Sender();
    sender.jointName.clear();
    RecordingPrinterDevice device = WorkedExampleDevice();
    const auto job = PrintOne(BookWith({}), true, Settings(), sender, device);
    EXPECT_EQ(Columns(job).size(), 6u);
    EXPECT_EQ(ColumnAt(job, postcard::MillimetreTenthsToDots(100, 4, 600)), nullptr);
    EXPECT_NE(ColumnAt(job, postcard::MillimetreTenthsToDots(150, 4, 600)), nullptr);
}

TEST(PostcardLayout, EveryCallSetsThePaperAndIsOneJob)
{
    RecordingPrinterDevice device;
    const AddressBook book = BookWith({});
    EXPECT_TRUE(PrintCard(book, 1, true, Settings(), Sender(), device));
    EXPECT_TRUE(PrintCard(book, 1, false, Settings(), Sender(), device));
    EXPECT_EQ(device.paperSets, 2);
    ASSERT_EQ(device.jobs.size(), 2u);
    EXPECT_TRUE(device.jobs[0].ended && device.jobs[1].ended);
}

TEST(PostcardLayoutFailure, NoPrinterPrintsNothing)
{
    RecordingPrinterDevice device;
    device.noPrinter = true;
    try {
        PrintCard(BookWith({}), 1, true, Settings(), Sender(), device);
        FAIL() << "expected AppError";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("デフォルト プリンタが存在しません"));
    }
    EXPECT_TRUE(device.jobs.empty());
}

TEST(PostcardLayoutFailure, BusyPrinterPrintsNothing)
{
    RecordingPrinterDevice device;
    device.busy = true;
    try {
        PrintCard(BookWith({}), 1, true, Settings(), Sender(), device);
        FAIL() << "expected AppError";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("現在印刷中です"));
    }
    EXPECT_TRUE(device.jobs.empty());
}

TEST(PostcardLayoutFailure, AFailureMidCardAbortsTheJob)
{
    RecordingPrinterDevice device;
    device.failOnDrawNumber = 9;
    EXPECT_THROW(PrintCard(BookWith({}), 1, true, Settings(), Sender(), device), AppError);
    ASSERT_EQ(device.jobs.size(), 1u);
    EXPECT_TRUE(device.jobs[0].aborted);
    EXPECT_FALSE(device.jobs[0].ended);
    EXPECT_EQ(device.jobs[0].draws.size(), 9u);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
