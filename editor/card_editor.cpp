// SPDX-License-Identifier: MIT
#include "editor/card_editor.h"

#include "book/random_digits.h"
#include "platform/dialogs.h"
#include "text/cp932.h"
#include "text/program_text.h"

CardEditor::CardEditor(AddressBook& book, BookState& state, CardEditorView& view, Dialogs& dialogs,
                       const Clock& clock)
    : book_(book), state_(state), view_(view), dialogs_(dialogs), clock_(clock)
{
}

CardEditor::StoreAnswer CardEditor::askToStore()
{
    if (!state_.cardChanged()) {
        return StoreAnswer::NotAsked;
    }
    if (!dialogs_.ask(uiText(editor_texts::kStoreQuestion))) {
        return StoreAnswer::No;
    }
    SaveCard(editing_);
    return StoreAnswer::Yes;
}

BookRow CardEditor::cardAsRow() const
{
    BookRow row;
    const JointCells joint =
        JoinJoint(view_.field(CardField::Name), view_.field(CardField::Keisho),
                  view_.field(CardField::Renmei), view_.field(CardField::RenKeisho));
    row[ColName] = joint.names;
    row[ColPostalCode] = view_.field(CardField::YuubinNo);
    row[ColHonorific] = joint.honorifics;
    row[ColAddress1] = view_.field(CardField::Address);
    row[ColAddress2] = view_.field(CardField::Address2);
    row[ColMemo] = view_.field(CardField::Memo);
    row[ColLottery] = view_.lotteryNumber();
    return row;
}

void CardEditor::SaveCard(int card)
{
    BookRow row = cardAsRow();
    for (int c = ColName; c < ColumnCount; ++c) {
        book_.setCell(c, card, std::move(row[static_cast<std::size_t>(c)]));
    }
    book_.renumberCards();
    state_.cardStored();
}

bool CardEditor::LoadCard(int row)
{
    askToStore();  // on No the edits are dropped only if a card is loaded
    if (row < 1 || row > book_.cardCount()) {
        return false;
    }
    const SplitNames names = SplitJoint(book_.cell(ColName, row), book_.cell(ColHonorific, row));
    view_.setField(CardField::Name, names.name);
    view_.setField(CardField::Keisho, names.honorific);
    view_.setField(CardField::Renmei, names.jointName);
    view_.setField(CardField::RenKeisho, names.hasJoint
                                             ? names.jointHonorific
                                             : cardText(editor_texts::kDefaultHonorific));
    view_.setField(CardField::YuubinNo, book_.cell(ColPostalCode, row));
    view_.setField(CardField::Address, book_.cell(ColAddress1, row));
    view_.setField(CardField::Address2, book_.cell(ColAddress2, row));
    view_.setField(CardField::Memo, book_.cell(ColMemo, row));
    view_.setLotteryNumber(book_.cell(ColLottery, row));
    view_.setCardNumber(row);
    editing_ = row;
    state_.cardSettled();
    view_.focusName();
    return true;
}

void CardEditor::btnNewcardClick()
{
    if (askToStore() == StoreAnswer::No) {
        return;
    }
    if (view_.field(CardField::Name).empty() || view_.field(CardField::YuubinNo).empty() ||
        view_.field(CardField::Address).empty()) {
        dialogs_.notify(uiText(editor_texts::kRequiredMissing));
        return;
    }
    state_.cardSettled();
    const int m = view_.cardNumberMaximum() + 1;
    book_.setRowCount(book_.rowCount() + 1);
    view_.setCardNumberMaximum(m);
    view_.setCardNumber(m);
    editing_ = m;
    for (CardField f : {CardField::Name, CardField::YuubinNo, CardField::Address,
                        CardField::Address2, CardField::Memo, CardField::Renmei}) {
        view_.setField(f, "");
    }
    view_.setLotteryNumber(RandomDigits(6, clock_));
    view_.focusName();
}

void CardEditor::btnMoveClick()
{
    if (view_.cardNumber() > view_.cardNumberMaximum()) {
        dialogs_.notify(uiText(editor_texts::kNumberTooLarge));
        view_.setCardNumber(view_.cardNumberMaximum());
    }
    LoadCard(view_.cardNumber());
}

int CardEditor::DeleteCard(int number)
{
    const int count = book_.cardCount();
    // A number typed into the box and never clamped must not delete anything.
    if (number < 1 || number > count) {
        return 0;
    }
    if (number == 1 && count == 1) {
        dialogs_.notify(uiText(editor_texts::kFirstCardKept));
        return 0;
    }
    const QString question = uiText(editor_texts::kDeletePrefix) + QString::number(number) +
                             uiText(editor_texts::kDeleteSuffix);
    if (!dialogs_.ask(question)) {
        return 0;
    }
    for (int column = ColName; column < ColumnCount; ++column) {
        for (int r = number; r <= count; ++r) {
            book_.setCell(column, r, book_.cell(column, r + 1));
        }
    }
    book_.setRowCount(book_.rowCount() - 1);
    view_.setCardNumberMaximum(book_.cardCount());
    book_.renumberCards();
    state_.cardSettled();
    return number > 1 ? number - 1 : 1;
}

void CardEditor::clearForNewBook()
{
    for (CardField f : {CardField::Name, CardField::Address, CardField::Address2, CardField::Memo,
                        CardField::YuubinNo}) {
        view_.setField(f, "");
    }
    state_.cardSettled();
}

void CardEditor::settleEditsBeforeLoad()
{
    askToStore();
    state_.cardSettled();
}
