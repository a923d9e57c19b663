// SPDX-License-Identifier: MIT
#include "app/input_rules.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

#include <limits>

#include "text/cp932_validator.h"

namespace {

// Qt 6's line edit answers the input method's "enabled?" itself, whatever its
// Qt::WA_InputMethodEnabled says, and a spin box passes on its line edit's
// answer; so the answer is overruled here.
class InputMethodOff final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::InputMethodQuery) {
            return QObject::eventFilter(watched, event);
        }
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        watched->event(query);  // the field's own answers to everything else
        if (query->queries() & Qt::ImEnabled) {
            query->setValue(Qt::ImEnabled, false);
        }
        return true;
    }
};

// The input method on, with no hint that narrows what it offers; for the line
// edit of an editable combo box, on the box too.
void TakeInputMethodText(QLineEdit* field)
{
    QList<QWidget*> widgets{field};
    if (auto* combo = qobject_cast<QComboBox*>(field->parentWidget());
        combo != nullptr && combo->lineEdit() == field) {
        widgets << combo;
    }
    for (QWidget* w : widgets) {
        w->setAttribute(Qt::WA_InputMethodEnabled, true);
        w->setInputMethodHints(Qt::ImhNone);
    }
}

// The input method off, and `hints` telling which characters the field takes.
void RefuseInputMethod(QWidget* field, Qt::InputMethodHints hints)
{
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
    field->setInputMethodHints(hints);
    field->installEventFilter(new InputMethodOff(field));
}

}  // namespace

bool DigitsOnlyKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            return false;
        }
        const QString typed = key->text();
        const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
        if (printable && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            for (QChar c : typed) {
                if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                    QApplication::beep();
                    return true;
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

CardNumberBox::CardNumberBox(QWidget* parent) : QSpinBox(parent)
{
    RefuseInputMethod(this, Qt::ImhFormattedNumbersOnly);
    RefuseInputMethod(lineEdit(), Qt::ImhFormattedNumbersOnly);
    setRange(1, 1);
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int CardNumberBox::typedNumber() const
{
    bool ok = false;
    const int n = lineEdit()->text().trimmed().toInt(&ok);
    return ok ? n : 1;
}

QValidator::State CardNumberBox::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    for (QChar c : input) {
        if (!c.isDigit() && c != QLatin1Char('+') && c != QLatin1Char('-') &&
            c != QLatin1Char('.')) {
            return QValidator::Invalid;
        }
    }
    // A longer number set by the program (card 1000 and up) may be shortened.
    if (input.size() > kMaxTyped && input.size() >= lineEdit()->text().size() &&
        input != textFromValue(value())) {
        return QValidator::Invalid;
    }
    bool ok = false;
    const int n = input.toInt(&ok);
    return (ok && n >= minimum() && n <= maximum()) ? QValidator::Acceptable
                                                    : QValidator::Intermediate;
}

void CardNumberBox::fixup(QString& input) const
{
    bool ok = false;
    const int n = input.toInt(&ok);
    input = textFromValue(ok ? std::clamp(n, minimum(), maximum()) : minimum());
}

void CardNumberBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QApplication::beep();
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint()) {
        QString after = lineEdit()->text();
        int pos = lineEdit()->cursorPosition();
        after.insert(pos, typed);
        if (validate(after, pos) == QValidator::Invalid) {
            QApplication::beep();
            return;
        }
    }
    QSpinBox::keyPressEvent(event);
}

namespace {

// The limits of the fields are their validators'; the edit's own cap of
// 32,767 characters would cut a longer text that a command writes into it.
void LiftLengthCap(QLineEdit* field)
{
    field->setMaxLength(std::numeric_limits<int>::max());
}

}  // namespace

void RestrictToCp932(QLineEdit* field, int byteLimit)
{
    LiftLengthCap(field);
    auto* validator = new Cp932Validator(field, byteLimit);
    QObject::connect(validator, &Cp932Validator::refused, field, [field](const QString& message) {
        QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), message, field);
    });
    field->setValidator(validator);
    TakeInputMethodText(field);
}

void MakePostalCodeField(QLineEdit* field)
{
    LiftLengthCap(field);
    field->setValidator(new Cp932Validator(field, 7, Cp932Validator::Unit::Characters));
    field->installEventFilter(new DigitsOnlyKeys(field));
    field->setAlignment(Qt::AlignCenter);
    RefuseInputMethod(field, Qt::ImhDigitsOnly);
}
