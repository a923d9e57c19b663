// SPDX-License-Identifier: MIT
#include "app/card_tab.h"

#include <QComboBox>
#include <QLineEdit>

#include "app/command_guard.h"
#include "app/input_rules.h"
#include "app/label_clicks.h"
#include "app/web_links.h"
#include "book/address_book.h"
#include "postal/postal_lookup.h"
#include "postal/yubin_form.h"
#include "text/cp932.h"

CardTab::CardTab(QWidget* page, AddressBook& book, BookState& state, const Services& services,
                 const QString& appVersion)
    : QObject(page),
      editor_(book, state, *this, services.dialogs, services.clock),
      services_(services),
      appVersion_(appVersion)
{
    ui_.setupUi(page);
    postalCode_.boxes = {ui_.lblYubin1, ui_.lblYubin2, ui_.lblYubin3, ui_.lblYubin4,
                         ui_.lblYubin5, ui_.lblYubin6, ui_.lblYubin7};
    sender_ = {ui_.lblfromadd1,
               ui_.lblfromadd2,
               ui_.lblFromName,
               ui_.lblFromName2,
               {{ui_.lblFYubin1, ui_.lblFyubin2, ui_.lblFYubin3, ui_.lblFyubin4, ui_.lblFYubin5,
                 ui_.lblFYubin6, ui_.lblFYubin7}}};
    restrictFields();
    connectEditor();
    connectPreview();
    connectLinks();
}

CardTab::~CardTab() = default;

void CardTab::restrictFields()
{
    for (QLineEdit* f :
         {ui_.txtName, ui_.txtRenmei1, ui_.txtMemo, ui_.txtSenderName, ui_.txtSenderRenmei}) {
        RestrictToCp932(f);
    }
    for (QLineEdit* f :
         {ui_.txtAddress, ui_.txtAddress2, ui_.txtSenderAddress, ui_.txtSenderAddress2}) {
        RestrictToCp932(f, 30);
    }
    for (QComboBox* c : {ui_.txtKeisho, ui_.txtRenKeisho1}) {
        RestrictToCp932(c->lineEdit());
    }
}

void CardTab::makePostalCodeFields()
{
    MakePostalCodeField(ui_.txtYuubinNo);
    MakePostalCodeField(ui_.txtSenderYuubinNo);
}

void CardTab::createPostalLookup(const std::string& dictionaryPath)
{
    yubinForm_ = new YubinForm(
        services_.dialogs, [this](const std::string& code) { setField(CardField::YuubinNo, code); },
        [this](const std::string& address) { setField(CardField::Address, address); },
        ui_.grpCardPage->window());
    postal_ = std::make_unique<PostalLookup>(dictionaryPath, services_.dialogs, *yubinForm_);
}

// The fields as the card editor's commands see them.

QLineEdit* CardTab::edit(CardField f) const
{
    switch (f) {
        case CardField::Name:
            return ui_.txtName;
        case CardField::Keisho:
            return ui_.txtKeisho->lineEdit();
        case CardField::Renmei:
            return ui_.txtRenmei1;
        case CardField::RenKeisho:
            return ui_.txtRenKeisho1->lineEdit();
        case CardField::YuubinNo:
            return ui_.txtYuubinNo;
        case CardField::Address:
            return ui_.txtAddress;
        case CardField::Address2:
            return ui_.txtAddress2;
        case CardField::Memo:
            return ui_.txtMemo;
    }
    return ui_.txtName;
}

std::string CardTab::field(CardField f) const
{
    return cp932::fromUnicodeKeeping(edit(f)->text(), loaded_[static_cast<std::size_t>(f)]);
}

void CardTab::setField(CardField f, const std::string& text)
{
    loaded_[static_cast<std::size_t>(f)] = text;
    // Like an edit control: only a text that differs runs the change handling.
    const QString value = cp932::toUnicode(text);
    QLineEdit* e = edit(f);
    if (e->text() != value) {
        e->setText(value);
    }
}

std::string CardTab::lotteryNumber() const
{
    return cp932::fromUnicodeKeeping(ui_.lblnenga->text(), loadedLottery_);
}

void CardTab::setLotteryNumber(const std::string& digits)
{
    loadedLottery_ = digits;
    ShowCardText(ui_.lblnenga, digits);
}

int CardTab::cardNumber() const
{
    return ui_.SpinCount->typedNumber();
}

void CardTab::setCardNumber(int number)
{
    ui_.SpinCount->setValue(number);
}

int CardTab::cardNumberMaximum() const
{
    return ui_.SpinCount->maximum();
}

void CardTab::setCardNumberMaximum(int maximum)
{
    ui_.SpinCount->setMaximum(maximum);
}

void CardTab::focusName()
{
    // On another tab the name field cannot take the focus now; it gets it
    // when the first tab is shown again.
    ui_.txtName->setFocus(Qt::OtherFocusReason);
}

SenderFields CardTab::sender() const
{
    SenderFields s;
    s.postalCode = cp932::fromUnicodeLossy(ui_.txtSenderYuubinNo->text());
    s.address1 = cp932::fromUnicodeLossy(ui_.txtSenderAddress->text());
    s.address2 = cp932::fromUnicodeLossy(ui_.txtSenderAddress2->text());
    s.name = cp932::fromUnicodeLossy(ui_.txtSenderName->text());
    s.jointName = cp932::fromUnicodeLossy(ui_.txtSenderRenmei->text());
    return s;
}

void CardTab::acSenderFromCardExecute()
{
    const std::pair<QLineEdit*, QLineEdit*> copies[] = {{ui_.txtName, ui_.txtSenderName},
                                                        {ui_.txtRenmei1, ui_.txtSenderRenmei},
                                                        {ui_.txtYuubinNo, ui_.txtSenderYuubinNo},
                                                        {ui_.txtAddress, ui_.txtSenderAddress},
                                                        {ui_.txtAddress2, ui_.txtSenderAddress2}};
    for (const auto& [from, to] : copies) {
        to->setText(from->text());
    }
}

// Commands.

void CardTab::connectEditor()
{
    const CommandGuard& guard = services_.guard;
    guard.on(ui_.btnSaveCard, &QPushButton::clicked, this, [this] { editor_.btnSaveCardClick(); });
    guard.on(ui_.btnNewcard, &QPushButton::clicked, this, [this] { editor_.btnNewcardClick(); });
    guard.on(ui_.btnMove, &QPushButton::clicked, this, [this] { editor_.btnMoveClick(); });
    guard.on(ui_.btnPrev, &QPushButton::clicked, this, [this] { editor_.btnPrevClick(); });
    guard.on(ui_.btnNext, &QPushButton::clicked, this, [this] { editor_.btnNextClick(); });
    guard.on(ui_.btnDelCard, &QPushButton::clicked, this, [this] { editor_.btnDelCardClick(); });
    guard.on(ui_.SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    guard.on(ui_.SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
}

void CardTab::SpeedButton1Click()
{
    postal_->searchByPostalCode(field(CardField::YuubinNo));
}

void CardTab::SpeedButton2Click()
{
    postal_->searchByAddress(field(CardField::Address));
}

// The card preview follows the fields.

void CardTab::connectPreview()
{
    const CommandGuard& guard = services_.guard;
    auto onText = [&](QLineEdit* field, void (CardTab::*handler)()) {
        guard.on(field, &QLineEdit::textChanged, this, [this, handler] { (this->*handler)(); });
    };
    auto onChoice = [&](QComboBox* field, void (CardTab::*handler)()) {
        guard.on(field, &QComboBox::currentTextChanged, this,
                 [this, handler] { (this->*handler)(); });
    };
    onText(ui_.txtName, &CardTab::txtNameChange);
    onChoice(ui_.txtKeisho, &CardTab::txtNameChange);
    onText(ui_.txtRenmei1, &CardTab::txtRenmei1Change);
    onChoice(ui_.txtRenKeisho1, &CardTab::txtRenmei1Change);
    onText(ui_.txtYuubinNo, &CardTab::txtYuubinNoChange);
    onText(ui_.txtAddress, &CardTab::txtAddressChange);
    onText(ui_.txtAddress2, &CardTab::txtAddress2Change);
    onText(ui_.txtMemo, &CardTab::txtMemoChange);

    onText(ui_.txtSenderName, &CardTab::txtSenderNameChange);
    onText(ui_.txtSenderRenmei, &CardTab::txtSenderRenmeiChange);
    onText(ui_.txtSenderYuubinNo, &CardTab::txtSenderYuubinNoChange);
    onText(ui_.txtSenderAddress, &CardTab::txtSenderAddressChange);
    onText(ui_.txtSenderAddress2, &CardTab::txtSenderAddress2Change);
    guard.on(ui_.chkVisible, &QCheckBox::toggled, this, [this] { chkVisibleClick(); });
}

void CardTab::txtNameChange()
{
    ShowCardText(ui_.lblName, NameWithHonorific(field(CardField::Name), field(CardField::Keisho),
                                                EmptyName::ShowsNothing));
    editor_.cardFieldChanged();
}

void CardTab::txtRenmei1Change()
{
    ShowCardText(ui_.lblName2,
                 NameWithHonorific(field(CardField::Renmei), field(CardField::RenKeisho),
                                   EmptyName::ShowsNothing));
    editor_.cardFieldChanged();
}

void CardTab::txtYuubinNoChange()
{
    postalCode_.show(field(CardField::YuubinNo));
    editor_.cardFieldChanged();
}

void CardTab::txtAddressChange()
{
    ui_.lblAdd1->setText(ui_.txtAddress->text());
    editor_.cardFieldChanged();
}

void CardTab::txtAddress2Change()
{
    ui_.lblAdd2->setText(ui_.txtAddress2->text());
    editor_.cardFieldChanged();
}

void CardTab::txtMemoChange()
{
    editor_.cardFieldChanged();  // the memo is never shown on the card
}

// The sender is no card field: its edits never mark the card as changed.

void CardTab::txtSenderNameChange()
{
    ui_.lblFromName->setText(ui_.txtSenderName->text());
    emit senderChanged();
}

void CardTab::txtSenderRenmeiChange()
{
    ui_.lblFromName2->setText(ui_.txtSenderRenmei->text());
    emit senderChanged();
}

void CardTab::txtSenderYuubinNoChange()
{
    sender_.postalCode.show(cp932::fromUnicodeLossy(ui_.txtSenderYuubinNo->text()));
    emit senderChanged();
}

void CardTab::txtSenderAddressChange()
{
    ui_.lblfromadd1->setText(ui_.txtSenderAddress->text());
    emit senderChanged();
}

void CardTab::txtSenderAddress2Change()
{
    ui_.lblfromadd2->setText(ui_.txtSenderAddress2->text());
    emit senderChanged();
}

void CardTab::chkVisibleClick()
{
    sender_.setVisible(ui_.chkVisible->isChecked());
}

// The hint lines and the lottery number open web pages.

void CardTab::connectLinks()
{
    auto opens = [this](WebPage page) {
        return [this, page] {
            services_.guard.run([this, page] { OpenWebPage(page, appVersion_, services_.urls); });
        };
    };
    using Hover = LabelClicks::Hover;
    new LabelClicks(ui_.Label21, Hover::BlueUnderPointer, opens(WebPage::LotteryFeature));
    new LabelClicks(ui_.Label22, Hover::BlueUnderPointer, opens(WebPage::MaterialSite));
    new LabelClicks(ui_.Label23, Hover::BlueUnderPointer, opens(WebPage::ComposingSite));
    new LabelClicks(ui_.Label17, Hover::BlueUnderPointer, opens(WebPage::LinkPage));
    new LabelClicks(ui_.lblnenga, Hover::None,
                    [this] { services_.guard.run([this] { lblnengaClick(); }); });
}

void CardTab::lblnengaClick()
{
    OpenLotteryCheck(ui_.lblnenga->text(), appVersion_, services_.clock, services_.urls);
}
