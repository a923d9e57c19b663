// SPDX-License-Identifier: MIT
// The about text, the web addresses of the last menu and the hint lines, and
// the lottery-number check page with its encoded number.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class Clock;
class UrlOpener;

// "ふみよせ Ver." followed directly by the version.
QString AboutText(const QString& version);

enum class WebPage {
    Home,            // N23Click
    Update,          // N19Click; carries the version
    MaterialSite,    // N20Click, Label22Click
    ComposingSite,   // Label23Click
    LinkPage,        // Label17Click
    LotteryFeature,  // Label21Click
};

QString WebPageUrl(WebPage page, const QString& version);
void OpenWebPage(WebPage page, const QString& version, UrlOpener& opener);

// The caption of the lottery-number label as a whole decimal number: digits
// only, up to 2147483647. Anything else throws AppError("'<caption>' は整数ではありません").
std::uint32_t ReadLotteryCaption(const QString& caption);

// The key k of one check, 1 to 8, drawn from a generator seeded by the clock;
// a draw of 0 counts as 1.
std::uint32_t DrawLotteryKey(const Clock& clock);

// k followed by number x 2003 (32-bit) x k x 47^3 (64-bit), in decimal.
// Six-digit numbers never wrap, so the check page can divide them back out.
QString EncodeLotteryNumber(std::uint32_t number, std::uint32_t key);

// The number an encoded value stands for, as the check page reads it; none
// for text that no key and unwrapped number (up to 2144267) can have produced.
std::optional<std::uint32_t> DecodeLotteryNumber(const QString& encoded);

// The check page's address for the label's caption: throws as
// ReadLotteryCaption does.
QString LotteryCheckUrl(const QString& caption, const QString& version, const Clock& clock);

// lblnengaClick: opens the check page, or throws before opening anything.
void OpenLotteryCheck(const QString& caption, const QString& version, const Clock& clock,
                      UrlOpener& opener);
