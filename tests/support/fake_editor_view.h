// SPDX-License-Identifier: MIT
// The card editor's fields without widgets, behaving like edit controls: a
// write that changes the text runs the change handling, one that leaves it as
// it was runs nothing.
#pragma once

#include <algorithm>
#include <map>
#include <string>

#include "editor/card_editor.h"
#include "tests/support/fakes.h"

class FakeEditorView final : public CardEditorView {
public:
    CardEditor* editor = nullptr;
    std::map<CardField, std::string> fields{{CardField::Keisho, sj("様")},
                                            {CardField::RenKeisho, sj("様")}};
    std::string lottery = "123456";
    int number = 1;  // as typed: a command may see it unclamped
    int maximum = 1;
    int focusCount = 0;

    std::string field(CardField f) const override
    {
        auto it = fields.find(f);
        return it == fields.end() ? std::string() : it->second;
    }
    void setField(CardField f, const std::string& text) override
    {
        if (field(f) == text) {
            return;
        }
        fields[f] = text;
        editor->cardFieldChanged();
    }
    // The user typing into a field.
    void type(CardField f, const char* utf8Text) { setField(f, sj(utf8Text)); }
    std::string lotteryNumber() const override { return lottery; }
    void setLotteryNumber(const std::string& d) override { lottery = d; }
    int cardNumber() const override { return number; }
    void setCardNumber(int n) override { number = std::clamp(n, 1, maximum); }
    int cardNumberMaximum() const override { return maximum; }
    void setCardNumberMaximum(int m) override
    {
        maximum = m;
        number = std::clamp(number, 1, maximum);
    }
    void focusName() override { ++focusCount; }
};
