// SPDX-License-Identifier: MIT
#include "platform/clock.h"

#include <QDateTime>

std::uint32_t SystemClock::millisecondsOfDayUtc() const
{
    return static_cast<std::uint32_t>(
        QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}
