// SPDX-License-Identifier: MIT
// The font families that printing can use.
#pragma once

#include <QStringList>

class FontList {
public:
    virtual ~FontList() = default;
    // Every face name, in the order the system lists them. Faces that can
    // write Japanese vertically also appear with a leading "@".
    virtual QStringList faces() = 0;
};
