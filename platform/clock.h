// SPDX-License-Identifier: MIT
// The clock, behind an interface so that a test can fix the time.
#pragma once

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since midnight, UTC.
    virtual std::uint32_t millisecondsOfDayUtc() const = 0;
};

class SystemClock final : public Clock {
public:
    std::uint32_t millisecondsOfDayUtc() const override;
};
