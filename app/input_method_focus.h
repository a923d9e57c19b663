// SPDX-License-Identifier: MIT
// The input method and the focus: a composition lands in the field it was
// typed in before any command runs, and each field switches the input method
// on or off as it gets the focus.
#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QString>

class InputMethodSwitch;
class QWidget;

// Watches the whole application: a click anywhere but in the field being
// composed in, or commit() called by a command, first commits the composition
// into that field, through its usual change handling.
class CompositionKeeper final : public QObject {
    Q_OBJECT
public:
    explicit CompositionKeeper(QObject* parent = nullptr);
    ~CompositionKeeper() override;
    CompositionKeeper(const CompositionKeeper&) = delete;
    CompositionKeeper& operator=(const CompositionKeeper&) = delete;

    void commit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QObject> composingIn_;
    QString preedit_;
    QString landed_;  // what the input method committed while commit() ran
    QString echo_;    // the text committed last, refused once if it comes again
    QDeadlineTimer echoDeadline_;
};

// Switches the input method as a field marked by the input rules gets the
// focus: on for Japanese text, off for numbers; other widgets leave it be.
class InputModeFollower final : public QObject {
    Q_OBJECT
public:
    InputModeFollower(InputMethodSwitch& inputMethod, QObject* parent = nullptr);

private:
    void focusChanged(QWidget* now);

    InputMethodSwitch& inputMethod_;
};
