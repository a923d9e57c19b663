// SPDX-License-Identifier: MIT
// The second tab, 一覧表de修正: the list grid over the address book, edited in
// place. The program attaches no handler to it: edits land in the book only.
#pragma once

#include <QObject>

#include "book/book_model.h"
#include "ui_ListTab.h"

class AddressBook;
struct GridLayout;

class ListTab final : public QObject {
    Q_OBJECT
public:
    ListTab(QWidget* page, AddressBook& book);

    Ui::ListTab& ui() { return ui_; }
    BookModel& model() { return model_; }

    // The grid's part of a template: widths, heights, options.
    void applyGridLayout(const GridLayout& layout);
    // Start-up: the widths of columns 0 to 6; column 7 keeps the default.
    void setStartWidths();

private:
    // The grid as the form holds it, before start-up sets the widths.
    static GridLayout formGridLayout();
    void openEditorOnCurrentCell(const QModelIndex& current);

    Ui::ListTab ui_;
    BookModel model_;
    bool alwaysShowEditor_ = false;
};
