// SPDX-License-Identifier: MIT
// Helpers of the widget tests: dialogs and menus that run their own event
// loop, the words a button shows, and pictures for the README.
#pragma once

#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "tests/support/helpers.h"

// Runs `act` once on the first widget that `find` returns, from inside the
// event loop that shows it (a modal dialog's exec, a context menu).
inline void whenOpens(QWidget* (*find)(), std::function<void(QWidget&)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, find, act = std::move(act)] {
        if (QWidget* w = find()) {
            poll->stop();
            poll->deleteLater();
            act(*w);
        }
    });
    poll->start(10);
}

inline void whenModalOpens(std::function<void(QWidget&)> act)
{
    whenOpens(&QApplication::activeModalWidget, std::move(act));
}

// The words a button or menu item shows: "はい(&Y)" reads "はい", and
// "元に戻す(&U)\tCtrl+Z" reads "元に戻す".
inline QString visibleText(QString text)
{
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    return text.remove(QLatin1Char('&'));
}

// With FUMI_SCREENSHOT_DIR set, saves a picture of `w` there as <name>.png.
inline void saveShot(QWidget& w, const char* name)
{
    const QString dir = qEnvironmentVariable("FUMI_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        w.grab().save(dir + u("/") + u(name) + u(".png"));
    }
}
