// SPDX-License-Identifier: MIT
#include "app/web_links.h"

#include "app/web_config.h"
#include "book/random_digits.h"
#include "platform/app_error.h"
#include "platform/clock.h"
#include "platform/url_opener.h"
#include "text/program_text.h"

#include <limits>

namespace {

constexpr char kAboutPrefix[] = "ふみよせ Ver.";
constexpr char kNotAnInteger[] = "'%s' は整数ではありません";

constexpr char kHomePath[] = "/fumiyose/";
constexpr char kUpdatePath[] = "/fumiyose/upgrade.php?ver=";
constexpr char kRootPath[] = "/";
constexpr char kLinkPath[] = "/link.html";
constexpr char kLotteryFeaturePath[] = "/fumiyose/otoshidama.html";
constexpr char kLotteryCheckPath[] = "/otoshi/otoshi.php?no=";
constexpr char kVersionQuery[] = "&ver=";

// The two factors of the encoding. With n <= 999999 and k <= 8 the 32-bit
// step stays below 2^31 (n x 2003 <= 2002997997) and the product below 2^51.
constexpr std::uint32_t kNumberFactor = 2003;
constexpr std::uint64_t kKeyFactorSeed = 47;

std::uint64_t KeyFactor()
{
    return kKeyFactorSeed * kKeyFactorSeed * kKeyFactorSeed;
}

QString Address(const char* host, const char* path)
{
    return uiText(web_config::kScheme) + uiText(host) + uiText(path);
}

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

QString AboutText(const QString& version)
{
    return uiText(kAboutPrefix) + version;
}

QString WebPageUrl(WebPage page, const QString& version)
{
    switch (page) {
        case WebPage::Home:
            return Address(web_config::kMakerHost, kHomePath);
        case WebPage::Update:
            return Address(web_config::kMakerHost, kUpdatePath) + version;
        case WebPage::MaterialSite:
            return Address(web_config::kMaterialSiteHost, kRootPath);
        case WebPage::ComposingSite:
            return Address(web_config::kComposingSiteHost, kRootPath);
        case WebPage::LinkPage:
            return Address(web_config::kMakerHost, kLinkPath);
        case WebPage::LotteryFeature:
            return Address(web_config::kMakerHost, kLotteryFeaturePath);
    }
    return {};
}

void OpenWebPage(WebPage page, const QString& version, UrlOpener& opener)
{
    opener.open(WebPageUrl(page, version));
}

std::uint32_t ReadLotteryCaption(const QString& caption)
{
    constexpr std::uint32_t kLargest = std::numeric_limits<std::int32_t>::max();
    const auto fail = [&caption] {
        return AppError(uiText(kNotAnInteger).replace(QStringLiteral("%s"), caption));
    };
    if (caption.isEmpty()) {
        throw fail();
    }
    std::uint64_t value = 0;
    for (const QChar c : caption) {
        if (!IsAsciiDigit(c)) {
            throw fail();
        }
        value = value * 10 + static_cast<std::uint64_t>(c.unicode() - u'0');
        if (value > kLargest) {
            throw fail();
        }
    }
    return static_cast<std::uint32_t>(value);
}

std::uint32_t DrawLotteryKey(const Clock& clock)
{
    LotteryGenerator generator(clock.millisecondsOfDayUtc());
    const std::uint32_t key = generator.draw(9);
    return key == 0 ? 1 : key;
}

QString EncodeLotteryNumber(std::uint32_t number, std::uint32_t key)
{
    const std::uint32_t scaled = number * kNumberFactor;  // 32-bit, as the check page expects
    const std::uint64_t product = static_cast<std::uint64_t>(scaled) * (key * KeyFactor());
    return QString::number(key) + QString::number(product);
}

std::optional<std::uint32_t> DecodeLotteryNumber(const QString& encoded)
{
    if (encoded.size() < 2 || encoded[0] < QLatin1Char('1') || encoded[0] > QLatin1Char('8')) {
        return std::nullopt;
    }
    const std::uint64_t key = static_cast<std::uint64_t>(encoded[0].unicode() - u'0');
    const QString rest = encoded.mid(1);
    if (rest.size() > 1 && rest[0] == QLatin1Char('0')) {
        return std::nullopt;
    }
    for (const QChar c : rest) {
        if (!IsAsciiDigit(c)) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const std::uint64_t product = rest.toULongLong(&ok);
    const std::uint64_t divisor = key * KeyFactor() * kNumberFactor;
    if (!ok || product % divisor != 0 ||
        product / divisor > std::numeric_limits<std::uint32_t>::max() / kNumberFactor) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(product / divisor);
}

QString LotteryCheckUrl(const QString& caption, const QString& version, const Clock& clock)
{
    const std::uint32_t number = ReadLotteryCaption(caption);
    const std::uint32_t key = DrawLotteryKey(clock);
    return Address(web_config::kMakerHost, kLotteryCheckPath) + EncodeLotteryNumber(number, key) +
           uiText(kVersionQuery) + version;
}

void OpenLotteryCheck(const QString& caption, const QString& version, const Clock& clock,
                      UrlOpener& opener)
{
    opener.open(LotteryCheckUrl(caption, version, clock));
}
