#include "app/print_controller.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>

#include "app/frm_main.h"
#include "platform/dialogs.h"
#include "print/print_commands.h"
#include "print/print_list.h"
#include "print/print_preview.h"
#include "print/qt_printer_device.h"
#include "text/cp932.h"
#include "ui_frmMain.h"
#include "book/kanji_numerals.h"
#include "vertical/tpl_label.h"

namespace {
QString shown(const std::string& bytes) { return cp932::toUnicode(bytes); }
std::string stored(const QString& text) { return cp932::fromUnicodeLossy(text); }
}  // namespace

PrintController::PrintController(frmMain& window)
    : window_(window),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      device_(std::make_unique<QtPrinterDevice>(*printer_))
{
    Ui::frmMain& ui = window_.ui();
    auto on = [this](auto* sender, auto signal, void (PrintController::*handler)()) {
        window_.on(sender, signal, [this, handler] { (this->*handler)(); });
    };
    on(ui.btnPrintListReload, &QPushButton::clicked, &PrintController::btnPrintListReloadClick);
    on(ui.PrintList, &QListWidget::currentRowChanged, &PrintController::PrintListClick);
    on(ui.btnSamplePrint, &QPushButton::clicked, &PrintController::btnSamplePrintClick);
    on(ui.btnPrintChecked, &QPushButton::clicked, &PrintController::btnPrintCheckedClick);
    on(ui.SpeedButton3, &QPushButton::clicked, &PrintController::SpeedButton3Click);
    on(ui.chkSender, &QCheckBox::toggled, &PrintController::chkSenderClick);
    on(ui.PrintFontNo, &QComboBox::currentTextChanged, &PrintController::PrintFontNoChange);
    on(ui.PrintFont, &QComboBox::currentTextChanged, &PrintController::PrintFontChange);
    on(ui.btnChgToKanji, &QPushButton::clicked, &PrintController::btnChgToKanjiClick);
    // The menu presses the buttons on the print tab.
    auto press = [&ui](QAction* item, QPushButton* button) {
        connect(item, &QAction::triggered, button, [&ui, button] {
            ui.PageControl->setCurrentIndex(2);
            button->click();
        });
    };
    press(ui.N10, ui.btnPrintListReload);
    press(ui.N11, ui.btnSamplePrint);
    press(ui.N12, ui.btnPrintChecked);
}

PrintController::~PrintController() = default;

void PrintController::btnPrintListReloadClick()
{
    std::vector<PrintListItem> items;
    if (!RebuildPrintList(window_.book(), *window_.services().dialogs, items)) {
        return;
    }
    QListWidget* list = window_.ui().PrintList;
    list->clear();
    for (const PrintListItem& item : items) {
        auto* entry = new QListWidgetItem(shown(item.text), list);
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
        entry->setData(Qt::UserRole, item.row);
    }
}

void PrintController::PrintListClick()
{
    QListWidgetItem* item = window_.ui().PrintList->currentItem();
    if (item == nullptr) {
        return;
    }
    const auto texts = ShowPrintPreview(window_.book(), item->data(Qt::UserRole).toInt());
    if (!texts) {
        return;
    }
    Ui::frmMain& ui = window_.ui();
    ui.lblPName->setText(shown(texts->name));
    ui.lblPName2->setText(shown(texts->name2));
    ui.lblPAddress1->setText(shown(texts->address1));
    ui.lblPAddress2->setText(shown(texts->address2));
    QLabel* digits[] = {ui.PrintYubin1, ui.PrintYubin2, ui.PrintYubin3, ui.PrintYubin4,
                        ui.PrintYubin5, ui.PrintYubin6, ui.PrintYubin7};
    for (std::size_t i = 0; i < texts->postalDigits.size(); ++i) {
        digits[i]->setText(shown(texts->postalDigits[i]));
    }
    ui.lblPrintOtoshi->setText(shown(texts->lottery));
}

PrintListState PrintController::listState() const
{
    PrintListState state;
    QListWidget* list = window_.ui().PrintList;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        state.items.push_back({item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked});
    }
    state.highlighted = list->currentRow();  // the item the preview shows
    return state;
}

CardPrintOptions PrintController::options() const
{
    const Ui::frmMain& ui = window_.ui();
    CardPrintOptions o;
    o.settings.digitFace = stored(ui.PrintFontNo->currentText());
    o.settings.verticalFace = stored(ui.PrintFont->currentText());
    o.settings.factor = YubinFactorFromText(ui.intYubinBai->text());
    o.sender.postalCode = stored(ui.txtSenderYuubinNo->text());
    o.sender.address1 = stored(ui.txtSenderAddress->text());
    o.sender.address2 = stored(ui.txtSenderAddress2->text());
    o.sender.name = stored(ui.txtSenderName->text());
    o.sender.jointName = stored(ui.txtSenderRenmei->text());
    o.withSender = ui.chkSender->isChecked();
    return o;
}

CardPrintOptions PrintController::optionsForNextCard() const
{
    // Between two jobs the window repaints; input waits until the batch is
    // over, so the list and the book cannot change under it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return options();
}

void PrintController::btnSamplePrintClick()
{
    SamplePrint(listState(), window_.book(), [this] { return options(); }, *device_,
                *window_.services().dialogs);
}

void PrintController::btnPrintCheckedClick()
{
    PrintChecked(listState(), window_.book(), [this] { return optionsForNextCard(); }, *device_,
                 *window_.services().dialogs);
}

void PrintController::SpeedButton3Click()
{
    QPrintDialog dialog(printer_.get(), &window_);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog.exec();  // whatever is confirmed becomes the printer's setting
}

void PrintController::chkSenderClick()
{
    Ui::frmMain& ui = window_.ui();
    const bool visible = ui.chkSender->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui.lblPFromAddress, ui.lblPFromAddress2, ui.lblPFromName, ui.lblPFromName2,
             ui.PrintFYubin1, ui.PrintFYubin2, ui.PrintFYubin3, ui.PrintFYubin4, ui.PrintFYubin5,
             ui.PrintFYubin6, ui.PrintFYubin7}) {
        w->setVisible(visible);
    }
}

void PrintController::PrintFontNoChange()
{
    Ui::frmMain& ui = window_.ui();
    const QString face = ui.PrintFontNo->currentText();
    for (QLabel* l : {ui.PrintYubin1, ui.PrintYubin2, ui.PrintYubin3, ui.PrintYubin4,
                      ui.PrintYubin5, ui.PrintYubin6, ui.PrintYubin7, ui.PrintFYubin1,
                      ui.PrintFYubin2, ui.PrintFYubin3, ui.PrintFYubin4, ui.PrintFYubin5,
                      ui.PrintFYubin6, ui.PrintFYubin7}) {
        QFont f = l->font();
        f.setFamily(face);
        l->setFont(f);
    }
}

void PrintController::PrintFontChange()
{
    Ui::frmMain& ui = window_.ui();
    const QString face = ui.PrintFont->currentText();
    for (QLabel* l : {ui.lblPAddress1, ui.lblPAddress2, ui.lblPName, ui.lblPName2,
                      ui.lblPFromAddress, ui.lblPFromAddress2, ui.lblPFromName,
                      ui.lblPFromName2}) {
        QFont f = l->font();
        f.setFamily(face);
        l->setFont(f);
    }
}

void PrintController::btnChgToKanjiClick()
{
    ConvertAddressesToKanjiNumerals(window_.book());
    window_.ui().btnPrintListReload->click();
}
