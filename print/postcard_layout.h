// SPDX-License-Identifier: MIT
// One address-book row printed as one postcard: one job, one page.
#pragma once

#include <string>

#include "book/address_book.h"
#include "print/printer_device.h"

struct PrintSettings {
    std::string digitFace;     // PrintFontNo, code page 932
    std::string verticalFace;  // PrintFont, code page 932, "@" and all
    int factor = 1;            // intYubinBai: size factor of the addressee's digits
};

// The sender block as its edit fields hold it, code page 932.
struct SenderFields {
    std::string postalCode;
    std::string address1;
    std::string address2;
    std::string name;
    std::string jointName;
};

// Returns true; a printer failure leaves by AppError and prints nothing
// further. The row is not validated: empty cells print nothing.
bool PrintCard(const AddressBook& book, int row, bool withSender, const PrintSettings& settings,
               const SenderFields& sender, PrinterDevice& device);

namespace postcard {

// Nearest integer of num / den, halves to the even neighbour.
long long RoundHalfEven(long long numerator, long long denominator);

// Card tenths of a millimetre to device dots, corrected by a whole-millimetre offset.
int MillimetreTenthsToDots(int tenths, int offsetMm, int dpi);

// A physical offset in dots to whole millimetres.
int OffsetToMillimetres(int offsetDots, int dpi);

// Point size round(K / L) of a vertical block, and the record's lfHeight for it.
int VerticalPointSize(int k, int length);
int LfHeightForPoints(int points, int dpiY);

// The half-width spaces that make line 2 end level with line 1.
std::string Indent(const std::string& line1, const std::string& line2);

}  // namespace postcard
