// SPDX-License-Identifier: MIT
#include "text/cp932_validator.h"

#include <QLineEdit>

#include "text/cp932.h"

namespace {
constexpr QChar kUndecodable(0xFFFD);
}  // namespace

Cp932Validator::Cp932Validator(QLineEdit* field, int limit, Unit unit)
    : QValidator(field), field_(field), limit_(limit), unit_(unit)
{
}

int Cp932Validator::length(const QString& text) const
{
    if (unit_ == Unit::Characters) {
        return static_cast<int>(text.toUcs4().size());
    }
    return static_cast<int>(cp932::byteLength(text));
}

QString Cp932Validator::refusalText(const QString& badCharacter)
{
    return QStringLiteral("「%1」は Shift-JIS で保存できない文字のため入力できません。")
        .arg(badCharacter);
}

QValidator::State Cp932Validator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    // Typing gives WAVE DASH and similar; store what Windows would store.
    input = cp932::normalizeForCp932(input);
    // U+FFFD marks bytes of a loaded text that form no character: the field
    // stays editable around them (they are stored as "?" once it is edited).
    const QString bad = cp932::firstUnencodable(QString(input).remove(kUndecodable));
    if (!bad.isEmpty()) {
        emit refused(refusalText(bad));
        return Invalid;
    }
    if (limit_ != kNoLimit && length(input) > limit_) {
        const int before = field_ ? length(field_->text()) : 0;
        if (length(input) >= before) {
            return Invalid;
        }
    }
    return Acceptable;
}
