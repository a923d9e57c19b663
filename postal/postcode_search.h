// SPDX-License-Identifier: MIT
// The dictionary search: a linear scan of postcode.dat, read afresh each time.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

// Every line of the dictionary (without its line end, bytes unchanged, in file
// order) in which `key` first occurs, on a character boundary, at a 1-based
// byte position from 1 to `positionLimit`. Empty lines never match.
// Throws AppError when the file cannot be opened or read.
std::vector<std::string> SearchPostcode(const std::string& dictionaryPath, std::string_view key,
                                        int positionLimit);

// The same search over a dictionary already in memory.
std::vector<std::string> SearchPostcodeText(std::string_view dictionary, std::string_view key,
                                            int positionLimit);
