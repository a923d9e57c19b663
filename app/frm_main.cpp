// SPDX-License-Identifier: MIT
#include "app/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

#include <cstdio>

#include "app/card_tab.h"
#include "app/import_columns_dialog.h"
#include "app/input_method_focus.h"
#include "app/list_tab.h"
#include "app/print_tab.h"
#include "app/version.h"
#include "app/web_links.h"
#include "book/book_texts.h"
#include "book/random_digits.h"
#include "platform/app_error.h"
#include "platform/dialogs.h"
#include "platform/font_list.h"
#include "platform/termination_signals.h"
#include "postal/postal_lookup.h"
#include "resources/postcard_picture.h"
#include "text/program_text.h"
#include "ui_frmMain.h"

namespace {

// A .ui stores point sizes only; the forms give character heights in pixels.
void ApplyPixelFontSizes(QWidget* root)
{
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets << root;
    for (QWidget* w : widgets) {
        const QVariant px = w->property("fontPixelSize");
        if (px.isValid()) {
            QFont f = w->font();
            f.setPixelSize(px.toInt());
            w->setFont(f);
        }
    }
}

}  // namespace

frmMain::frmMain(const Services& services, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::frmMain>()),
      services_(services),
      guard_(services.dialogs),
      state_(book_)
{
    ui_->setupUi(this);
    // Every command sees the text as the user sees it, a composition included.
    compositions_ = new CompositionKeeper(this);
    guard_.setBeforeEachCommand([this] { compositions_->commit(); });
    new InputModeFollower(services_.inputMethod, this);
    cardTab_ =
        new CardTab(ui_->TabSheet1, book_, state_,
                    {services_.dialogs, services_.clock, services_.urls, guard_}, appVersion_);
    listTab_ = new ListTab(ui_->TabSheet2, book_);
    printTab_ = new PrintTab(ui_->TabSheet3, book_, services_.dialogs, guard_,
                             [this] { return cardTab_->sender(); });
    connect(cardTab_, &CardTab::senderChanged, printTab_,
            [this] { printTab_->showSender(cardTab_->sender()); });
    importColumns_ = new frmImportColumns(services_.dialogs, this);
    bookCommands_ = std::make_unique<BookCommands>(
        book_, state_, cardTab_->editor(), *cardTab_, *this, services_.dialogs, services_.files,
        *importColumns_, services_.clock, services_.appDir,
        RecoveryStore(services_.recoveryFolder));
    setUpWindow();
    connectMenu();

    guard_.run([this] { FormCreate(); });
    state_.bookOpened(QString());  // the empty book holds nothing to save

    cardTab_->createPostalLookup(PostcodeDictionaryPath(QString::fromStdString(services_.appDir)));
}

frmMain::~frmMain()
{
    // The tabs and the grid's model show the book: they go before it, not
    // after it with the window's base class.
    delete centralWidget();
}

CardEditor& frmMain::editor()
{
    return cardTab_->editor();
}

YubinForm& frmMain::yubinForm()
{
    return cardTab_->yubinForm();
}

void frmMain::setUpWindow()
{
    ApplyPixelFontSizes(this);
    ui_->Edit1->menuAction()->setVisible(false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(871, 589 + ui_->MainMenu->sizeHint().height());
    move(179, 156);
    ui_->PageControl->tabBar()->setAttribute(Qt::WA_Hover, true);

    ui_->StatusBar1->setSizeGripEnabled(false);
    ui_->StatusBar1->setFixedHeight(27);
    for (int width : {600, 50, 50}) {
        auto* panel = new QLabel(ui_->StatusBar1);
        panel->setFixedWidth(width);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        ui_->StatusBar1->addWidget(panel);
    }
    ui_->ProgressBar->raise();

    // A picture that cannot be decoded is reported; the window works without it.
    guard_.run([this] {
        const QPixmap picture = QPixmap::fromImage(PostcardPicture());
        cardTab_->ui().Image1->setPixmap(picture);
        printTab_->ui().Image2->setPixmap(picture);
    });
}

void frmMain::FormCreate()
{
    appVersion_ = uiText(kAppVersion);
    printTab_->makePrintListSingleSelection();
    cardTab_->makePostalCodeFields();
    for (int c = ColName; c <= ColMemo; ++c) {
        book_.setCell(c, 0, cardText(book_texts::kColumnHeaders[c]));
    }
    listTab_->setStartWidths();
    book_.setCell(ColNumber, 1, "1");
    cardTab_->setLotteryNumber(RandomDigits(6, services_.clock));
    printTab_->fillFontLists(services_.fonts.faces());
}

void frmMain::clearPrintList()
{
    printTab_->clearPrintList();
}

void frmMain::applyGridLayout(const GridLayout& layout)
{
    listTab_->applyGridLayout(layout);
}

void frmMain::endProgram()
{
    QTimer::singleShot(0, this, &QWidget::close);
}

void frmMain::N9Click()
{
    close();
}

bool frmMain::exitQuestionsAnswered() const
{
    return exitAnsweredAt_ == book_.revision() && !state_.cardChanged();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    compositions_->commit();
    if (!exitQuestionsAnswered()) {
        bool mayEnd = false;
        guard_.run([this, &mayEnd] { mayEnd = bookCommands_->beforeExit(); });
        if (!mayEnd) {
            // The save the user asked for did not happen or failed (and was
            // shown): ending now would lose the book.
            event->ignore();
            return;
        }
        exitAnsweredAt_ = book_.revision();
    }
    event->accept();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void frmMain::offerRecoveryCopies()
{
    guard_.run([this] { bookCommands_->offerRecoveryCopies(); });
}

bool frmMain::sessionEnding(bool mayAsk)
{
    if (!mayAsk) {
        keepUnsavedWorkQuietly();
        return true;
    }
    if (exitQuestionsAnswered()) {
        return true;
    }
    bool mayEnd = false;
    guard_.run([this, &mayEnd] { mayEnd = bookCommands_->beforeExit(); });
    if (mayEnd) {
        exitAnsweredAt_ = book_.revision();
    }
    return mayEnd;
}

void frmMain::endBySignal(int signalNumber)
{
    keepUnsavedWorkQuietly();
    TerminationSignals::endBy(signalNumber);
}

void frmMain::keepUnsavedWorkQuietly()
{
    try {
        compositions_->commit();
        bookCommands_->keepUnsavedWork();
    } catch (const AppError& e) {
        std::fprintf(stderr, "fumiyose: %s\n", e.message().toLocal8Bit().constData());
    }
}

void frmMain::connectMenu()
{
    auto on = [this](QAction* action, std::function<void()> handler) {
        guard_.on(action, &QAction::triggered, this, std::move(handler));
    };
    on(ui_->acNewFile, [this] { bookCommands_->acNewFileExecute(); });
    on(ui_->acOpenFile, [this] { bookCommands_->acOpenFileExecute(); });
    on(ui_->acNameSave, [this] { bookCommands_->acNameSaveExecute(); });
    on(ui_->acSave, [this] { bookCommands_->acSaveExecute(); });
    on(ui_->acImportFile, [this] { bookCommands_->acImportFileExecute(); });
    connect(ui_->N4, &QAction::triggered, ui_->acNewFile, &QAction::trigger);
    connect(ui_->N5, &QAction::triggered, ui_->acOpenFile, &QAction::trigger);
    connect(ui_->N6, &QAction::triggered, ui_->acNameSave, &QAction::trigger);
    connect(ui_->N7, &QAction::triggered, ui_->acSave, &QAction::trigger);
    on(ui_->N9, [this] { N9Click(); });

    // 画面切り替え
    on(ui_->N16, [this] { ui_->PageControl->setCurrentIndex(0); });
    on(ui_->N17, [this] { ui_->PageControl->setCurrentIndex(1); });
    on(ui_->Print1, [this] { ui_->PageControl->setCurrentIndex(2); });

    // 宛名印刷: the third tab, then its button.
    auto onPrintTab = [this](void (PrintTab::*press)()) {
        return [this, press] {
            ui_->PageControl->setCurrentIndex(2);
            (printTab_->*press)();
        };
    };
    connect(ui_->N10, &QAction::triggered, this, onPrintTab(&PrintTab::pressPrintListReload));
    connect(ui_->N11, &QAction::triggered, this, onPrintTab(&PrintTab::pressSamplePrint));
    connect(ui_->N12, &QAction::triggered, this, onPrintTab(&PrintTab::pressPrintChecked));
    on(ui_->acSenderFromCard, [this] { cardTab_->acSenderFromCardExecute(); });

    // このソフトウェアについて
    auto page = [this](WebPage p) {
        return [this, p] { OpenWebPage(p, appVersion_, services_.urls); };
    };
    on(ui_->N14, [this] { services_.dialogs.notify(AboutText(appVersion_)); });
    on(ui_->N23, page(WebPage::Home));
    on(ui_->N19, page(WebPage::Update));
    on(ui_->N20, page(WebPage::MaterialSite));
}
