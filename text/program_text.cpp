// SPDX-License-Identifier: MIT
#include "text/program_text.h"

#include "text/cp932.h"

std::string cardText(const char* utf8)
{
    return cp932::fromUnicodeLossy(QString::fromUtf8(utf8));
}
