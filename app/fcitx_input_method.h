// SPDX-License-Identifier: MIT
// The input method switch of fcitx5, through its D-Bus controller.
#pragma once

#include "platform/input_method_switch.h"

// IBus has no counterpart that works reliably: Mozc's Japanese mode belongs to
// the input context that Qt's IBus plug-in keeps to itself, so under IBus (or
// no input method at all) the switch does nothing.
class FcitxInputMethodSwitch final : public InputMethodSwitch {
public:
    void setJapanese(bool on) override;
};
