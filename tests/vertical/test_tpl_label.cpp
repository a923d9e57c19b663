// SPDX-License-Identifier: MIT
#include "vertical/tpl_label.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QTest>

#include "tests/support/helpers.h"
#include "tests/vertical/ink.h"
#include "text/cp932.h"

namespace {

using vertical::AlignBottom;
using vertical::AlignRight;
using vertical::Extent;
using vertical::placeColumn;
using vertical_test::darkInk;

TEST(PlaceColumn, EveryAlignmentAndLayout)
{
    const Extent extent{20, 100};
    struct Case {
        Qt::Alignment alignment;
        QPoint ref;
        int flags;
    };
    const Case cases[] = {
        {Qt::AlignLeft | Qt::AlignTop, {0, 0}, AlignBottom},
        {Qt::AlignHCenter | Qt::AlignTop, {31, 0}, 0},
        {Qt::AlignRight | Qt::AlignTop, {42, 0}, 0},
        {Qt::AlignLeft | Qt::AlignVCenter, {0, 110}, AlignBottom},
        {Qt::AlignHCenter | Qt::AlignVCenter, {31, 110}, 0},
        {Qt::AlignRight | Qt::AlignVCenter, {42, 110}, 0},
        {Qt::AlignLeft | Qt::AlignBottom, {0, 321}, AlignBottom | AlignRight},
        {Qt::AlignHCenter | Qt::AlignBottom, {31, 321}, AlignRight},
        {Qt::AlignRight | Qt::AlignBottom, {42, 321}, AlignRight},
    };
    for (const Case& c : cases) {
        const vertical::Placement p = placeColumn(c.alignment, 42, 321, extent);
        EXPECT_EQ(p.ref, c.ref) << c.alignment;
        EXPECT_EQ(p.flags, c.flags) << c.alignment;
    }
}

TEST(PlaceColumn, DivisionsTruncateTowardZero)
{
    // A centred text longer than the label starts above it: (100 - 321) / 2 = -110.
    EXPECT_EQ(placeColumn(Qt::AlignCenter, 42, 100, {20, 321}).ref.y(), -110);
    EXPECT_EQ(placeColumn(Qt::AlignCenter, 42, 100, {21, 3}).ref, QPoint(31, 48));
    EXPECT_EQ(placeColumn(Qt::AlignCenter, 30, 225, {20, 0}).ref, QPoint(25, 112));
}

TEST(FaceForLabelFont, PrefixesOneAtAndTakesThePixelSize)
{
    QFont font(u("ＭＳ 明朝"));
    font.setPixelSize(19);
    vertical::FaceRecord face = vertical::faceForLabelFont(font);
    EXPECT_EQ(face.face, cp932::fromUnicodeLossy(u("@ＭＳ 明朝")));
    EXPECT_EQ(face.height, 19);
    EXPECT_EQ(face.weight, 400);
    font.setFamily(u("@@ＭＳ 明朝"));
    EXPECT_EQ(vertical::faceForLabelFont(font).face, cp932::fromUnicodeLossy(u("@ＭＳ 明朝")));
    font.setPointSize(12);
    EXPECT_GT(vertical::faceForLabelFont(font).height, 0);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

class TplLabelTest : public testing::Test {
protected:
    void SetUp() override
    {
        QFont font(u("ＭＳ 明朝"));
        font.setPixelSize(18);  // IPAMincho: a column 20 pixels wide
        label.setFont(font);
        label.resize(42, 321);
        label.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label.setVertical(true);
    }

    // The label drawn over white, without its window background.
    QImage rendered()
    {
        QImage image = vertical_test::whiteImage(label.width(), label.height());
        label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }

    TplLabel label;
};

TEST(TplLabelProperty, StartsFalseAndIsAQtProperty)
{
    TplLabel label;
    EXPECT_FALSE(label.vertical());
    EXPECT_FALSE(label.property("Vertical").toBool());
    EXPECT_TRUE(label.setProperty("Vertical", true));
    EXPECT_TRUE(label.vertical());
    EXPECT_FALSE(label.autoSize());
}

TEST_F(TplLabelTest, WritingTheSameValueCausesNoRepaint)
{
    label.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
    QCoreApplication::processEvents();
    PaintCounter counter;
    label.installEventFilter(&counter);

    label.setVertical(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    label.setVertical(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    EXPECT_FALSE(label.vertical());
}

TEST_F(TplLabelTest, CentredColumnLiesInsideItsSpan)
{
    // Width 42, text height 20: X = 31, so the column spans 11 .. 31.
    label.setText(u("東京都千代田区千代田一ー一"));
    const QRect ink = darkInk(rendered());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 11);
    EXPECT_LE(ink.right(), 31);
    EXPECT_LE(ink.top(), 4);
    // Centred within a pixel or two.
    EXPECT_LE(std::abs((ink.left() + ink.right()) - 42), 3);
}

TEST_F(TplLabelTest, BottomLayoutEndsAtTheBottomEdge)
{
    label.setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label.setText(u("■番地■"));
    const QRect ink = darkInk(rendered());
    EXPECT_GE(ink.bottom(), label.height() - 4);
    EXPECT_GT(ink.top(), label.height() - 4 * 18);
}

TEST_F(TplLabelTest, CentredTextLongerThanTheLabelIsClippedAtBothEnds)
{
    label.resize(42, 60);
    label.setAlignment(Qt::AlignCenter);
    label.setText(u("■■■■■■■■■■"));  // 180 pixels long
    const QRect ink = darkInk(rendered());
    EXPECT_EQ(ink.top(), 0);
    EXPECT_EQ(ink.bottom(), 59);
}

TEST_F(TplLabelTest, LeftAndRightAlignmentTouchTheEdges)
{
    label.setText(u("国"));
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QRect ink = darkInk(rendered());
    EXPECT_LE(ink.left(), 3);
    label.setAlignment(Qt::AlignRight | Qt::AlignTop);
    ink = darkInk(rendered());
    EXPECT_GE(ink.right(), 42 - 4);
}

TEST_F(TplLabelTest, AmpersandIsDrawnAsItStands)
{
    label.setText(u("A&B"));
    const int withAmpersand = darkInk(rendered()).height();
    label.setText(u("AB"));
    const int without = darkInk(rendered()).height();
    EXPECT_GT(withAmpersand, without + 5);
}

TEST_F(TplLabelTest, EmptyCaptionDrawsNothingButAnOpaqueLabelFills)
{
    label.setText(QString());
    EXPECT_TRUE(darkInk(rendered()).isEmpty());

    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 0));
    label.setPalette(palette);
    label.setAutoFillBackground(true);
    const QImage filled = rendered();
    EXPECT_EQ(filled.pixelColor(0, 0), QColor(255, 255, 0));
    EXPECT_EQ(filled.pixelColor(41, 320), QColor(255, 255, 0));
}

TEST_F(TplLabelTest, DisabledLabelIsEmbossed)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::Disabled, QPalette::Light, QColor(0, 255, 0));
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor(0, 0, 255));
    label.setPalette(palette);
    label.setText(u("国"));
    label.setEnabled(false);
    const QImage image = rendered();
    const QRect light = vertical_test::inkBox(
        image, [](QColor c) { return c.green() > 200 && c.red() < 80 && c.blue() < 80; });
    const QRect dark = vertical_test::inkBox(
        image, [](QColor c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; });
    ASSERT_FALSE(light.isEmpty());
    ASSERT_FALSE(dark.isEmpty());
    EXPECT_EQ(light.right(), dark.right() + 1);
    EXPECT_EQ(light.bottom(), dark.bottom() + 1);
}

TEST_F(TplLabelTest, AutoSizeSwapsWidthAndHeightInVerticalMode)
{
    label.setText(u("山田"));
    label.setAutoSize(true);
    rendered();
    EXPECT_EQ(label.size(), QSize(20, 36));

    label.setVertical(false);
    rendered();
    EXPECT_GT(label.width(), label.height());
}

}  // namespace
