// SPDX-License-Identifier: MIT
// The address book as the list grid shows it: book row 0 is the header row,
// book column 0 the number column; the cells of rows 1..N, columns 1..7 are
// the model's items and can be edited in place.
#pragma once

#include <QAbstractTableModel>

#include "book/address_book.h"

class BookModel final : public QAbstractTableModel, private BookObserver {
    Q_OBJECT
public:
    explicit BookModel(AddressBook& book, QObject* parent = nullptr);
    ~BookModel() override;

    // The one mapping between the two: book row r is model row r - 1, book
    // column c model column c - 1 (row 0 and column 0 are the headers).
    static int bookRow(int modelRow) { return modelRow + 1; }
    static int bookColumn(int modelColumn) { return modelColumn + 1; }
    static int modelRow(int bookRow) { return bookRow - 1; }
    static int modelColumn(int bookColumn) { return bookColumn - 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void cellChanged(int column, int row) override;
    void rowCountAboutToChange(int oldCount, int newCount) override;
    void rowCountChanged(int oldCount, int newCount) override;
    void aboutToReset() override;
    void reset() override;

    AddressBook& book_;
};
