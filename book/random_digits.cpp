// SPDX-License-Identifier: MIT
#include "book/random_digits.h"

#include "platform/clock.h"

std::uint32_t LotteryGenerator::draw(std::uint32_t range)
{
    state_ = state_ * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state_) * range) >> 32);
}

std::string RandomDigits(int count, LotteryGenerator& generator)
{
    std::string result;
    for (int i = 1; i <= count; ++i) {
        std::uint32_t d = generator.draw(9);
        if (i == 1 && d == 0) {
            d = 1;
        }
        result += static_cast<char>('0' + d);
    }
    return result;
}

std::string RandomDigits(int count, const Clock& clock)
{
    LotteryGenerator generator(clock.millisecondsOfDayUtc());
    return RandomDigits(count, generator);
}
