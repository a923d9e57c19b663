// What the card preview's labels show for the editor's fields.
#pragma once

#include <string>

#include "book/address_book.h"  // PostalDigits

// The name label: name, one half-width space, honorific; empty with no name.
std::string ComposeNameLabel(const std::string& name, const std::string& honorific);
