// SPDX-License-Identifier: MIT
// The labels laid over one postcard picture. The card preview and the print
// preview show a card with the same kinds of labels, each in places of its own.
#pragma once

#include <QString>

#include <array>
#include <string>

#include "print/postcard_layout.h"  // SenderFields

class QLabel;
class TplLabel;

// Seven postal-code boxes: byte i of the code in box i, empty past its end.
struct PostalDigitLabels {
    std::array<QLabel*, 7> boxes{};

    void show(const std::string& code) const;
    void show(const std::array<std::string, 7>& digits) const;
    void setFace(const QString& family) const;
};

// The sender's block: two address columns, two name columns and the postal code.
struct SenderLabels {
    TplLabel* address1 = nullptr;
    TplLabel* address2 = nullptr;
    TplLabel* name = nullptr;
    TplLabel* name2 = nullptr;
    PostalDigitLabels postalCode;

    void show(const SenderFields& sender) const;
    // Only visibility changes: hidden labels keep following the sender.
    void setVisible(bool visible) const;
};

// A label set to the text it already shows does not repaint, so showing a
// whole block after one field changed costs one paint.
void ShowCardText(QLabel* label, const std::string& cp932);

// The preview follows the face chosen for printing.
void SetFontFamily(QLabel* label, const QString& family);
