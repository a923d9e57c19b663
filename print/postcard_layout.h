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

// One job of one page: sets the paper, draws the card, ends the job. Returns
// true; a printer failure leaves by AppError and prints nothing further. The
// row is not validated: empty cells print nothing.
bool PrintCard(const AddressBook& book, int row, bool withSender, const PrintSettings& settings,
               const SenderFields& sender, PrinterDevice& device);

// Draws the card on the current page of a job the caller has begun, on paper
// already set.
void DrawCard(const AddressBook& book, int row, bool withSender, const PrintSettings& settings,
              const SenderFields& sender, PrinterDevice& device);

// A print job that is ended on every path: by finish(), or aborted when the
// scope is left without it.
class PrintJob {
public:
    explicit PrintJob(PrinterDevice& device);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    void finish();

private:
    PrinterDevice& device_;
    bool open_ = true;
};

namespace postcard {

// Nearest integer of num / den, halves to the even neighbour.
long long RoundHalfEven(long long numerator, long long denominator);

// Card tenths of a millimetre to device dots, counted from the printable
// area's corner, which lies `offsetDots` from the paper's.
int MillimetreTenthsToDots(int tenths, int offsetDots, int dpi);

// Point size round(K / L) of a vertical block, and the record's lfHeight for it.
int VerticalPointSize(int k, int length);
int LfHeightForPoints(int points, int dpiY);

// The half-width spaces that make line 2 end level with line 1.
std::string Indent(const std::string& line1, const std::string& line2);

}  // namespace postcard
