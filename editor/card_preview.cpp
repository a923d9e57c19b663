#include "editor/card_preview.h"

std::string ComposeNameLabel(const std::string& name, const std::string& honorific)
{
    if (name.empty()) {
        return {};
    }
    return name + " " + honorific;
}
