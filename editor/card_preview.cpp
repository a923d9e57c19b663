#include "editor/card_preview.h"

std::string ComposeNameLabel(const std::string& name, const std::string& honorific)
{
    if (name.empty()) {
        return {};
    }
    return name + " " + honorific;
}

std::array<std::string, 7> PostalDigits(const std::string& code)
{
    std::array<std::string, 7> boxes;
    for (std::size_t i = 0; i < boxes.size() && i < code.size(); ++i) {
        boxes[i] = std::string(1, code[i]);
    }
    return boxes;
}
