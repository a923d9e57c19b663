// SPDX-License-Identifier: MIT
#include "print/print_preview.h"

std::optional<PrintPreviewTexts> ShowPrintPreview(const AddressBook& book, int row)
{
    if (row > book.rowCount()) {
        return std::nullopt;
    }
    PrintPreviewTexts texts;
    const SplitNames split = SplitJoint(book.cell(ColName, row), book.cell(ColHonorific, row));
    texts.name = NameWithHonorific(split.name, split.honorific, EmptyName::KeepsHonorific);
    if (split.hasJoint) {
        texts.name2 =
            NameWithHonorific(split.jointName, split.jointHonorific, EmptyName::KeepsHonorific);
    }
    texts.address1 = book.cell(ColAddress1, row);
    texts.address2 = book.cell(ColAddress2, row);
    texts.postalDigits = PostalDigits(book.cell(ColPostalCode, row));
    texts.lottery = book.cell(ColLottery, row);
    return texts;
}
