// SPDX-License-Identifier: MIT
// Input rules of the edit fields that a validator alone cannot express.
#pragma once

#include <QObject>
#include <QSpinBox>

class QLineEdit;

// Lets the keyboard enter digits only; pasted text and text set by the program
// pass unfiltered, like a Windows number edit.
class DigitsOnlyKeys final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The card number box: up to three typed characters (digits, "+", "-", "."),
// clamped only when the focus leaves; Enter and other keys are refused with a beep.
// No input method.
class CardNumberBox final : public QSpinBox {
    Q_OBJECT
public:
    static constexpr int kMaxTyped = 3;
    explicit CardNumberBox(QWidget* parent = nullptr);

    // The number as it stands in the box, unclamped; text that is no whole number reads as 1.
    int typedNumber() const;

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void keyPressEvent(QKeyEvent* event) override;
};

// Puts a code page 932 validator on a line edit, with a byte limit or none,
// and shows its refusal next to the field. The field takes Japanese through
// the input method (fcitx, ibus) and any length of text.
void RestrictToCp932(QLineEdit* field, int byteLimit = -1);
// The postal-code fields: at most 7 characters, digits from the keyboard,
// centred, no input method.
void MakePostalCodeField(QLineEdit* field);
