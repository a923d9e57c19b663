// SPDX-License-Identifier: MIT
// Every command of the window runs inside this guard: a failure that no
// handler catches is shown in the error box, and the program goes on.
#pragma once

#include <QObject>

#include <functional>
#include <utility>

class Dialogs;

class CommandGuard {
public:
    explicit CommandGuard(Dialogs& dialogs) : dialogs_(dialogs) {}

    // Runs first for every command (the window commits the composition being typed).
    void setBeforeEachCommand(std::function<void()> before) { before_ = std::move(before); }
    void run(const std::function<void()>& command) const;

    // Connects `signal` of `sender` to `handler`, run inside the guard for as
    // long as `context` lives.
    template <typename Sender, typename Signal>
    void on(Sender* sender, Signal signal, QObject* context, std::function<void()> handler) const
    {
        QObject::connect(sender, signal, context,
                         [this, handler = std::move(handler)] { run(handler); });
    }

private:
    Dialogs& dialogs_;
    std::function<void()> before_;
};
