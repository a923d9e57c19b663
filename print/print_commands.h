// SPDX-License-Identifier: MIT
// The trial print and the batch print over the print list's state.
#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "book/address_book.h"
#include "platform/dialogs.h"
#include "print/postcard_layout.h"
#include "print/printer_device.h"

// One item of the print list as the widget holds it.
struct PrintListMark {
    int row = 0;
    bool ticked = false;
};

struct PrintListState {
    std::vector<PrintListMark> items;
    int highlighted = -1;  // index of the highlighted item, -1 for none
};

// Everything a card is printed with, as the window holds it at that moment.
struct CardPrintOptions {
    PrintSettings settings;
    SenderFields sender;
    bool withSender = true;
};
// Asked once per card, so that each card uses the settings of its moment.
using PrintOptionsReader = std::function<CardPrintOptions()>;

// Prints the highlighted card. Returns false (after its message) when no
// item is highlighted or the printer offers no postcards. Printer failures
// leave by AppError.
bool SamplePrint(const PrintListState& list, const AddressBook& book,
                 const PrintOptionsReader& options, PrinterDevice& device, Dialogs& dialogs);

// Prints every ticked card in list order and returns how many were printed:
// to a printer each card is its own job; to a PDF file all of them are pages
// of that one file. Nothing is printed, after a message, when nothing is
// ticked or the printer offers no postcards. A printer failure stops the batch
// at that card by AppError.
int PrintChecked(const PrintListState& list, const AddressBook& book,
                 const PrintOptionsReader& options, PrinterDevice& device, Dialogs& dialogs);

// The size factor from intYubinBai's text: a whole number kept within 1..10,
// anything else 1.
int YubinFactorFromText(const QString& text);
