// SPDX-License-Identifier: MIT
#include "app/web_links.h"

#include "app/web_config.h"
#include "platform/app_error.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace {

QString Maker(const char* path)
{
    return QStringLiteral("https://") + QString::fromUtf8(web_config::kMakerHost) +
           QString::fromUtf8(path);
}

// A clock value for every key 1 .. 8.
std::map<std::uint32_t, std::uint32_t> ClockValuePerKey()
{
    std::map<std::uint32_t, std::uint32_t> found;
    for (std::uint32_t ms = 0; found.size() < 8 && ms < 100000; ++ms) {
        found.emplace(DrawLotteryKey(FixedClock(ms)), ms);
    }
    return found;
}

TEST(AboutTextTest, VersionFollowsWithoutASpace)
{
    EXPECT_EQ(AboutText(QStringLiteral("0.4")), QString::fromUtf8("ふみよせ Ver.0.4"));
    EXPECT_EQ(AboutText(QString()), QString::fromUtf8("ふみよせ Ver."));
}

TEST(WebPageUrlTest, EveryAddressExactly)
{
    const QString v = QStringLiteral("0.4");
    EXPECT_EQ(WebPageUrl(WebPage::Home, v), Maker("/fumiyose/"));
    EXPECT_EQ(WebPageUrl(WebPage::Update, v), Maker("/fumiyose/upgrade.php?ver=0.4"));
    EXPECT_EQ(WebPageUrl(WebPage::LinkPage, v), Maker("/link.html"));
    EXPECT_EQ(WebPageUrl(WebPage::LotteryFeature, v), Maker("/fumiyose/otoshidama.html"));
    EXPECT_EQ(
        WebPageUrl(WebPage::MaterialSite, v),
        QStringLiteral("https://") + QString::fromUtf8(web_config::kMaterialSiteHost) + u("/"));
    EXPECT_EQ(
        WebPageUrl(WebPage::ComposingSite, v),
        QStringLiteral("https://") + QString::fromUtf8(web_config::kComposingSiteHost) + u("/"));
    // Only the update page carries the version.
    EXPECT_EQ(WebPageUrl(WebPage::Update, QStringLiteral("1.2")),
              Maker("/fumiyose/upgrade.php?ver=1.2"));
    EXPECT_EQ(WebPageUrl(WebPage::Home, QStringLiteral("1.2")), Maker("/fumiyose/"));
}

TEST(WebPageUrlTest, OpeningHandsExactlyOneAddressToTheOpener)
{
    FakeUrlOpener opener;
    OpenWebPage(WebPage::Update, QStringLiteral("0.4"), opener);
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_EQ(opener.opened[0], Maker("/fumiyose/upgrade.php?ver=0.4"));
}

TEST(ReadLotteryCaptionTest, AcceptsWholeDecimalNumbers)
{
    EXPECT_EQ(ReadLotteryCaption(QStringLiteral("000000")), 0u);
    EXPECT_EQ(ReadLotteryCaption(QStringLiteral("999999")), 999999u);
    EXPECT_EQ(ReadLotteryCaption(QStringLiteral("2147483647")), 2147483647u);
}

TEST(ReadLotteryCaptionTest, AnythingElseNamesTheCaptionInItsMessage)
{
    const std::array<const char*, 10> bad = {
        "", "12a", " 12", "12 ", "-5", "+5", "1.5", "１２", "2147483648", "99999999999999999999"};
    for (const char* caption : bad) {
        const QString text = QString::fromUtf8(caption);
        try {
            ReadLotteryCaption(text);
            ADD_FAILURE() << "accepted '" << caption << "'";
        } catch (const AppError& error) {
            EXPECT_EQ(error.message(), u("'") + text + QString::fromUtf8("' は整数ではありません"));
        }
    }
}

TEST(DrawLotteryKeyTest, KeysRunFromOneToEightWithOneTwiceAsLikely)
{
    std::array<int, 10> counts{};
    constexpr int kDraws = 90000;
    for (std::uint32_t ms = 0; ms < kDraws; ++ms) {
        const std::uint32_t key = DrawLotteryKey(FixedClock(ms * 7919u));
        ASSERT_GE(key, 1u);
        ASSERT_LE(key, 8u);
        ++counts[key];
    }
    for (int key = 2; key <= 8; ++key) {
        EXPECT_NEAR(counts[key], kDraws / 9.0, kDraws / 90.0) << key;
    }
    EXPECT_NEAR(counts[1], 2 * kDraws / 9.0, kDraws / 45.0);
    // One clock value, one key: the generator is reseeded on every check.
    EXPECT_EQ(DrawLotteryKey(FixedClock(43200123)), DrawLotteryKey(FixedClock(43200123)));
}

TEST(LotteryEncodingTest, DecodesBackAtEveryKey)
{
    for (std::uint32_t key = 1; key <= 8; ++key) {
        for (const std::uint32_t number : {0u, 1u, 123456u, 500000u, 888888u, 999999u}) {
            const QString encoded = EncodeLotteryNumber(number, key);
            SCOPED_TRACE(encoded.toStdString());
            EXPECT_EQ(encoded.left(1), QString::number(key));
            EXPECT_EQ(DecodeLotteryNumber(encoded), number);
        }
        EXPECT_EQ(EncodeLotteryNumber(0, key), QString::number(key) + u("0"));
    }
    // Largest case, spelled out: 999999 x 2003 x 8 x 47^3.
    EXPECT_EQ(EncodeLotteryNumber(999999, 8), QStringLiteral("81663658088340248"));
    // Beyond six digits the encoding stays exact until the 32-bit step wraps.
    EXPECT_EQ(DecodeLotteryNumber(EncodeLotteryNumber(2144267, 8)), 2144267u);
    EXPECT_NE(DecodeLotteryNumber(EncodeLotteryNumber(2144268, 8)), 2144268u);
}

TEST(LotteryEncodingTest, DecoderRefusesWhatNoCheckProduced)
{
    const QString valid = EncodeLotteryNumber(123456, 3);
    for (const QString& text :
         {QString(), QStringLiteral("3"), QStringLiteral("0") + valid.mid(1),
          QStringLiteral("9") + valid.mid(1), valid + u("1"), QStringLiteral("30") + valid.mid(1),
          valid.left(3) + u("x") + valid.mid(4), QStringLiteral("3-5"),
          QStringLiteral("1") + u("7"), QStringLiteral("399999999999999999999999")}) {
        EXPECT_EQ(DecodeLotteryNumber(text), std::nullopt) << text.toStdString();
    }
}

TEST(LotteryCheckTest, AddressCarriesKeyProductAndVersion)
{
    const auto clockPerKey = ClockValuePerKey();
    ASSERT_EQ(clockPerKey.size(), 8u);
    const QRegularExpression shape(QRegularExpression::escape(Maker("/otoshi/otoshi.php?no=")) +
                                   QStringLiteral(R"(([1-8])(\d+)&ver=0\.4$)"));
    for (const auto& [key, ms] : clockPerKey) {
        const QString url = LotteryCheckUrl(QStringLiteral("045678"), u("0.4"), FixedClock(ms));
        const auto match = shape.match(url);
        ASSERT_TRUE(match.hasMatch()) << url.toStdString();
        EXPECT_EQ(match.captured(1), QString::number(key));
        EXPECT_EQ(DecodeLotteryNumber(match.captured(1) + match.captured(2)), 45678u);
    }
    EXPECT_EQ(LotteryCheckUrl(QStringLiteral("000000"), u("0.4"), FixedClock(clockPerKey.at(5))),
              Maker("/otoshi/otoshi.php?no=50&ver=0.4"));
}

TEST(LotteryCheckTest, TwoClicksDifferInKeyButAgreeOnTheNumber)
{
    const auto clockPerKey = ClockValuePerKey();
    FakeUrlOpener opener;
    OpenLotteryCheck(QStringLiteral("314159"), u("0.4"), FixedClock(clockPerKey.at(2)), opener);
    OpenLotteryCheck(QStringLiteral("314159"), u("0.4"), FixedClock(clockPerKey.at(7)), opener);
    ASSERT_EQ(opener.opened.size(), 2);
    EXPECT_NE(opener.opened[0], opener.opened[1]);
    for (const QString& url : opener.opened) {
        const QString no = url.section(QStringLiteral("no="), 1).section(QLatin1Char('&'), 0, 0);
        EXPECT_EQ(DecodeLotteryNumber(no), 314159u) << url.toStdString();
    }
}

TEST(LotteryCheckTest, BadCaptionOpensNothing)
{
    FakeUrlOpener opener;
    EXPECT_THROW(OpenLotteryCheck(QString(), u("0.4"), FixedClock(1), opener), AppError);
    EXPECT_THROW(OpenLotteryCheck(QStringLiteral("12a"), u("0.4"), FixedClock(1), opener),
                 AppError);
    EXPECT_TRUE(opener.opened.isEmpty());
}

}  // namespace
