// SPDX-License-Identifier: MIT
// The third tab, 印刷プレビュー: the print list, the print settings, the print
// preview, and the print commands over the program's one printer.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

#include "app/postcard_labels.h"
#include "ui_PrintTab.h"

class AddressBook;
class CommandGuard;
class Dialogs;
class QPrintDialog;
class QPrinter;
class QtPrinterDevice;
struct CardPrintOptions;
struct PrintListState;

class PrintTab final : public QObject {
    Q_OBJECT
public:
    // `readSender` gives the sender block as its fields hold it at that moment.
    PrintTab(QWidget* page, AddressBook& book, Dialogs& dialogs, const CommandGuard& guard,
             std::function<SenderFields()> readSender);
    ~PrintTab() override;

    Ui::PrintTab& ui() { return ui_; }
    QPrinter& printer() { return *printer_; }

    // Start-up: one item highlighted at a time, apart from the ticks.
    void makePrintListSingleSelection();
    // Start-up: the printer's faces; the vertical list keeps the "@" ones.
    void fillFontLists(const QStringList& faces);
    // New and Open empty the list.
    void clearPrintList();
    // The sender labels of the print preview follow the sender's fields.
    void showSender(const SenderFields& sender);

    // The menu presses the buttons: the result is exactly the button's command.
    void pressPrintListReload() { ui_.btnPrintListReload->click(); }
    void pressSamplePrint() { ui_.btnSamplePrint->click(); }
    void pressPrintChecked() { ui_.btnPrintChecked->click(); }

private:
    void btnPrintListReloadClick();
    void PrintListClick();
    void btnSamplePrintClick();
    void btnPrintCheckedClick();
    void SpeedButton3Click();
    void chkSenderClick();
    void PrintFontNoChange();
    void PrintFontChange();
    void btnChgToKanjiClick();

    // The highlighted item of the print list, or -1.
    int highlightedIndex() const;
    PrintListState listState() const;
    CardPrintOptions options() const;
    CardPrintOptions optionsForNextCard() const;

    Ui::PrintTab ui_;
    AddressBook& book_;
    Dialogs& dialogs_;
    std::function<SenderFields()> readSender_;
    PostalDigitLabels postalCode_;
    SenderLabels sender_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QtPrinterDevice> device_;
    QPrintDialog* printerDialog_ = nullptr;  // made at its first use; a child of the window
};
