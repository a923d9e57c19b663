// SPDX-License-Identifier: MIT
// Input rules of the edit fields that a validator alone cannot express.
#pragma once

#include <QObject>
#include <QSpinBox>
#include <QString>

#include <optional>

class QLineEdit;

// What a field asks of the input method when it gets the focus.
enum class InputMode { Japanese, Direct };
std::optional<InputMode> InputModeOf(const QObject* field);

// Half-width digits (and the `extra` characters) only, from the keyboard and
// from input-method commits alike: full-width forms become half-width, any
// other character is refused with a beep and the text stays as it was.
// Pasted text and text set by the program pass unfiltered, like a Windows
// number edit.
class DigitsOnlyInput final : public QObject {
    Q_OBJECT
public:
    explicit DigitsOnlyInput(QObject* parent, QString extra = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The text as half-width digits and extras, or nothing if it holds another character.
    std::optional<QString> accepted(const QString& text) const;

    QString extra_;
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
// the input method (fcitx, ibus) and any length of text; a commit longer than
// the limit keeps what fits.
void RestrictToCp932(QLineEdit* field, int byteLimit = -1);
// Half-width digits only from keys and the input method, which is off.
void MakeDigitsField(QWidget* field);
// The postal-code fields: a digits field of at most 7 characters, centred.
void MakePostalCodeField(QLineEdit* field);
