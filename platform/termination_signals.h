// SPDX-License-Identifier: MIT
// SIGTERM and SIGHUP (the system shutting down, the terminal closing) as a Qt
// signal in the event loop, where the program may still write a file: the
// handler itself only writes one byte into a pipe.
#pragma once

#include <QObject>

class QSocketNotifier;

class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    // Catches the signals for as long as it lives; one per program.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // Ends the program by `signalNumber` as if it had never been caught: the
    // default action, so whoever sent it sees the program end by it.
    [[noreturn]] static void endBy(int signalNumber);

signals:
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
};
