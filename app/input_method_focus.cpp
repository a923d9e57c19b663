// SPDX-License-Identifier: MIT
#include "app/input_method_focus.h"

#include <QApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QWidget>

#include "app/input_rules.h"
#include "platform/input_method_switch.h"

namespace {

// How long after a commit the same text arriving again is taken for an echo;
// the input method answers within milliseconds, and nobody composes and
// commits the same word again that fast.
constexpr int kEchoWindowMs = 1000;

}  // namespace

CompositionKeeper::CompositionKeeper(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

CompositionKeeper::~CompositionKeeper()
{
    qApp->removeEventFilter(this);
}

void CompositionKeeper::commit()
{
    if (composingIn_ == nullptr) {
        return;
    }
    const QPointer<QObject> field = composingIn_;
    const QString shown = preedit_;
    landed_.clear();
    // The platform's input context commits to the focused field: IBus on
    // commit(), fcitx5 on reset(). The events pass through this filter.
    QGuiApplication::inputMethod()->commit();
    if (composingIn_ == field) {
        QGuiApplication::inputMethod()->reset();
    }
    composingIn_ = nullptr;
    preedit_.clear();
    // No input context (as in tests), or one that dropped the composition:
    // the text the user saw is committed here.
    if (landed_.isEmpty() && field != nullptr) {
        QInputMethodEvent committed;
        committed.setCommitString(shown);
        QCoreApplication::sendEvent(field, &committed);
        landed_ = shown;
    }
    // IBus with Mozc commits the same text once more, late, when told to
    // reset: by then the focus may be in another field or card.
    echo_ = landed_;
    echoDeadline_.setRemainingTime(kEchoWindowMs);
}

bool CompositionKeeper::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
        case QEvent::InputMethod: {
            const auto* im = static_cast<const QInputMethodEvent*>(event);
            if (!echo_.isEmpty() && !echoDeadline_.hasExpired() && im->preeditString().isEmpty() &&
                im->commitString() == echo_) {
                echo_.clear();
                return true;
            }
            // Typing goes on: anything shown or committed ends the wait for an echo.
            if (!im->preeditString().isEmpty() || !im->commitString().isEmpty()) {
                echo_.clear();
            }
            if (watched == composingIn_ && !im->commitString().isEmpty()) {
                landed_ = im->commitString();
            }
            if (!im->preeditString().isEmpty()) {
                composingIn_ = watched;
                preedit_ = im->preeditString();
            } else if (watched == composingIn_) {
                composingIn_ = nullptr;
                preedit_.clear();
            }
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::Close:
            // A click inside the field itself is the input method's to handle.
            if (composingIn_ != nullptr && watched != composingIn_) {
                commit();
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

InputModeFollower::InputModeFollower(InputMethodSwitch& inputMethod, QObject* parent)
    : QObject(parent), inputMethod_(inputMethod)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
}

void InputModeFollower::focusChanged(QWidget* now)
{
    if (now == nullptr) {
        return;
    }
    if (const std::optional<InputMode> mode = InputModeOf(now)) {
        inputMethod_.setJapanese(*mode == InputMode::Japanese);
    }
}
