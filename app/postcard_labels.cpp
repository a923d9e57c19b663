// SPDX-License-Identifier: MIT
#include "app/postcard_labels.h"

#include <QLabel>

#include "book/address_book.h"
#include "text/cp932.h"
#include "vertical/tpl_label.h"

void ShowCardText(QLabel* label, const std::string& cp932)
{
    label->setText(cp932::toUnicode(cp932));
}

void PostalDigitLabels::show(const std::string& code) const
{
    show(PostalDigits(code));
}

void PostalDigitLabels::show(const std::array<std::string, 7>& digits) const
{
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        ShowCardText(boxes[i], digits[i]);
    }
}

void SetFontFamily(QLabel* label, const QString& family)
{
    QFont font = label->font();
    font.setFamily(family);
    label->setFont(font);
}

void PostalDigitLabels::setFace(const QString& family) const
{
    for (QLabel* box : boxes) {
        SetFontFamily(box, family);
    }
}

void SenderLabels::show(const SenderFields& sender) const
{
    ShowCardText(address1, sender.address1);
    ShowCardText(address2, sender.address2);
    ShowCardText(name, sender.name);
    ShowCardText(name2, sender.jointName);
    postalCode.show(sender.postalCode);
}

void SenderLabels::setVisible(bool visible) const
{
    for (QLabel* label : {static_cast<QLabel*>(address1), static_cast<QLabel*>(address2),
                          static_cast<QLabel*>(name), static_cast<QLabel*>(name2)}) {
        label->setVisible(visible);
    }
    for (QLabel* box : postalCode.boxes) {
        box->setVisible(visible);
    }
}
