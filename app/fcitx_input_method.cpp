// SPDX-License-Identifier: MIT
#include "app/fcitx_input_method.h"

#include <QDBusConnection>
#include <QDBusMessage>

void FcitxInputMethodSwitch::setJapanese(bool on)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    // Activate and Deactivate act on fcitx5's focused input context: this
    // window's, since the field that asks has the focus.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
        QStringLiteral("org.fcitx.Fcitx.Controller1"),
        on ? QStringLiteral("Activate") : QStringLiteral("Deactivate"));
    // Never start fcitx5 for this, and never wait: without it, the bus's
    // error reply is dropped.
    call.setAutoStartService(false);
    bus.send(call);
}
