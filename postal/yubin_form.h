// SPDX-License-Identifier: MIT
// The result dialog of the postal-code look-up: lists the matching lines and
// copies the chosen one's postal code and/or address into the card editor.
#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "postal/postal_lookup.h"

class Dialogs;
class QListWidget;

namespace Ui {
class YubinForm;
}

class YubinForm : public QDialog, public ResultChooser {
    Q_OBJECT

public:
    // Receives code page 932 bytes; the main window sets its field, so the
    // field's change handling runs as if the user had typed.
    using FieldSetter = std::function<void(const std::string& cp932)>;

    YubinForm(Dialogs& dialogs, FieldSetter setPostalCode, FieldSetter setAddress,
              QWidget* parent = nullptr);
    ~YubinForm() override;

    // Lists the lines and waits, modal, until the dialog closes.
    void choose(const std::vector<std::string>& lines) override;
    // Replaces the list's items by these lines, none selected.
    void fill(const std::vector<std::string>& lines);

    QListWidget* KekkaList() const;

    void btnYubinInputClick();
    void btnAddInputClick();
    void KekkaListDblClick();

private:
    // The original bytes of the selected line, if a line is selected.
    std::optional<std::string> selectedLine() const;

    std::unique_ptr<Ui::YubinForm> ui_;
    Dialogs& dialogs_;
    FieldSetter setPostalCode_;
    FieldSetter setAddress_;
};
