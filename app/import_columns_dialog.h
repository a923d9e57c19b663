// SPDX-License-Identifier: MIT
// 項目の割り当て (frmImportColumns): the dialog in which a person names the
// columns of a CSV the program does not know, a drop-down over each column of
// a preview of its first rows.
#pragma once

#include <QDialog>

#include <vector>

#include "import/column_choice.h"

class Dialogs;
class QCheckBox;
class QComboBox;
class QTableWidget;

class frmImportColumns final : public QDialog, public ColumnChooser {
    Q_OBJECT
public:
    // `dialogs` tells when a choice lacks a name or an address.
    explicit frmImportColumns(Dialogs& dialogs, QWidget* parent = nullptr);

    std::optional<ColumnChoice> choose(const std::vector<CsvRecord>& records,
                                       const ColumnChoice& guess) override;

    // The choice the controls hold now.
    ColumnChoice choice() const;

    void accept() override;

private:
    void fill(const std::vector<CsvRecord>& records, const ColumnChoice& guess);
    // The preview follows the choices: the unused columns and a header row
    // greyed, the header row in italics.
    void showChoice();

    Dialogs& dialogs_;
    QTableWidget* preview_;
    QCheckBox* headerRow_;
    std::vector<QComboBox*> columns_;
};
