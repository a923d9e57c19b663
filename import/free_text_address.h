// SPDX-License-Identifier: MIT
// An address typed as free text, as phones and address books keep it when
// nobody filled its fields: "〒530-0041 大阪府大阪市北区…⏎梅田ビル5F⏎日本".
#pragma once

#include <QString>
#include <QStringList>

struct FreeTextAddress {
    QString postalCode;  // as written; empty when the text has none
    QString firstLine;
    QStringList otherLines;
};

// A "〒NNN-NNNN" or a leading seven-digit code becomes the postal code, a line
// that is only a country is dropped, the first line left is address line 1 and
// the rest address line 2.
FreeTextAddress ParseFreeTextAddress(const QString& text, const QString& country = {});

// Whether a line names the country the contact gives, or Japan.
bool IsCountryLine(const QString& line, const QString& country = {});
