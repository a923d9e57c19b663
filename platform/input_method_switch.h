// SPDX-License-Identifier: MIT
// Switches the desktop's input method between Japanese and direct input for
// the field that has the focus.
#pragma once

class InputMethodSwitch {
public:
    virtual ~InputMethodSwitch() = default;
    // Silent when no input method answers: the user can still switch by hand.
    virtual void setJapanese(bool on) = 0;
};
