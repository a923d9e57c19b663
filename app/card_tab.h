// SPDX-License-Identifier: MIT
// The first tab, カード編集: the card editor's fields and commands, the card
// preview on the postcard picture, the sender block and the hint lines.
#pragma once

#include <QObject>

#include <array>
#include <memory>
#include <string>

#include "app/postcard_labels.h"
#include "editor/card_editor.h"
#include "ui_CardTab.h"

class AddressBook;
class QLineEdit;
class Clock;
class CommandGuard;
class PostalLookup;
class UrlOpener;
class YubinForm;
class BookState;

class CardTab final : public QObject, public CardEditorView {
    Q_OBJECT
public:
    struct Services {
        Dialogs& dialogs;
        const Clock& clock;
        UrlOpener& urls;
        const CommandGuard& guard;
    };

    // Builds the tab's controls on `page`. `appVersion` is read when a link
    // that carries the version is clicked.
    CardTab(QWidget* page, AddressBook& book, BookState& state, const Services& services,
            const QString& appVersion);
    ~CardTab() override;

    Ui::CardTab& ui() { return ui_; }
    CardEditor& editor() { return editor_; }

    // Start-up: the two postal-code fields centre their text and take digits only.
    void makePostalCodeFields();
    // Start-up, after the window: the result dialog of the postal look-up, made
    // once, hidden, and reused for every search of `dictionaryPath`.
    void createPostalLookup(const std::string& dictionaryPath);
    YubinForm& yubinForm() { return *yubinForm_; }

    // The sender block as its fields hold it, for printing and the print preview.
    SenderFields sender() const;
    // このカードを差出人にする: the card being edited, as its fields hold it,
    // becomes the sender (honorifics aside); the card itself does not change.
    void acSenderFromCardExecute();

    // CardEditorView
    std::string field(CardField f) const override;
    void setField(CardField f, const std::string& text) override;
    std::string lotteryNumber() const override;
    void setLotteryNumber(const std::string& digits) override;
    int cardNumber() const override;
    void setCardNumber(int number) override;
    int cardNumberMaximum() const override;
    void setCardNumberMaximum(int maximum) override;
    void focusName() override;

signals:
    // A sender field changed; the print preview follows it.
    void senderChanged();

private:
    QLineEdit* edit(CardField f) const;
    void restrictFields();
    void connectEditor();
    void connectPreview();
    void connectLinks();

    // Change handlers of the card fields: they keep the preview in step.
    void txtNameChange();
    void txtRenmei1Change();
    void txtYuubinNoChange();
    void txtAddressChange();
    void txtAddress2Change();
    void txtMemoChange();
    // The sender's fields: each shows itself here, and the print preview follows.
    void txtSenderNameChange();
    void txtSenderRenmeiChange();
    void txtSenderYuubinNoChange();
    void txtSenderAddressChange();
    void txtSenderAddress2Change();
    void chkVisibleClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void lblnengaClick();

    Ui::CardTab ui_;
    CardEditor editor_;
    Services services_;
    const QString& appVersion_;
    // What a command last wrote into each field and into the lottery label: a
    // text the user left as it was gives back exactly these bytes, also where
    // they decode to no character or share a character with another code.
    std::array<std::string, kCardFieldCount> loaded_;
    std::string loadedLottery_;
    PostalDigitLabels postalCode_;
    SenderLabels sender_;
    YubinForm* yubinForm_ = nullptr;  // a child of the main window
    std::unique_ptr<PostalLookup> postal_;
};
