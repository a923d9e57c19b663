// SPDX-License-Identifier: MIT
#include "app/list_tab.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>

#include "app/input_rules.h"
#include "book/grid_template.h"

namespace {

constexpr int kStartWidths[] = {30, 140, 70, 40, 198, 198, 170};

// The grid's in-place editor keeps to code page 932 like every other field;
// in the postal-code column it takes digits only, with the input method off,
// as the card's postal-code field does.
class Cp932Delegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            RestrictToCp932(line);
            if (BookModel::bookColumn(index.column()) == ColPostalCode) {
                MakeDigitsField(line);
            }
        }
        return editor;
    }
};

}  // namespace

ListTab::ListTab(QWidget* page, AddressBook& book) : QObject(page), model_(book)
{
    ui_.setupUi(page);
    QTableView* grid = ui_.IchiranGrid;
    grid->setModel(&model_);
    grid->setItemDelegate(new Cp932Delegate(grid));
    grid->setWordWrap(false);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setMinimumSectionSize(5);
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->verticalHeader()->setHighlightSections(false);
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ListTab::openEditorOnCurrentCell);
    applyGridLayout(formGridLayout());
}

void ListTab::openEditorOnCurrentCell(const QModelIndex& current)
{
    // With the option on, the in-place editor stays open on the current cell.
    if (!alwaysShowEditor_ || !current.isValid()) {
        return;
    }
    QTableView* grid = ui_.IchiranGrid;
    QTimer::singleShot(0, grid, [grid, current] {
        if (grid->currentIndex() == current) {
            grid->edit(current);
        }
    });
}

GridLayout ListTab::formGridLayout()
{
    GridLayout layout;
    layout.rowCount = 2;
    layout.columnCount = ColumnCount;
    layout.fixedRows = 1;
    layout.fixedColumns = 1;
    layout.defaultColumnWidth = 100;
    layout.defaultRowHeight = 15;
    layout.columnWidths.assign(ColumnCount, layout.defaultColumnWidth);
    for (GridOption o : {GridOption::FixedVertLine, GridOption::FixedHorzLine, GridOption::VertLine,
                         GridOption::HorzLine, GridOption::RangeSelect, GridOption::ColSizing,
                         GridOption::Editing, GridOption::Tabs, GridOption::AlwaysShowEditor}) {
        layout.options |= static_cast<unsigned>(o);
    }
    layout.scrollBars = GridScrollBars::Vertical;
    layout.flatBorder = true;
    return layout;
}

void ListTab::applyGridLayout(const GridLayout& layout)
{
    QTableView* grid = ui_.IchiranGrid;
    QHeaderView* columns = grid->horizontalHeader();
    QHeaderView* numbers = grid->verticalHeader();
    // Book row 0 and column 0 are the two headers, so they are fixed when shown.
    columns->setVisible(layout.fixedRows > 0);
    numbers->setVisible(layout.fixedColumns > 0);
    columns->setDefaultSectionSize(layout.defaultColumnWidth);
    numbers->setMinimumSectionSize(
        std::min(layout.defaultRowHeight, numbers->minimumSectionSize()));
    numbers->setDefaultSectionSize(layout.defaultRowHeight);
    for (std::size_t c = 0; c < layout.columnWidths.size(); ++c) {
        if (c == 0) {
            numbers->setFixedWidth(layout.columnWidths[0]);
        } else {
            grid->setColumnWidth(BookModel::modelColumn(static_cast<int>(c)),
                                 layout.columnWidths[c]);
        }
    }
    const auto scrolls = [&](GridScrollBars a, GridScrollBars b) {
        return layout.scrollBars == a || layout.scrollBars == b ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff;
    };
    grid->setHorizontalScrollBarPolicy(scrolls(GridScrollBars::Horizontal, GridScrollBars::Both));
    grid->setVerticalScrollBarPolicy(scrolls(GridScrollBars::Vertical, GridScrollBars::Both));
    grid->setFrameShape(layout.flatBorder ? QFrame::Box : QFrame::StyledPanel);
    grid->setFrameShadow(layout.flatBorder ? QFrame::Plain : QFrame::Sunken);

    grid->setShowGrid(layout.has(GridOption::VertLine) || layout.has(GridOption::HorzLine));
    grid->setSelectionMode(layout.has(GridOption::RangeSelect)
                               ? QAbstractItemView::ContiguousSelection
                               : QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(layout.has(GridOption::RowSelect) ? QAbstractItemView::SelectRows
                                                                 : QAbstractItemView::SelectItems);
    columns->setSectionResizeMode(layout.has(GridOption::ColSizing) ? QHeaderView::Interactive
                                                                    : QHeaderView::Fixed);
    numbers->setSectionResizeMode(layout.has(GridOption::RowSizing) ? QHeaderView::Interactive
                                                                    : QHeaderView::Fixed);
    columns->setSectionsMovable(layout.has(GridOption::ColMoving));
    numbers->setSectionsMovable(layout.has(GridOption::RowMoving));
    grid->setTabKeyNavigation(layout.has(GridOption::Tabs));
    const bool editing = layout.has(GridOption::Editing);
    grid->setEditTriggers(editing ? QAbstractItemView::AllEditTriggers
                                  : QAbstractItemView::NoEditTriggers);
    alwaysShowEditor_ = editing && layout.has(GridOption::AlwaysShowEditor);
}

void ListTab::setStartWidths()
{
    QTableView* grid = ui_.IchiranGrid;
    grid->verticalHeader()->setFixedWidth(kStartWidths[ColNumber]);
    for (int c = ColName; c <= ColMemo; ++c) {
        grid->setColumnWidth(BookModel::modelColumn(c), kStartWidths[c]);
    }
}
