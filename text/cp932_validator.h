// SPDX-License-Identifier: MIT
// Keeps what the user types inside code page 932 and inside a length limit.
#pragma once

#include <QPointer>
#include <QValidator>

class QLineEdit;

class Cp932Validator : public QValidator {
    Q_OBJECT
public:
    enum class Unit { Bytes, Characters };
    static constexpr int kNoLimit = -1;

    // `field` is the edit the validator serves: a text already longer than the
    // limit (set by the program) may still be shortened, never lengthened.
    explicit Cp932Validator(QLineEdit* field, int limit = kNoLimit, Unit unit = Unit::Bytes);

    State validate(QString& input, int& pos) const override;

    // Why the last input was refused, in Japanese; empty when it was not.
    static QString refusalText(const QString& badCharacter);

signals:
    // The user tried to enter a character that code page 932 cannot hold.
    void refused(const QString& message) const;

private:
    int length(const QString& text) const;

    QPointer<QLineEdit> field_;
    int limit_;
    Unit unit_;
};
