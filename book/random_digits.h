// SPDX-License-Identifier: MIT
// The six-digit lottery number of a new card.
#pragma once

#include <cstdint>
#include <string>

class Clock;

// The 32-bit linear congruential generator the lottery numbers come from.
class LotteryGenerator {
public:
    explicit LotteryGenerator(std::uint32_t seed) : state_(seed) {}
    // A whole number drawn uniformly from 0 to range - 1.
    std::uint32_t draw(std::uint32_t range);

private:
    std::uint32_t state_;
};

// `count` digits from 0 to 8, the first never 0, drawn from `generator`, which
// goes on from where it stands: cards drawn one after another differ.
std::string RandomDigits(int count, LotteryGenerator& generator);

// The same, reseeded from the clock on every call, so two calls within one
// millisecond agree.
std::string RandomDigits(int count, const Clock& clock);
