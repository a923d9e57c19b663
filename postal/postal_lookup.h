// SPDX-License-Identifier: MIT
// The two look-up commands of the card editor: postal code to address and
// address to postal code, both through the dictionary beside the executable.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

class Dialogs;

// Shows the matching lines and lets the user copy from one of them; returns
// when the user has closed it. The real one is YubinForm.
class ResultChooser {
public:
    virtual ~ResultChooser() = default;
    virtual void choose(const std::vector<std::string>& lines) = 0;
};

class PostalLookup {
public:
    // A postal-code key needs 3 bytes, an address key 4 (two double-byte
    // characters).
    static constexpr std::size_t kMinPostalCodeKeyBytes = 3;
    static constexpr std::size_t kMinAddressKeyBytes = 4;
    // Where a key may first occur: the postal-code search is a prefix search.
    static constexpr int kPostalCodePositionLimit = 1;
    static constexpr int kAddressPositionLimit = 1000;

    PostalLookup(std::string dictionaryPath, Dialogs& dialogs, ResultChooser& chooser);

    // `key` is the code page 932 text of the postal-code field, taken as typed.
    void searchByPostalCode(const std::string& key);
    // `key` is the code page 932 text of address line 1, taken as typed.
    void searchByAddress(const std::string& key);

private:
    void search(std::string_view key, int positionLimit);

    std::string dictionaryPath_;
    Dialogs& dialogs_;
    ResultChooser& chooser_;
};

// "postcode.dat" in the given directory (the executable's), as a file name
// for the operating system.
std::string PostcodeDictionaryPath(const QString& directory);

// What "郵便番号入力" copies: the first 7 bytes of a result line (all of a
// shorter line).
std::string PostalCodeOfLine(std::string_view line);

// What "選択住所入力" copies: everything after the first comma, unchanged; the
// whole line when it has no comma.
std::string AddressOfLine(std::string_view line);
