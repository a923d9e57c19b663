// SPDX-License-Identifier: MIT
#include "app/print_tab.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>

#include "app/command_guard.h"
#include "app/input_rules.h"
#include "app/japanese_ui.h"
#include "book/kanji_numerals.h"
#include "platform/dialogs.h"
#include "print/print_commands.h"
#include "print/print_list.h"
#include "print/print_preview.h"
#include "print/qt_printer_device.h"
#include "text/cp932.h"
#include "text/program_text.h"
#include "vertical/tpl_label.h"

PrintTab::PrintTab(QWidget* page, AddressBook& book, Dialogs& dialogs, const CommandGuard& guard,
                   std::function<SenderFields()> readSender)
    : QObject(page),
      book_(book),
      dialogs_(dialogs),
      readSender_(std::move(readSender)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      device_(std::make_unique<QtPrinterDevice>(*printer_))
{
    ui_.setupUi(page);
    postalCode_.boxes = {ui_.PrintYubin1, ui_.PrintYubin2, ui_.PrintYubin3, ui_.PrintYubin4,
                         ui_.PrintYubin5, ui_.PrintYubin6, ui_.PrintYubin7};
    sender_ = {ui_.lblPFromAddress,
               ui_.lblPFromAddress2,
               ui_.lblPFromName,
               ui_.lblPFromName2,
               {{ui_.PrintFYubin1, ui_.PrintFYubin2, ui_.PrintFYubin3, ui_.PrintFYubin4,
                 ui_.PrintFYubin5, ui_.PrintFYubin6, ui_.PrintFYubin7}}};

    auto on = [this, &guard](auto* sender, auto signal, void (PrintTab::*handler)()) {
        guard.on(sender, signal, this, [this, handler] { (this->*handler)(); });
    };
    on(ui_.btnPrintListReload, &QPushButton::clicked, &PrintTab::btnPrintListReloadClick);
    // The highlight, not Qt's current item: tabbing into the list makes an
    // item current without highlighting it.
    on(ui_.PrintList, &QListWidget::itemSelectionChanged, &PrintTab::PrintListClick);
    on(ui_.btnSamplePrint, &QPushButton::clicked, &PrintTab::btnSamplePrintClick);
    on(ui_.btnPrintChecked, &QPushButton::clicked, &PrintTab::btnPrintCheckedClick);
    on(ui_.SpeedButton3, &QPushButton::clicked, &PrintTab::SpeedButton3Click);
    on(ui_.chkSender, &QCheckBox::toggled, &PrintTab::chkSenderClick);
    on(ui_.PrintFontNo, &QComboBox::currentTextChanged, &PrintTab::PrintFontNoChange);
    on(ui_.PrintFont, &QComboBox::currentTextChanged, &PrintTab::PrintFontChange);
    on(ui_.btnChgToKanji, &QPushButton::clicked, &PrintTab::btnChgToKanjiClick);
    ui_.intYubinBai->findChild<QLineEdit*>()->setMaxLength(2);
    MakeDigitsField(ui_.intYubinBai);
    // Every item is one line of the same font: the list need not lay out the
    // text of every card to know their heights, which for a large book took
    // longer than building the list.
    ui_.PrintList->setUniformItemSizes(true);
    // The printer dialog's page tab shows the card from the start.
    printer_->setPageSize(QtPrinterDevice::postcardSize());
}

PrintTab::~PrintTab() = default;

void PrintTab::makePrintListSingleSelection()
{
    ui_.PrintList->setSelectionMode(QAbstractItemView::SingleSelection);
}

void PrintTab::fillFontLists(const QStringList& faces)
{
    QStringList vertical;
    for (const QString& face : faces) {
        if (face.startsWith(QLatin1Char('@'))) {
            vertical << face;
        }
    }
    // Filled with their change handling held back, as the form's lists are.
    ui_.PrintFont->blockSignals(true);
    ui_.PrintFont->clear();
    ui_.PrintFont->addItems(vertical);
    ui_.PrintFont->setEditText(QStringLiteral("@ＭＳ 明朝"));
    ui_.PrintFont->blockSignals(false);
    ui_.PrintFontNo->blockSignals(true);
    ui_.PrintFontNo->clear();
    ui_.PrintFontNo->addItems(faces);
    ui_.PrintFontNo->setEditText(QStringLiteral("Arial"));
    ui_.PrintFontNo->blockSignals(false);
}

void PrintTab::clearPrintList()
{
    ui_.PrintList->clear();
}

void PrintTab::showSender(const SenderFields& sender)
{
    sender_.show(sender);
}

void PrintTab::btnPrintListReloadClick()
{
    std::vector<PrintListItem> items;
    if (!RebuildPrintList(book_, dialogs_, items)) {
        return;
    }
    QListWidget* list = ui_.PrintList;
    list->clear();
    // Each item is set up before it joins the list: a change to an item in
    // the list is a change the list's view works through, and with every
    // card that made the rebuild grow with the square of the book.
    for (const PrintListItem& item : items) {
        auto* entry = new QListWidgetItem(cp932::toUnicode(item.text));
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
        entry->setData(Qt::UserRole, item.row);
        list->addItem(entry);
    }
}

int PrintTab::highlightedIndex() const
{
    const QList<QListWidgetItem*> selected = ui_.PrintList->selectedItems();
    return selected.isEmpty() ? -1 : ui_.PrintList->row(selected.first());
}

void PrintTab::PrintListClick()
{
    const int index = highlightedIndex();
    if (index < 0) {
        return;  // the highlight went: the preview keeps what it shows
    }
    const QListWidgetItem* item = ui_.PrintList->item(index);
    const auto texts = ShowPrintPreview(book_, item->data(Qt::UserRole).toInt());
    if (!texts) {
        return;
    }
    ShowCardText(ui_.lblPName, texts->name);
    ShowCardText(ui_.lblPName2, texts->name2);
    ShowCardText(ui_.lblPAddress1, texts->address1);
    ShowCardText(ui_.lblPAddress2, texts->address2);
    postalCode_.show(texts->postalDigits);
    ShowCardText(ui_.lblPrintOtoshi, texts->lottery);
}

PrintListState PrintTab::listState() const
{
    PrintListState state;
    const QListWidget* list = ui_.PrintList;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        state.items.push_back(
            {item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked});
    }
    state.highlighted = highlightedIndex();
    return state;
}

CardPrintOptions PrintTab::options() const
{
    CardPrintOptions o;
    o.settings.digitFace = cp932::fromUnicodeLossy(ui_.PrintFontNo->currentText());
    o.settings.verticalFace = cp932::fromUnicodeLossy(ui_.PrintFont->currentText());
    o.settings.factor = YubinFactorFromText(ui_.intYubinBai->text());
    o.sender = readSender_();
    o.withSender = ui_.chkSender->isChecked();
    return o;
}

CardPrintOptions PrintTab::optionsForNextCard() const
{
    // Between two jobs the window repaints; input waits until the batch is
    // over, so the list and the book cannot change under it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return options();
}

void PrintTab::btnSamplePrintClick()
{
    SamplePrint(
        listState(), book_, [this] { return options(); }, *device_, dialogs_);
}

void PrintTab::btnPrintCheckedClick()
{
    PrintChecked(
        listState(), book_, [this] { return optionsForNextCard(); }, *device_, dialogs_);
}

void PrintTab::SpeedButton3Click()
{
    // One dialog for the run: opened again, it shows the printer, tray, paper
    // type and quality in force (a new one would show the printer's defaults,
    // and confirming it would put them back).
    if (printerDialog_ == nullptr) {
        printerDialog_ = new QPrintDialog(printer_.get(), ui_.grpPrintPage->window());
        printerDialog_->setObjectName(QStringLiteral("PrinterSetupDialog1"));
        // It only sets the printer: nothing is printed when it is confirmed.
        if (auto* buttons = printerDialog_->findChild<QDialogButtonBox*>()) {
            buttons->button(QDialogButtonBox::Ok)->setText(uiText(button_texts::kOk));
        }
    }
    printerDialog_->exec();  // whatever is confirmed becomes the printer's setting
}

void PrintTab::chkSenderClick()
{
    sender_.setVisible(ui_.chkSender->isChecked());
}

void PrintTab::PrintFontNoChange()
{
    const QString face = ui_.PrintFontNo->currentText();
    postalCode_.setFace(face);
    sender_.postalCode.setFace(face);
}

void PrintTab::PrintFontChange()
{
    const QString face = ui_.PrintFont->currentText();
    for (QLabel* l :
         {ui_.lblPAddress1, ui_.lblPAddress2, ui_.lblPName, ui_.lblPName2, ui_.lblPFromAddress,
          ui_.lblPFromAddress2, ui_.lblPFromName, ui_.lblPFromName2}) {
        SetFontFamily(l, face);
    }
}

void PrintTab::btnChgToKanjiClick()
{
    ConvertAddressesToKanjiNumerals(book_);
    pressPrintListReload();
}
