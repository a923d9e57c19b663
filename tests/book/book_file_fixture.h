// SPDX-License-Identifier: MIT
// What the book file tests share: a temporary folder, books made of rows, and
// a sample card.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "book/address_book.h"
#include "book/recovery_store.h"
#include "tests/support/fakes.h"

inline std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

inline AddressBook bookOf(const std::vector<BookRow>& cards)
{
    AddressBook book;
    book.setRowCount(static_cast<int>(cards.size()) + 1);
    for (std::size_t i = 0; i < cards.size(); ++i) {
        book.setRow(static_cast<int>(i) + 1, cards[i]);
    }
    return book;
}

class BookFileTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const
    {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string folder() const { return dir_.path().toStdString(); }
    // The recovery copies of the test's saves, in a folder of their own.
    RecoveryStore recovery() const
    {
        return RecoveryStore(recoveryDir_.filePath(QStringLiteral("recovery")).toStdString());
    }

    QTemporaryDir dir_;
    QTemporaryDir recoveryDir_;
};

inline const BookRow kSampleCard = {
    "1",     sj("山田太郎;花子"), "1000001", sj("様;様"), sj("東京都千代田区千代田1-1"), "", "",
    "512345"};
