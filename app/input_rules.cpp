// SPDX-License-Identifier: MIT
#include "app/input_rules.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>
#include <QVariant>

#include <limits>

#include "text/cp932_validator.h"

namespace {

// The dynamic property that carries a field's InputMode.
constexpr char kInputModeProperty[] = "fumiInputMode";

void SetInputMode(QWidget* field, InputMode mode)
{
    field->setProperty(kInputModeProperty, static_cast<int>(mode));
}

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
        SetInputMode(w, InputMode::Japanese);
    }
}

// The input method off, and `hints` telling which characters the field takes.
void RefuseInputMethod(QWidget* field, Qt::InputMethodHints hints)
{
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
    field->setInputMethodHints(hints);
    field->installEventFilter(new InputMethodOff(field));
    SetInputMode(field, InputMode::Direct);
}

// An input-method commit that would make the field's text invalid is dropped
// whole by the line edit; this keeps the longest start of it that its
// validator takes, as typing stops at the limit.
class FitCommitToValidator final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (event->type() != QEvent::InputMethod || field == nullptr ||
            field->validator() == nullptr) {
            return false;
        }
        auto* im = static_cast<QInputMethodEvent*>(event);
        const QString commit = im->commitString();
        if (commit.isEmpty() || im->replacementLength() != 0) {
            return false;
        }
        qsizetype keep = commit.size();
        while (keep > 0 && !takes(*field, commit.left(keep))) {
            keep = previousBoundary(commit, keep);
        }
        if (keep == commit.size()) {
            return false;
        }
        QInputMethodEvent fitted(im->preeditString(), im->attributes());
        fitted.setCommitString(commit.left(keep));
        field->event(&fitted);
        return true;
    }

private:
    static bool takes(const QLineEdit& field, const QString& commit)
    {
        QString after = field.text();
        int pos = field.cursorPosition();
        if (field.hasSelectedText()) {
            pos = field.selectionStart();
            after.remove(pos, field.selectedText().size());
        }
        after.insert(pos, commit);
        pos += static_cast<int>(commit.size());
        return field.validator()->validate(after, pos) != QValidator::Invalid;
    }

    // One character back, a surrogate pair as one.
    static qsizetype previousBoundary(const QString& text, qsizetype end)
    {
        if (end >= 2 && text.at(end - 1).isLowSurrogate() && text.at(end - 2).isHighSurrogate()) {
            return end - 2;
        }
        return end - 1;
    }
};

// Once per field, however many rules ask for it (the grid's postal-code
// editor is a code page 932 field and a digits field).
void FitCommitsToValidator(QLineEdit* field)
{
    static constexpr char kFitted[] = "fumiFitsCommits";
    if (!field->property(kFitted).toBool()) {
        field->installEventFilter(new FitCommitToValidator(field));
        field->setProperty(kFitted, true);
    }
}

}  // namespace

std::optional<InputMode> InputModeOf(const QObject* field)
{
    const QVariant mode = field->property(kInputModeProperty);
    if (!mode.isValid()) {
        return std::nullopt;
    }
    return static_cast<InputMode>(mode.toInt());
}

DigitsOnlyInput::DigitsOnlyInput(QObject* parent, QString extra)
    : QObject(parent), extra_(std::move(extra))
{
}

std::optional<QString> DigitsOnlyInput::accepted(const QString& text) const
{
    QString halfWidth;
    halfWidth.reserve(text.size());
    for (QChar c : text) {
        // The full-width forms U+FF01..U+FF5E stand for ASCII 0x21..0x7E.
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E) {
            c = QChar(static_cast<char16_t>(c.unicode() - 0xFEE0));
        }
        if ((c < QLatin1Char('0') || c > QLatin1Char('9')) && !extra_.contains(c)) {
            return std::nullopt;
        }
        halfWidth.append(c);
    }
    return halfWidth;
}

bool DigitsOnlyInput::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
        if (key->matches(QKeySequence::Paste) || !printable ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            return false;
        }
        const std::optional<QString> text = accepted(typed);
        if (!text) {
            QApplication::beep();
            return true;
        }
        if (*text == typed) {
            return false;
        }
        QKeyEvent halfWidth(QEvent::KeyPress, key->key(), key->modifiers(), *text,
                            key->isAutoRepeat(), static_cast<quint16>(key->count()));
        QCoreApplication::sendEvent(watched, &halfWidth);
        return true;
    }
    if (event->type() == QEvent::InputMethod) {
        auto* im = static_cast<QInputMethodEvent*>(event);
        const QString commit = im->commitString();
        if (im->preeditString().isEmpty() && im->replacementLength() == 0 &&
            accepted(commit) == commit) {
            return false;
        }
        // No composition is shown here: a digits field holds digits only.
        const std::optional<QString> text = accepted(commit);
        if (!text) {
            QApplication::beep();
        }
        QInputMethodEvent digits;
        digits.setCommitString(text.value_or(QString()));
        QCoreApplication::sendEvent(watched, &digits);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

CardNumberBox::CardNumberBox(QWidget* parent) : QSpinBox(parent)
{
    for (QWidget* part : {static_cast<QWidget*>(this), static_cast<QWidget*>(lineEdit())}) {
        part->installEventFilter(new DigitsOnlyInput(part, QStringLiteral("+-.")));
        RefuseInputMethod(part, Qt::ImhFormattedNumbersOnly);
    }
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
    FitCommitsToValidator(field);
    TakeInputMethodText(field);
}

void MakeDigitsField(QWidget* field)
{
    // A spin box passes the input method's events on to its line edit.
    QList<QWidget*> parts{field};
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) {
        parts << spin->findChild<QLineEdit*>();
    }
    for (QWidget* part : parts) {
        // Filters run last-installed first: the digits are made half-width
        // before a commit is fitted to the limit.
        if (auto* line = qobject_cast<QLineEdit*>(part)) {
            FitCommitsToValidator(line);
        }
        part->installEventFilter(new DigitsOnlyInput(part));
        RefuseInputMethod(part, Qt::ImhDigitsOnly);
    }
}

void MakePostalCodeField(QLineEdit* field)
{
    LiftLengthCap(field);
    field->setValidator(new Cp932Validator(field, 7, Cp932Validator::Unit::Characters));
    field->setAlignment(Qt::AlignCenter);
    MakeDigitsField(field);
}
