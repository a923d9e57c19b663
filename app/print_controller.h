// The print tab: the print list, the print preview, the print settings and
// the print commands, over the program's one printer.
#pragma once

#include <QObject>

#include <memory>

class frmMain;
class QPrinter;
class QtPrinterDevice;
struct PrintListState;
struct CardPrintOptions;

class PrintController final : public QObject {
    Q_OBJECT
public:
    explicit PrintController(frmMain& window);
    ~PrintController() override;

    QPrinter& printer() { return *printer_; }

    void btnPrintListReloadClick();
    void PrintListClick();
    void btnSamplePrintClick();
    void btnPrintCheckedClick();
    void SpeedButton3Click();
    void chkSenderClick();
    void PrintFontNoChange();
    void PrintFontChange();
    void btnChgToKanjiClick();

private:
    PrintListState listState() const;
    CardPrintOptions options() const;
    CardPrintOptions optionsForNextCard() const;

    frmMain& window_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QtPrinterDevice> device_;
};
