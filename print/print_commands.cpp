// SPDX-License-Identifier: MIT
#include "print/print_commands.h"

#include <algorithm>

#include "print/print_texts.h"
#include "text/program_text.h"

namespace {

constexpr int MinFactor = 1;
constexpr int MaxFactor = 10;

void PrintRow(const AddressBook& book, int row, const PrintOptionsReader& options,
              PrinterDevice& device)
{
    const CardPrintOptions current = options();
    PrintCard(book, row, current.withSender, current.settings, current.sender, device);
}

// A printer without postcard paper would take the job and CUPS cancel it
// without a word: it is told before anything is sent.
bool TakesPostcards(PrinterDevice& device, Dialogs& dialogs)
{
    device.setPostcardPaper();
    if (device.takesPostcards()) {
        return true;
    }
    dialogs.notify(uiText(print_texts::NoPostcardPaper).arg(device.printerName()));
    return false;
}

// All the cards as the pages of one document: a PDF file of one print.
int PrintIntoOneDocument(const std::vector<int>& rows, const AddressBook& book,
                         const PrintOptionsReader& options, PrinterDevice& device)
{
    PrintJob job(device);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) {
            device.newPage();
        }
        const CardPrintOptions current = options();
        DrawCard(book, rows[i], current.withSender, current.settings, current.sender, device);
    }
    job.finish();
    return static_cast<int>(rows.size());
}

}  // namespace

bool SamplePrint(const PrintListState& list, const AddressBook& book,
                 const PrintOptionsReader& options, PrinterDevice& device, Dialogs& dialogs)
{
    const int index = list.highlighted;
    if (index < 0 || index >= static_cast<int>(list.items.size())) {
        dialogs.notify(uiText(print_texts::SelectSampleCard));
        return false;
    }
    if (!TakesPostcards(device, dialogs)) {
        return false;
    }
    PrintRow(book, list.items[static_cast<std::size_t>(index)].row, options, device);
    return true;
}

int PrintChecked(const PrintListState& list, const AddressBook& book,
                 const PrintOptionsReader& options, PrinterDevice& device, Dialogs& dialogs)
{
    std::vector<int> rows;
    for (const PrintListMark& item : list.items) {
        if (item.ticked) {
            rows.push_back(item.row);
        }
    }
    if (rows.empty()) {
        dialogs.notify(uiText(print_texts::TickCardsToPrint));
        return 0;
    }
    if (!TakesPostcards(device, dialogs)) {
        return 0;
    }
    if (!device.outputFile().isEmpty()) {
        return PrintIntoOneDocument(rows, book, options, device);
    }
    for (int row : rows) {
        PrintRow(book, row, options, device);
    }
    return static_cast<int>(rows.size());
}

int YubinFactorFromText(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
        return MinFactor;
    }
    return std::clamp(value, MinFactor, MaxFactor);
}
