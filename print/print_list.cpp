// SPDX-License-Identifier: MIT
#include "print/print_list.h"

#include <utility>

#include "print/print_texts.h"
#include "text/program_text.h"

bool RebuildPrintList(const AddressBook& book, Dialogs& dialogs, std::vector<PrintListItem>& items)
{
    if (book.cell(ColName, 1).empty()) {
        dialogs.notify(uiText(print_texts::NoListData));
        return false;
    }
    items.clear();
    for (int row = 1; row < book.rowCount(); ++row) {
        const std::string& name = book.cell(ColName, row);
        const std::string& address1 = book.cell(ColAddress1, row);
        if (!name.empty() && !book.cell(ColPostalCode, row).empty() && !address1.empty()) {
            std::string text = name;
            text += print_texts::ListItemSeparator;
            text += address1;
            items.push_back({row, std::move(text)});
        } else if (!book.cell(ColNumber, row).empty()) {
            dialogs.notify(QString::number(row) + uiText(print_texts::BadRowSuffix));
        }
    }
    return true;
}
