// SPDX-License-Identifier: MIT
#include "vertical/vertical_text.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "tests/support/helpers.h"
#include "tests/vertical/ink.h"
#include "text/cp932.h"
#include "vertical/column_layout.h"
#include "vertical/shaping_face.h"

namespace {

using vertical::Segment;
using vertical_test::darkInk;

vertical::FaceRecord faceOf(const char* utf8Face, int height)
{
    vertical::FaceRecord face;
    face.face = cp932::fromUnicodeLossy(u(utf8Face));
    face.height = height;
    face.escapement = 2700;
    return face;
}

// Draws one column into a white 200 × 400 image.
QImage drawn(const vertical::FaceRecord& face, QPoint ref, int flags, const QString& text,
             QColor color = Qt::black)
{
    QImage image = vertical_test::whiteImage(200, 400);
    QPainter painter(&image);
    vertical::draw(painter, face, ref, flags, text, color);
    return image;
}

TEST(SegmentColumn, DoubleByteCharactersStandAndSingleByteOnesTurn)
{
    const QString text = u("1-2 AB（株）ー一ｱｲ、");
    const std::vector<Segment> expected = {
        {0, 6, false},   // "1-2 AB"
        {6, 5, true},    // "（株）ー一": full-width brackets and the long-vowel mark stand
        {11, 2, false},  // half-width katakana lie down
        {13, 1, true},
    };
    EXPECT_EQ(vertical::segmentColumn(text, true), expected);
}

TEST(SegmentColumn, AFaceWithoutVerticalFormsTurnsEverything)
{
    const std::vector<Segment> expected = {{0, 4, false}};
    EXPECT_EQ(vertical::segmentColumn(u("東京1ー"), false), expected);
}

TEST(SegmentColumn, CharactersOutsideTheCodePageCountAsOneByte)
{
    // U+1F600 (a surrogate pair) and U+00E9 have no code page 932 form.
    const std::vector<Segment> expected = {{0, 1, true}, {1, 3, false}, {4, 1, true}};
    EXPECT_EQ(vertical::segmentColumn(u("東\U0001F600é京"), true), expected);
}

TEST(SegmentColumn, EmptyTextHasNoSegments)
{
    EXPECT_TRUE(vertical::segmentColumn(QString(), true).empty());
    EXPECT_TRUE(vertical::segmentColumn(QString(), false).empty());
}

TEST(ParseFaceName, LeadingAtSelectsVerticalForms)
{
    const vertical::FaceName vertical =
        vertical::parseFaceName(cp932::fromUnicodeLossy(u("@ＭＳ 明朝")));
    EXPECT_EQ(vertical.family, u("ＭＳ 明朝"));
    EXPECT_TRUE(vertical.verticalForms);
    const vertical::FaceName plain =
        vertical::parseFaceName(cp932::fromUnicodeLossy(u("ＭＳ 明朝")));
    EXPECT_EQ(plain.family, u("ＭＳ 明朝"));
    EXPECT_FALSE(plain.verticalForms);
    const vertical::FaceName doubled = vertical::parseFaceName("@@IPAMincho");
    EXPECT_EQ(doubled.family, u("IPAMincho"));
    EXPECT_TRUE(doubled.verticalForms);
    EXPECT_EQ(vertical::parseFaceName("").family, QString());
}

TEST(ParseFaceName, KeepsAtMost31BytesWithoutSplittingACharacter)
{
    // "@" and 16 full-width characters: 33 bytes, cut after the 15th character.
    const std::string face = "@" + cp932::fromUnicodeLossy(u("あいうえおかきくけこさしすせそた"));
    const vertical::FaceName name = vertical::parseFaceName(face);
    EXPECT_EQ(name.family, u("あいうえおかきくけこさしすせそ"));
}

TEST(ResolveRawFont, SubstitutedAndUnknownFamiliesGiveAJapaneseFace)
{
    const char32_t tou = U'東';
    for (const QString& family : {u("ＭＳ 明朝"), u("NoSuchFace"), u("DejaVu Sans"), QString()}) {
        const QRawFont raw = vertical::resolveRawFont(family, 19, 400);
        ASSERT_TRUE(raw.isValid()) << family.toStdString();
        EXPECT_TRUE(raw.supportsCharacter(tou)) << family.toStdString();
        EXPECT_NE(vertical::shapingFaceFor(raw), nullptr) << family.toStdString();
    }
    EXPECT_EQ(vertical::resolveRawFont(u("ＭＳ ゴシック"), 19, 400).familyName().toLower(),
              u("ipagothic"));
}

TEST(Measure, AcrossIsTheLineHeightAndAlongTheSumOfAdvances)
{
    // IPAMincho: usWinAscent + usWinDescent = 2257 of 2048 units.
    const vertical::Extent three = vertical::measure(faceOf("@ＭＳ 明朝", 18), u("一二三"));
    EXPECT_EQ(three.across, 20);
    EXPECT_EQ(three.along, 54);
    EXPECT_EQ(vertical::measure(faceOf("@ＭＳ 明朝", 19), u("一")).across, 21);
    // Half-width characters turned on their side are half as long.
    EXPECT_EQ(vertical::measure(faceOf("@ＭＳ 明朝", 18), u("12")).along, 18);
    // Without vertical forms the full-width characters still advance by one em.
    EXPECT_EQ(vertical::measure(faceOf("ＭＳ 明朝", 18), u("一二三")).along, 54);
}

TEST(Measure, EmptyTextAndZeroHeight)
{
    const vertical::Extent empty = vertical::measure(faceOf("@ＭＳ 明朝", 18), QString());
    EXPECT_EQ(empty.along, 0);
    EXPECT_EQ(empty.across, 20);
    const vertical::Extent none = vertical::measure(faceOf("@ＭＳ 明朝", 0), u("一"));
    EXPECT_EQ(none.across, 0);
    EXPECT_EQ(none.along, 0);
}

TEST(Draw, UprightAndTurnedCharactersFaceTheRightWay)
{
    const vertical::FaceRecord upright = faceOf("@ＭＳ 明朝", 40);
    const vertical::FaceRecord turned = faceOf("ＭＳ 明朝", 40);
    const QPoint ref(150, 20);
    // 一 is a horizontal stroke standing upright, a vertical one when turned.
    QRect ink = darkInk(drawn(upright, ref, 0, u("一")));
    EXPECT_GT(ink.width(), 3 * ink.height());
    ink = darkInk(drawn(turned, ref, 0, u("一")));
    EXPECT_GT(ink.height(), 3 * ink.width());
    // The long-vowel mark takes its vertical form, a vertical stroke.
    ink = darkInk(drawn(upright, ref, 0, u("ー")));
    EXPECT_GT(ink.height(), 3 * ink.width());
    // Half-width characters lie down even in a vertical face.
    ink = darkInk(drawn(upright, ref, 0, u("-")));
    EXPECT_GT(ink.height(), 2 * ink.width());
    ink = darkInk(drawn(upright, ref, 0, u("A")));
    EXPECT_GT(ink.width(), ink.height());
    ink = darkInk(drawn(upright, ref, 0, u("ｰ")));  // half-width long-vowel mark
    EXPECT_GT(ink.height(), 2 * ink.width());
}

TEST(Draw, TurnedTextHasItsTopFacingRight)
{
    // "T" turned clockwise: its bar lies on the right, its stem runs left.
    const QImage image = drawn(faceOf("@ＭＳ ゴシック", 60), QPoint(150, 20), 0, u("T"));
    const QRect ink = darkInk(image);
    int inkRightHalf = 0;
    int inkLeftHalf = 0;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        for (int x = ink.left(); x <= ink.right(); ++x) {
            if (image.pixelColor(x, y).lightness() < 160) {
                (x > ink.center().x() ? inkRightHalf : inkLeftHalf) += 1;
            }
        }
    }
    EXPECT_GT(inkRightHalf, inkLeftHalf);
}

TEST(Draw, IdeographicCommaSitsAtTheUpperRightOfItsCell)
{
    const vertical::FaceRecord face = faceOf("@ＭＳ 明朝", 40);
    const vertical::Extent extent = vertical::measure(face, u("、"));
    const QPoint ref(150, 20);
    const QRect ink = darkInk(drawn(face, ref, 0, u("、")));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.center().x(), ref.x() - extent.across / 2);
    EXPECT_LT(ink.center().y(), ref.y() + extent.along / 2);
}

TEST(Draw, FlagsPlaceTheColumnAroundTheReferencePoint)
{
    const vertical::FaceRecord face = faceOf("@ＭＳ 明朝", 18);
    const QString text = u("■東京都■");
    const vertical::Extent extent = vertical::measure(face, text);
    const QPoint ref(100, 300);

    QRect ink = darkInk(drawn(face, ref, vertical::AlignTop | vertical::AlignLeft, text));
    EXPECT_GE(ink.left(), ref.x() - extent.across);
    EXPECT_LE(ink.right(), ref.x());
    EXPECT_GE(ink.top(), ref.y());
    EXPECT_LE(ink.top(), ref.y() + 4);

    ink = darkInk(drawn(face, ref, vertical::AlignBottom, text));
    EXPECT_GE(ink.left(), ref.x());
    EXPECT_LE(ink.right(), ref.x() + extent.across);

    // Ending at the reference y: the last square's ink stops just above it.
    ink = darkInk(drawn(face, ref, vertical::AlignRight, text));
    EXPECT_LT(ink.bottom(), ref.y());
    EXPECT_GE(ink.bottom(), ref.y() - 4);
    EXPECT_GE(ink.top(), ref.y() - extent.along);
}

TEST(Draw, UsesTheGivenColourAndDrawsNothingForEmptyText)
{
    const vertical::FaceRecord face = faceOf("@ＭＳ 明朝", 30);
    const QImage red = drawn(face, QPoint(100, 10), 0, u("国"), QColor(255, 0, 0));
    EXPECT_FALSE(vertical_test::inkBox(red, [](QColor c) {
                     return c.red() > 200 && c.green() < 60 && c.blue() < 60;
                 }).isEmpty());
    EXPECT_TRUE(darkInk(drawn(face, QPoint(100, 10), 0, QString())).isEmpty());
    EXPECT_TRUE(darkInk(drawn(faceOf("@ＭＳ 明朝", 0), QPoint(100, 10), 0, u("国"))).isEmpty());
}

TEST(Draw, UnknownFaceStillWritesJapanese)
{
    const QImage unknown = drawn(faceOf("@NoSuchFace", 30), QPoint(100, 10), 0, u("東京"));
    const QRect ink = darkInk(unknown);
    ASSERT_FALSE(ink.isEmpty());
    // Two upright characters, not two empty boxes the height of the em.
    EXPECT_GT(ink.height(), 45);
}

TEST(Draw, OnAPdfThePrintedTextStaysText)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(600);
        QPainter painter(&writer);
        vertical::draw(painter, faceOf("@ＭＳ 明朝", 150), QPoint(2000, 300), 0,
                       u("東京都1-2-3（株）"), Qt::black);
    }
    const QByteArray bytes = pdf.data();
    EXPECT_TRUE(bytes.contains("/FontFile2"));
    EXPECT_TRUE(bytes.contains("IPAMincho"));
    EXPECT_FALSE(bytes.contains("/Subtype /Image"));
}

}  // namespace
