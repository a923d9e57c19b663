// SPDX-License-Identifier: MIT
#include "tests/support/fakes.h"

#include "text/cp932.h"

std::string sj(const char* utf8Text)
{
    std::string out;
    cp932::fromUnicode(QString::fromUtf8(utf8Text), out);
    return out;
}

std::string utf8(const std::string& cp932Bytes)
{
    return cp932::toUnicode(cp932Bytes).toStdString();
}
