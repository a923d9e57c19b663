// SPDX-License-Identifier: MIT
// The card editor's commands: store, load, new card, move and delete, over the
// editor's fields as an interface, so they run and are tested without widgets.
#pragma once

#include <cstddef>
#include <string>

#include "book/address_book.h"
#include "editor/book_state.h"

class Clock;
class Dialogs;

enum class CardField { Name, Keisho, Renmei, RenKeisho, YuubinNo, Address, Address2, Memo };
inline constexpr std::size_t kCardFieldCount = 8;

// What the commands need of the editor's controls. Setting a field to a
// different text runs its change handling, exactly as typing would.
class CardEditorView {
public:
    virtual ~CardEditorView() = default;
    virtual std::string field(CardField f) const = 0;
    virtual void setField(CardField f, const std::string& text) = 0;
    virtual std::string lotteryNumber() const = 0;
    virtual void setLotteryNumber(const std::string& digits) = 0;
    // The card number box: its number as typed, unclamped (text that is no
    // whole number reads as 1), and its range 1..maximum.
    virtual int cardNumber() const = 0;
    virtual void setCardNumber(int number) = 0;
    virtual int cardNumberMaximum() const = 0;
    virtual void setCardNumberMaximum(int maximum) = 0;
    virtual void focusName() = 0;
};

namespace editor_texts {
inline constexpr char kStoreQuestion[] = "カード内容に変更があります。\n\rカードを保存しますか？";
inline constexpr char kRequiredMissing[] = "カードに必要事項が登録されていないので追加できません。";
inline constexpr char kNumberTooLarge[] = "数字が大きい。";
inline constexpr char kFirstCardKept[] = "最初のカードは削除できません。";
inline constexpr char kDeletePrefix[] = "本当にカード番号:";
inline constexpr char kDeleteSuffix[] = "を削除しますか？";
inline constexpr char kDefaultHonorific[] = "様";
}  // namespace editor_texts

class CardEditor {
public:
    CardEditor(AddressBook& book, BookState& state, CardEditorView& view, Dialogs& dialogs,
               const Clock& clock);

    // E, the card being edited; stores always go there.
    int editing() const { return editing_; }
    void setEditing(int card) { editing_ = card; }

    // Any card field's text changed, by the user or by a command.
    void cardFieldChanged() { state_.cardEdited(); }

    void SaveCard(int card);
    // The card as the fields hold it, as SaveCard would store it; column 0 empty.
    BookRow cardAsRow() const;
    bool LoadCard(int row);
    // Removes card `number` after the confirmation; the card to show next, or 0.
    int DeleteCard(int number);

    void btnSaveCardClick() { SaveCard(editing_); }
    void btnNewcardClick();
    void btnMoveClick();
    void btnPrevClick() { LoadCard(view_.cardNumber() - 1); }
    void btnNextClick() { LoadCard(view_.cardNumber() + 1); }
    void btnDelCardClick() { LoadCard(DeleteCard(view_.cardNumber())); }

    // Empties the fields a new book starts without; not an edit.
    void clearForNewBook();

    // The store question of a load that is sure to follow a change of the
    // book: Yes stores the card being edited now, No drops the edits, so
    // that the load asks nothing.
    void settleEditsBeforeLoad();

private:
    // The store question, asked when the editor holds unstored edits; Yes stores.
    enum class StoreAnswer { NotAsked, Yes, No };
    StoreAnswer askToStore();

    AddressBook& book_;
    BookState& state_;
    CardEditorView& view_;
    Dialogs& dialogs_;
    const Clock& clock_;
    int editing_ = 1;
};
