// SPDX-License-Identifier: MIT
#include "resources/postcard_picture.h"

#include "platform/app_error.h"

#include <QBuffer>
#include <QColor>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

bool IsRed(QColor c)
{
    return c.red() > 160 && c.green() < 130 && c.blue() < 120 && c.red() - c.green() > 70;
}

bool IsPaper(QColor c)
{
    return c.red() > 225 && c.green() > 220 && c.blue() > 205;
}

// The marker of the first frame header (0xC0 .. 0xCF without DHT, JPG, DAC),
// found by walking the segments from the start of the file; 0 if none.
int FirstFrameMarker(const QByteArray& jpeg, int* height = nullptr, int* width = nullptr)
{
    const auto byte = [&jpeg](qsizetype i) { return static_cast<unsigned char>(jpeg[i]); };
    if (jpeg.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) {
        return 0;
    }
    qsizetype pos = 2;
    while (pos + 4 <= jpeg.size() && byte(pos) == 0xFF) {
        const int marker = byte(pos + 1);
        const qsizetype length = (byte(pos + 2) << 8) | byte(pos + 3);
        const bool isFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame) {
            if (height != nullptr && width != nullptr && pos + 9 <= jpeg.size()) {
                *height = (byte(pos + 5) << 8) | byte(pos + 6);
                *width = (byte(pos + 7) << 8) | byte(pos + 8);
            }
            return marker;
        }
        pos += 2 + length;
    }
    return 0;
}

QByteArray EncodeWithQt(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    return writer.write(image) ? bytes : QByteArray();
}

void ExpectUnreadable(const QByteArray& bytes)
{
    try {
        DecodeJpeg(bytes);
        ADD_FAILURE() << "decoded " << bytes.size() << " bad bytes without complaint";
    } catch (const AppError& error) {
        EXPECT_EQ(error.message(), QString::fromUtf8("画像を読み込めません"));
    }
}

TEST(PostcardPictureTest, RedFramesWhereTheLabelsFallAndPlainCardElsewhere)
{
    const QImage picture = PostcardPicture();
    ASSERT_EQ(picture.size(), QSize(362, 500));
    const auto at = [&picture](int x, int y) { return picture.pixelColor(x, y); };

    for (const auto& [left, right] : std::vector<std::pair<int, int>>{
             {166, 186}, {188, 208}, {209, 229}, {236, 256}, {257, 277}, {279, 299}, {301, 320}}) {
        SCOPED_TRACE(left);
        const int middle = (left + right) / 2;
        EXPECT_TRUE(IsRed(at(left, 40)) && IsRed(at(right, 40)));
        EXPECT_TRUE(IsRed(at(middle, 25)) && IsRed(at(middle, 55)));
        // Inside and just outside stay plain, so a black digit reads.
        EXPECT_TRUE(IsPaper(at(middle, 40)) && IsPaper(at(middle, 23)) && IsPaper(at(middle, 58)));
    }
    // The gap before the fourth box holds only the hyphen.
    EXPECT_TRUE(IsRed(at(232, 40)));
    EXPECT_TRUE(IsPaper(at(232, 30)) && IsPaper(at(232, 50)));

    // Sender boxes: dashed outlines around labels 10 x 15 from y = 418.
    for (const int labelLeft : {27, 40, 53, 67, 81, 94, 107}) {
        SCOPED_TRACE(labelLeft);
        int redOnTop = 0;
        for (int x = labelLeft - 1; x <= labelLeft + 10; ++x) {
            redOnTop += IsRed(at(x, 417)) ? 1 : 0;
        }
        EXPECT_TRUE(redOnTop >= 5 && redOnTop <= 10) << redOnTop;
        EXPECT_TRUE(IsRed(at(labelLeft - 1, 418)) || IsRed(at(labelLeft - 1, 419)));
        EXPECT_TRUE(IsPaper(at(labelLeft + 5, 425)));
    }

    // The lottery strip, and light panels where the navy series and number go.
    for (int x = 8; x <= 354; x += 6) {
        EXPECT_TRUE(IsRed(at(x, 456)) && IsRed(at(x, 479))) << x;
    }
    for (const int left : {18, 248}) {
        for (int y = 461; y <= 474; ++y) {
            for (int x = left; x < left + 100; ++x) {
                ASSERT_GT(at(x, y).lightness(), 215) << x << "," << y;
            }
        }
    }

    // The stamp mark at the top left; plain card where the columns are written.
    int stampRed = 0;
    for (int y = 12; y <= 108; ++y) {
        for (int x = 14; x <= 90; ++x) {
            stampRed += IsRed(at(x, y)) ? 1 : 0;
        }
    }
    EXPECT_GT(stampRed, 600);
    for (int y = 120; y < 400; y += 7) {
        for (int x = 140; x < 345; x += 5) {
            ASSERT_TRUE(IsPaper(at(x, y))) << x << "," << y;
        }
    }
}

TEST(PostcardJpegTest, IsAProgressiveJpegOfTheRightSize)
{
    int height = 0;
    int width = 0;
    EXPECT_EQ(FirstFrameMarker(PostcardJpegBytes(), &height, &width), 0xC2);
    EXPECT_EQ(width, 362);
    EXPECT_EQ(height, 500);
}

TEST(DecodeJpegTest, BaselineColourAndGreyFilesDecodeToRgb)
{
    QImage source(16, 8, QImage::Format_RGB888);
    source.fill(QColor(220, 30, 30));
    for (int y = 0; y < 8; ++y) {
        for (int x = 8; x < 16; ++x) {
            source.setPixelColor(x, y, QColor(20, 40, 200));
        }
    }
    const QByteArray colour = EncodeWithQt(source);
    if (colour.isEmpty()) {
        GTEST_SKIP() << "no JPEG writer in this Qt";
    }
    ASSERT_EQ(FirstFrameMarker(colour), 0xC0);
    const QImage decoded = DecodeJpeg(colour);
    ASSERT_EQ(decoded.size(), source.size());
    const QColor left = decoded.pixelColor(2, 4);
    const QColor right = decoded.pixelColor(13, 4);
    EXPECT_NEAR(left.red(), 220, 24);
    EXPECT_NEAR(left.blue(), 30, 24);
    EXPECT_NEAR(right.red(), 20, 24);
    EXPECT_NEAR(right.blue(), 200, 24);

    QImage grey(10, 6, QImage::Format_Grayscale8);
    grey.fill(QColor(90, 90, 90));
    const QImage greyDecoded = DecodeJpeg(EncodeWithQt(grey));
    ASSERT_EQ(greyDecoded.size(), grey.size());
    const QColor g = greyDecoded.pixelColor(5, 3);
    EXPECT_NEAR(g.red(), 90, 6);
    EXPECT_EQ(g.red(), g.blue());
}

TEST(DecodeJpegTest, BrokenFilesThrowInsteadOfEndingTheProgram)
{
    const QByteArray good = PostcardJpegBytes();
    ExpectUnreadable(QByteArray());
    ExpectUnreadable(QByteArray("not a picture at all"));
    ExpectUnreadable(good.left(2));                // the start marker only
    ExpectUnreadable(good.left(300));              // inside the headers
    ExpectUnreadable(good.left(good.size() / 2));  // half the scans
    ExpectUnreadable(good.left(good.size() - 2));  // without the end marker

    QByteArray badFrame = good;
    const qsizetype frame = badFrame.indexOf(QByteArray("\xFF\xC2", 2));
    ASSERT_GT(frame, 0);
    badFrame[frame + 4] = 0;  // precision 0
    ExpectUnreadable(badFrame);

    // The good file still decodes after all that.
    EXPECT_EQ(DecodeJpeg(good).size(), QSize(362, 500));
}

}  // namespace

// The JPEG writer of the baseline cases is a plugin, loaded through the application.
