// The card editor's fields as the commands see them, and the change handlers
// that keep the card preview in step with the fields.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/frm_main.h"
#include "app/input_rules.h"
#include "app/print_controller.h"
#include "editor/card_preview.h"
#include "text/cp932.h"
#include "ui_frmMain.h"
#include "vertical/tpl_label.h"

namespace {

QString shown(const std::string& bytes) { return cp932::toUnicode(bytes); }

}  // namespace

// A label set to the text it already shows does not repaint, so the handlers
// below set every label and only the changed ones cost a paint.

std::string frmMain::field(CardField f) const
{
    switch (f) {
        case CardField::Name: return cp932::fromUnicodeLossy(ui_->txtName->text());
        case CardField::Keisho: return cp932::fromUnicodeLossy(ui_->txtKeisho->currentText());
        case CardField::Renmei: return cp932::fromUnicodeLossy(ui_->txtRenmei1->text());
        case CardField::RenKeisho:
            return cp932::fromUnicodeLossy(ui_->txtRenKeisho1->currentText());
        case CardField::YuubinNo: return cp932::fromUnicodeLossy(ui_->txtYuubinNo->text());
        case CardField::Address: return cp932::fromUnicodeLossy(ui_->txtAddress->text());
        case CardField::Address2: return cp932::fromUnicodeLossy(ui_->txtAddress2->text());
        case CardField::Memo: return cp932::fromUnicodeLossy(ui_->txtMemo->text());
    }
    return {};
}

void frmMain::setField(CardField f, const std::string& text)
{
    const QString value = shown(text);
    auto setLine = [&](QLineEdit* e) {
        if (e->text() != value) {
            e->setText(value);
        }
    };
    auto setCombo = [&](QComboBox* c) {
        if (c->currentText() != value) {
            c->setEditText(value);
        }
    };
    switch (f) {
        case CardField::Name: setLine(ui_->txtName); break;
        case CardField::Keisho: setCombo(ui_->txtKeisho); break;
        case CardField::Renmei: setLine(ui_->txtRenmei1); break;
        case CardField::RenKeisho: setCombo(ui_->txtRenKeisho1); break;
        case CardField::YuubinNo: setLine(ui_->txtYuubinNo); break;
        case CardField::Address: setLine(ui_->txtAddress); break;
        case CardField::Address2: setLine(ui_->txtAddress2); break;
        case CardField::Memo: setLine(ui_->txtMemo); break;
    }
}

std::string frmMain::lotteryNumber() const
{
    return cp932::fromUnicodeLossy(ui_->lblnenga->text());
}

void frmMain::setLotteryNumber(const std::string& digits)
{
    ui_->lblnenga->setText(shown(digits));
}

int frmMain::cardNumber() const
{
    return ui_->SpinCount->typedNumber();
}

void frmMain::setCardNumber(int number)
{
    ui_->SpinCount->setValue(number);
}

int frmMain::cardNumberMaximum() const
{
    return ui_->SpinCount->maximum();
}

void frmMain::setCardNumberMaximum(int maximum)
{
    ui_->SpinCount->setMaximum(maximum);
}

void frmMain::focusName()
{
    // On another tab the name field cannot take the focus now; it gets it
    // when the first tab is shown again.
    ui_->txtName->setFocus(Qt::OtherFocusReason);
}

void frmMain::txtNameChange()
{
    ui_->lblName->setText(shown(ComposeNameLabel(field(CardField::Name),
                                                          field(CardField::Keisho))));
    editor_->cardFieldChanged();
}

void frmMain::txtRenmei1Change()
{
    ui_->lblName2->setText(shown(ComposeNameLabel(field(CardField::Renmei),
                                                           field(CardField::RenKeisho))));
    editor_->cardFieldChanged();
}

void frmMain::txtYuubinNoChange()
{
    const auto digits = PostalDigits(field(CardField::YuubinNo));
    QLabel* boxes[] = {ui_->lblYubin1, ui_->lblYubin2, ui_->lblYubin3, ui_->lblYubin4,
                       ui_->lblYubin5, ui_->lblYubin6, ui_->lblYubin7};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        boxes[i]->setText(shown(digits[i]));
    }
    editor_->cardFieldChanged();
}

void frmMain::txtSenderYuubinNoChange()
{
    const auto digits = PostalDigits(cp932::fromUnicodeLossy(ui_->txtSenderYuubinNo->text()));
    QLabel* card[] = {ui_->lblFYubin1, ui_->lblFyubin2, ui_->lblFYubin3, ui_->lblFyubin4,
                      ui_->lblFYubin5, ui_->lblFYubin6, ui_->lblFYubin7};
    QLabel* print[] = {ui_->PrintFYubin1, ui_->PrintFYubin2, ui_->PrintFYubin3,
                       ui_->PrintFYubin4, ui_->PrintFYubin5, ui_->PrintFYubin6,
                       ui_->PrintFYubin7};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        card[i]->setText(shown(digits[i]));
        print[i]->setText(shown(digits[i]));
    }
}

void frmMain::chkVisibleClick()
{
    const bool visible = ui_->chkVisible->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui_->lblfromadd1, ui_->lblfromadd2, ui_->lblFromName, ui_->lblFromName2,
             ui_->lblFYubin1, ui_->lblFyubin2, ui_->lblFYubin3, ui_->lblFyubin4, ui_->lblFYubin5,
             ui_->lblFYubin6, ui_->lblFYubin7}) {
        w->setVisible(visible);
    }
}

void frmMain::connectPreview()
{
    on(ui_->txtName, &QLineEdit::textChanged, [this] { txtNameChange(); });
    on(ui_->txtKeisho, &QComboBox::currentTextChanged, [this] { txtNameChange(); });
    on(ui_->txtRenmei1, &QLineEdit::textChanged, [this] { txtRenmei1Change(); });
    on(ui_->txtRenKeisho1, &QComboBox::currentTextChanged, [this] { txtRenmei1Change(); });
    on(ui_->txtYuubinNo, &QLineEdit::textChanged, [this] { txtYuubinNoChange(); });
    on(ui_->txtAddress, &QLineEdit::textChanged, [this] {
        ui_->lblAdd1->setText(ui_->txtAddress->text());
        editor_->cardFieldChanged();
    });
    on(ui_->txtAddress2, &QLineEdit::textChanged, [this] {
        ui_->lblAdd2->setText(ui_->txtAddress2->text());
        editor_->cardFieldChanged();
    });
    on(ui_->txtMemo, &QLineEdit::textChanged, [this] { editor_->cardFieldChanged(); });

    // The sender is no card field: its edits never mark the card as changed.
    on(ui_->txtSenderName, &QLineEdit::textChanged, [this] {
        ui_->lblFromName->setText(ui_->txtSenderName->text());
        ui_->lblPFromName->setText(ui_->txtSenderName->text());
    });
    on(ui_->txtSenderRenmei, &QLineEdit::textChanged, [this] {
        ui_->lblFromName2->setText(ui_->txtSenderRenmei->text());
        ui_->lblPFromName2->setText(ui_->txtSenderRenmei->text());
    });
    on(ui_->txtSenderAddress, &QLineEdit::textChanged, [this] {
        ui_->lblfromadd1->setText(ui_->txtSenderAddress->text());
        ui_->lblPFromAddress->setText(ui_->txtSenderAddress->text());
    });
    on(ui_->txtSenderAddress2, &QLineEdit::textChanged, [this] {
        ui_->lblfromadd2->setText(ui_->txtSenderAddress2->text());
        ui_->lblPFromAddress2->setText(ui_->txtSenderAddress2->text());
    });
    on(ui_->txtSenderYuubinNo, &QLineEdit::textChanged, [this] { txtSenderYuubinNoChange(); });
    on(ui_->chkVisible, &QCheckBox::toggled, [this] { chkVisibleClick(); });
}
