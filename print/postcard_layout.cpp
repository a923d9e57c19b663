// SPDX-License-Identifier: MIT
#include "print/postcard_layout.h"

#include <algorithm>
#include <array>

#include "text/cp932.h"

namespace postcard {

long long RoundHalfEven(long long numerator, long long denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) {  // floor division, so the remainder lies in [0, den)
        --quotient;
        remainder += denominator;
    }
    const long long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

int MillimetreTenthsToDots(int tenths, int offsetDots, int dpi)
{
    // mm * dpi / 25.4, kept in integers so that halves are exact; the offset
    // is taken as it is, not rounded to whole millimetres first, which moved
    // everything up to half a millimetre.
    return static_cast<int>(RoundHalfEven(static_cast<long long>(tenths) * dpi, 254)) - offsetDots;
}

int VerticalPointSize(int k, int length)
{
    return static_cast<int>(RoundHalfEven(k, std::max(length, 1)));
}

int LfHeightForPoints(int points, int dpiY)
{
    return static_cast<int>(RoundHalfEven(-static_cast<long long>(points) * 10 * dpiY, 720));
}

std::string Indent(const std::string& line1, const std::string& line2)
{
    if (line1.size() <= line2.size()) {
        return {};
    }
    return std::string(line1.size() - line2.size(), ' ');
}

}  // namespace postcard

namespace {

using postcard::MillimetreTenthsToDots;

// Card positions in tenths of a millimetre. The addressee's digits keep the
// 7 mm pitch of Japan Post's boxes; at 79 mm digit 6 crossed the left line of
// its box (79.5 mm).
constexpr std::array<int, 7> AddresseeDigitX{450, 520, 590, 660, 730, 800, 870};
constexpr int AddresseeDigitY = 125;
constexpr std::array<int, 7> SenderDigitX{55, 95, 135, 185, 225, 265, 305};
constexpr int SenderDigitY = 1230;

constexpr int DigitLimitDots = 38;
constexpr int SenderDigitLimitDots = 30;
constexpr int LargestDigitPoints = 19;

constexpr int SenderK = 226;
constexpr int AddressK = 360;
constexpr int NameK = 360;
constexpr std::size_t MinAddressLength = 20;
constexpr std::size_t MinNameLength = 10;

class Card {
public:
    Card(PrinterDevice& device, const PrintSettings& settings)
        : device_(device),
          settings_(settings),
          offX_(device.physicalOffsetX()),
          offY_(device.physicalOffsetY())
    {
    }

    int x(int tenths) const { return MillimetreTenthsToDots(tenths, offX_, device_.dpiX()); }
    int y(int tenths) const { return MillimetreTenthsToDots(tenths, offY_, device_.dpiY()); }

    // Largest size from 19 pt down whose "4" fits the limit; 1 pt ends the
    // search even if it does not fit. Returns the width at that size.
    int fitDigits(int limitDots)
    {
        int width = 0;
        for (int size = LargestDigitPoints; size >= 1; --size) {
            device_.setDigitFont(settings_.digitFace, size);
            width = device_.textWidth("4");
            if (width <= limitDots) {
                break;
            }
        }
        return width;
    }

    void drawDigits(const std::string& code, const std::array<int, 7>& xs, int yTenths)
    {
        for (std::size_t i = 0; i < xs.size() && i < code.size(); ++i) {
            device_.drawText(x(xs[i]), y(yTenths), code.substr(i, 1));
        }
    }

    void useVerticalFont(int k, std::size_t length)
    {
        LogFontRecord font;
        const int points = postcard::VerticalPointSize(k, static_cast<int>(length));
        font.lfHeight = postcard::LfHeightForPoints(points, device_.dpiY());
        font.lfEscapement = 2700;
        font.lfWeight = 400;
        font.lfCharSet = 1;
        font.lfFaceName = cp932::truncateBytes(settings_.verticalFace, vertical::kFaceNameBytes);
        device_.setVerticalFont(font);
    }

    // An empty cell prints nothing at its place.
    void drawColumn(int xTenths, int yTenths, const std::string& text)
    {
        if (!text.empty()) {
            device_.drawText(x(xTenths), y(yTenths), text);
        }
    }

private:
    PrinterDevice& device_;
    const PrintSettings& settings_;
    int offX_;  // dots
    int offY_;
};

std::size_t LongerOf(const std::string& a, const std::string& b)
{
    return std::max(a.size(), b.size());
}

void PrintSender(Card& card, PrinterDevice& device, int digitWidth, const SenderFields& sender)
{
    if (digitWidth > SenderDigitLimitDots) {
        card.fitDigits(SenderDigitLimitDots);
    }
    card.drawDigits(sender.postalCode, SenderDigitX, SenderDigitY);

    card.useVerticalFont(SenderK,
                         std::max(MinAddressLength, LongerOf(sender.address1, sender.address2)));
    device.setBrushClear();
    const std::string indent = postcard::Indent(sender.address1, sender.address2);
    card.drawColumn(300, 650, sender.address1);
    if (!sender.address2.empty()) {
        card.drawColumn(250, 650, indent + sender.address2);
    }
    card.drawColumn(150, 750, sender.name);
    if (!sender.jointName.empty()) {
        card.drawColumn(100, 750, sender.jointName);
    }
}

}  // namespace

PrintJob::PrintJob(PrinterDevice& device) : device_(device)
{
    device_.beginDocument();
}

PrintJob::~PrintJob()
{
    if (open_) {
        device_.abortDocument();
    }
}

void PrintJob::finish()
{
    open_ = false;
    device_.endDocument();
}

bool PrintCard(const AddressBook& book, int row, bool withSender, const PrintSettings& settings,
               const SenderFields& sender, PrinterDevice& device)
{
    device.setPostcardPaper();
    PrintJob job(device);
    DrawCard(book, row, withSender, settings, sender, device);
    job.finish();
    return true;
}

void DrawCard(const AddressBook& book, int row, bool withSender, const PrintSettings& settings,
              const SenderFields& sender, PrinterDevice& device)
{
    Card card(device, settings);
    device.setDigitFontPixelsPerInch(device.dpiY());
    const int digitWidth = card.fitDigits(DigitLimitDots);
    device.setDigitFont(settings.digitFace,
                        device.digitFontPointSize() * std::max(settings.factor, 1));
    card.drawDigits(book.cell(ColPostalCode, row), AddresseeDigitX, AddresseeDigitY);

    if (withSender) {
        PrintSender(card, device, digitWidth, sender);
    }

    const std::string& address1 = book.cell(ColAddress1, row);
    const std::string& address2 = book.cell(ColAddress2, row);
    card.useVerticalFont(AddressK, std::max(MinAddressLength, LongerOf(address1, address2)));
    device.setBrushClear();
    card.drawColumn(900, 250, address1);
    // Without a line 2 its indent alone would print nothing.
    if (!address2.empty()) {
        card.drawColumn(800, 250, postcard::Indent(address1, address2) + address2);
    }

    const std::string& names = book.cell(ColName, row);
    card.useVerticalFont(NameK, std::max(MinNameLength, names.size()));
    const SplitNames split = SplitJoint(names, book.cell(ColHonorific, row));
    const std::string name =
        NameWithHonorific(split.name, split.honorific, EmptyName::KeepsHonorific);
    if (!split.hasJoint) {
        card.drawColumn(550, 350, name);
    } else {
        card.drawColumn(600, 350, name);
        card.drawColumn(
            500, 350,
            NameWithHonorific(split.jointName, split.jointHonorific, EmptyName::KeepsHonorific));
    }
}
