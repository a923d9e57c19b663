// SPDX-License-Identifier: MIT
#include "book/book_model.h"

#include "text/cp932.h"

BookModel::BookModel(AddressBook& book, QObject* parent) : QAbstractTableModel(parent), book_(book)
{
    book_.setObserver(this);
}

BookModel::~BookModel()
{
    book_.setObserver(nullptr);
}

int BookModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : book_.cardCount();
}

int BookModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : modelColumn(ColumnCount);
}

QVariant BookModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return cp932::toUnicode(book_.cell(bookColumn(index.column()), bookRow(index.row())));
}

bool BookModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    const int column = bookColumn(index.column());
    const int row = bookRow(index.row());
    const std::string& current = book_.cell(column, row);
    const QString text = value.toString();
    // The grid commits its editor whenever the current cell moves, edited or
    // not: the text the cell shows stores its own bytes, so passing through
    // changes nothing.
    if (!cp932::firstUnencodable(text).isEmpty() && text != cp932::toUnicode(current)) {
        return false;  // the editor's validator keeps such text out
    }
    book_.setCell(column, row, cp932::fromUnicodeKeeping(text, current));
    return true;
}

Qt::ItemFlags BookModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant BookModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (orientation == Qt::Horizontal) {
        return cp932::toUnicode(book_.cell(bookColumn(section), 0));
    }
    return cp932::toUnicode(book_.cell(ColNumber, bookRow(section)));
}

void BookModel::cellChanged(int column, int row)
{
    if (row == 0) {
        if (column != ColNumber) {
            emit headerDataChanged(Qt::Horizontal, modelColumn(column), modelColumn(column));
        }
        return;
    }
    if (column == ColNumber) {
        emit headerDataChanged(Qt::Vertical, modelRow(row), modelRow(row));
        return;
    }
    const QModelIndex i = index(modelRow(row), modelColumn(column));
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

// The counts are the book's, header row included: its last row is model row count - 2.
void BookModel::rowCountAboutToChange(int oldCount, int newCount)
{
    if (newCount > oldCount) {
        beginInsertRows({}, modelRow(oldCount), modelRow(newCount - 1));
    } else {
        beginRemoveRows({}, modelRow(newCount), modelRow(oldCount - 1));
    }
}

void BookModel::rowCountChanged(int oldCount, int newCount)
{
    if (newCount > oldCount) {
        endInsertRows();
    } else {
        endRemoveRows();
    }
}

void BookModel::aboutToReset()
{
    beginResetModel();
}

void BookModel::reset()
{
    endResetModel();
}
