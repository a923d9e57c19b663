// SPDX-License-Identifier: MIT
#include "app/import_columns_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/japanese_ui.h"
#include "import/import_texts.h"
#include "platform/dialogs.h"
#include "text/program_text.h"

namespace {

// The first rows are enough to tell what a column holds.
constexpr std::size_t kPreviewRows = 20;
// The drop-downs stand in row 0 of the table, over their columns.
constexpr int kChoiceRow = 0;

}  // namespace

frmImportColumns::frmImportColumns(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      preview_(new QTableWidget(this)),
      headerRow_(new QCheckBox(uiText(import_texts::kHeaderRowCheck), this))
{
    setObjectName(QStringLiteral("frmImportColumns"));
    setWindowTitle(uiText(import_texts::kColumnsTitle));
    preview_->setObjectName(QStringLiteral("ImportPreview"));
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setSelectionMode(QAbstractItemView::NoSelection);
    preview_->verticalHeader()->setVisible(false);
    preview_->horizontalHeader()->setStretchLastSection(true);
    headerRow_->setObjectName(QStringLiteral("chkHeaderRow"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // The program's own words, whether or not Qt's translations are there.
    buttons->button(QDialogButtonBox::Ok)->setText(uiText(button_texts::kOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(uiText(button_texts::kCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmImportColumns::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(headerRow_, &QCheckBox::toggled, this, &frmImportColumns::showChoice);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(uiText(import_texts::kColumnsGuide), this));
    layout->addWidget(preview_);
    layout->addWidget(headerRow_);
    layout->addWidget(buttons);
    resize(760, 420);
}

std::optional<ColumnChoice> frmImportColumns::choose(const std::vector<CsvRecord>& records,
                                                     const ColumnChoice& guess)
{
    fill(records, guess);
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return choice();
}

void frmImportColumns::fill(const std::vector<CsvRecord>& records, const ColumnChoice& guess)
{
    const auto count = static_cast<int>(guess.columns.size());
    const int rows = static_cast<int>(std::min(records.size(), kPreviewRows));
    preview_->clear();
    preview_->setColumnCount(count);
    for (int c = 0; c < count; ++c) {
        preview_->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::number(c + 1)));
    }
    preview_->setRowCount(rows + 1);
    columns_.clear();
    for (int c = 0; c < count; ++c) {
        auto* combo = new QComboBox(preview_);
        combo->setObjectName(QStringLiteral("cmbColumn%1").arg(c + 1));
        for (int item = 0; item < kColumnItemCount; ++item) {
            combo->addItem(ColumnItemText(static_cast<ColumnItem>(item)));
        }
        combo->setCurrentIndex(static_cast<int>(guess.columns[static_cast<std::size_t>(c)]));
        connect(combo, &QComboBox::currentIndexChanged, this, &frmImportColumns::showChoice);
        preview_->setCellWidget(kChoiceRow, c, combo);
        columns_.push_back(combo);
        for (int r = 0; r < rows; ++r) {
            const std::vector<QString>& fields = records[static_cast<std::size_t>(r)].fields;
            const auto field = static_cast<std::size_t>(c);
            preview_->setItem(r + 1, c,
                              new QTableWidgetItem(
                                  field < fields.size() ? fields[field].simplified() : QString()));
        }
    }
    headerRow_->setChecked(guess.headerRow);
    showChoice();
    preview_->resizeColumnsToContents();
}

void frmImportColumns::showChoice()
{
    const ColumnChoice current = choice();
    const QColor unused = palette().color(QPalette::Disabled, QPalette::Text);
    for (int c = 0; c < preview_->columnCount(); ++c) {
        const ColumnItem item = current.columns[static_cast<std::size_t>(c)];
        for (int r = 1; r < preview_->rowCount(); ++r) {
            QTableWidgetItem* cell = preview_->item(r, c);
            if (cell == nullptr) {
                continue;
            }
            const bool isHeader = r == 1 && current.headerRow;
            QFont font = cell->font();
            font.setItalic(isHeader);
            cell->setFont(font);
            cell->setForeground(
                item == ColumnItem::Unused || isHeader ? unused : palette().color(QPalette::Text));
        }
    }
}

ColumnChoice frmImportColumns::choice() const
{
    ColumnChoice current;
    for (const QComboBox* combo : columns_) {
        current.columns.push_back(static_cast<ColumnItem>(combo->currentIndex()));
    }
    current.headerRow = headerRow_->isChecked();
    return current;
}

void frmImportColumns::accept()
{
    // OK, or Return, without a name or an address keeps the dialog open.
    if (!ChoiceHasNameAndAddress(choice())) {
        dialogs_.notify(uiText(import_texts::kChooseNameAndAddress));
        return;
    }
    QDialog::accept();
}
