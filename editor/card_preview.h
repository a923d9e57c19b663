// What the card preview's labels show for the editor's fields.
#pragma once

#include <array>
#include <string>

// The name label: name, one half-width space, honorific; empty with no name.
std::string ComposeNameLabel(const std::string& name, const std::string& honorific);

// The seven postal-code boxes: byte i of the code in box i, empty past its end.
std::array<std::string, 7> PostalDigits(const std::string& code);
