#include "app/frm_main.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <QTimer>

#include "app/input_rules.h"
#include "app/print_controller.h"
#include "book/book_model.h"
#include "book/grid_template.h"
#include "book/random_digits.h"
#include "platform/app_error.h"
#include "platform/dialogs.h"
#include "platform/font_list.h"
#include "postal/postal_lookup.h"
#include "postal/yubin_form.h"
#include "resources/postcard_picture.h"
#include "text/cp932.h"
#include "ui_frmMain.h"

namespace {

constexpr char kVersion[] = "0.4";
constexpr const char* kHeaders[] = {"名前/連名", "郵便番号", "敬称/連名敬称",
                                    "住所1",     "住所2",   "備考(印刷されません)"};
constexpr int kStartWidths[] = {30, 140, 70, 40, 198, 198, 170};

// The grid's in-place editor keeps to code page 932 like every other field.
class Cp932Delegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            RestrictToCp932(line);
        }
        return editor;
    }
};

}  // namespace

frmMain::frmMain(const Services& services, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::frmMain>()), services_(services)
{
    ui_->setupUi(this);
    model_ = std::make_unique<BookModel>(book_);
    editor_ = std::make_unique<CardEditor>(book_, state_, *this, *services_.dialogs,
                                           *services_.clock);
    bookCommands_ = std::make_unique<BookCommands>(book_, state_, *editor_, *this, *this,
                                                   *services_.dialogs, *services_.files,
                                                   *services_.clock, services_.appDir);
    setUpWindow();
    setUpGrid();
    setUpFields();
    print_ = std::make_unique<PrintController>(*this);
    connectMenu();
    connectEditor();
    connectPreview();
    connectLinks();

    guarded([this] { FormCreate(); });
    state_.savedRevision = book_.revision();  // the empty book holds nothing to save

    // The result dialog is made once, hidden, and reused for every search.
    yubinForm_ = new YubinForm(
        *services_.dialogs,
        [this](const std::string& code) { setField(CardField::YuubinNo, code); },
        [this](const std::string& address) { setField(CardField::Address, address); }, this);
    postal_ = std::make_unique<PostalLookup>(
        PostcodeDictionaryPath(QString::fromStdString(services_.appDir)), *services_.dialogs,
        *yubinForm_);
}

frmMain::~frmMain() = default;

void frmMain::guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const AppError& e) {
        services_.dialogs->showError(e.message());
    } catch (const std::bad_alloc&) {
        services_.dialogs->showError(QStringLiteral("メモリが足りません。"));
    } catch (const std::exception& e) {
        // A failure of the runtime: shown with its own text, the program goes on.
        services_.dialogs->showError(QString::fromLocal8Bit(e.what()));
    }
}

void frmMain::setUpWindow()
{
    // A .ui stores point sizes only; the forms give character heights in pixels.
    QList<QWidget*> widgets = findChildren<QWidget*>();
    widgets << this;
    for (QWidget* w : widgets) {
        const QVariant px = w->property("fontPixelSize");
        if (px.isValid()) {
            QFont f = w->font();
            f.setPixelSize(px.toInt());
            w->setFont(f);
        }
    }
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
    guarded([this] {
        const QPixmap picture = QPixmap::fromImage(PostcardPicture());
        ui_->Image1->setPixmap(picture);
        ui_->Image2->setPixmap(picture);
    });
}

void frmMain::setUpGrid()
{
    QTableView* grid = ui_->IchiranGrid;
    grid->setModel(model_.get());
    grid->setItemDelegate(new Cp932Delegate(grid));
    grid->setWordWrap(false);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setMinimumSectionSize(5);
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->verticalHeader()->setHighlightSections(false);
    // With the option on, the in-place editor stays open on the current cell.
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, grid,
            [this, grid](const QModelIndex& current) {
                if (!alwaysShowEditor_ || !current.isValid()) {
                    return;
                }
                QTimer::singleShot(0, grid, [grid, current] {
                    if (grid->currentIndex() == current) {
                        grid->edit(current);
                    }
                });
            });
    applyGridLayout(FormGridLayout());
}

GridLayout frmMain::FormGridLayout()
{
    // The grid as the form holds it before start-up sets the widths.
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

void frmMain::applyGridLayout(const GridLayout& layout)
{
    QTableView* grid = ui_->IchiranGrid;
    QHeaderView* columns = grid->horizontalHeader();
    QHeaderView* numbers = grid->verticalHeader();
    // Book row 0 and column 0 are the two headers, so they are fixed when shown.
    columns->setVisible(layout.fixedRows > 0);
    numbers->setVisible(layout.fixedColumns > 0);
    columns->setDefaultSectionSize(layout.defaultColumnWidth);
    numbers->setMinimumSectionSize(std::min(layout.defaultRowHeight, numbers->minimumSectionSize()));
    numbers->setDefaultSectionSize(layout.defaultRowHeight);
    for (std::size_t c = 0; c < layout.columnWidths.size(); ++c) {
        if (c == 0) {
            numbers->setFixedWidth(layout.columnWidths[0]);
        } else {
            grid->setColumnWidth(static_cast<int>(c) - 1, layout.columnWidths[c]);
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

void frmMain::setUpFields()
{
    for (QLineEdit* f : {ui_->txtName, ui_->txtRenmei1, ui_->txtMemo, ui_->txtSenderName,
                         ui_->txtSenderRenmei}) {
        RestrictToCp932(f);
    }
    for (QLineEdit* f : {ui_->txtAddress, ui_->txtAddress2, ui_->txtSenderAddress,
                         ui_->txtSenderAddress2}) {
        RestrictToCp932(f, 30);
    }
    for (QComboBox* c : {ui_->txtKeisho, ui_->txtRenKeisho1}) {
        RestrictToCp932(c->lineEdit());
    }
    ui_->intYubinBai->findChild<QLineEdit*>()->setMaxLength(2);
}

void frmMain::FormCreate()
{
    appVersion_ = QString::fromLatin1(kVersion);
    ui_->PrintList->setSelectionMode(QAbstractItemView::SingleSelection);
    MakePostalCodeField(ui_->txtYuubinNo);
    MakePostalCodeField(ui_->txtSenderYuubinNo);
    for (int c = 1; c <= 6; ++c) {
        std::string header;
        cp932::fromUnicode(QString::fromUtf8(kHeaders[c - 1]), header);
        book_.setCell(c, 0, header);
    }
    ui_->IchiranGrid->verticalHeader()->setFixedWidth(kStartWidths[0]);
    for (int c = 1; c <= 6; ++c) {
        ui_->IchiranGrid->setColumnWidth(c - 1, kStartWidths[c]);
    }
    book_.setCell(ColNumber, 1, "1");
    setLotteryNumber(RandomDigits(6, *services_.clock));

    const QStringList faces = services_.fonts->faces();
    QStringList vertical;
    for (const QString& face : faces) {
        if (face.startsWith(QLatin1Char('@'))) {
            vertical << face;
        }
    }
    ui_->PrintFont->blockSignals(true);
    ui_->PrintFont->clear();
    ui_->PrintFont->addItems(vertical);
    ui_->PrintFont->setEditText(QStringLiteral("@ＭＳ 明朝"));
    ui_->PrintFont->blockSignals(false);
    ui_->PrintFontNo->blockSignals(true);
    ui_->PrintFontNo->clear();
    ui_->PrintFontNo->addItems(faces);
    ui_->PrintFontNo->setEditText(QStringLiteral("Arial"));
    ui_->PrintFontNo->blockSignals(false);
    state_.currentFile.clear();
}

void frmMain::clearPrintList()
{
    ui_->PrintList->clear();
}

void frmMain::quitWhenIdle()
{
    skipExitQuestions_ = true;  // nothing more to ask: the template is gone
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void frmMain::N9Click()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!skipExitQuestions_) {
        skipExitQuestions_ = true;
        bool asked = false;
        guarded([this, &asked] {
            bookCommands_->beforeExit();
            asked = true;
        });
        if (!asked) {
            // The store or the save failed and was shown: ending now would lose the book.
            skipExitQuestions_ = false;
            event->ignore();
            return;
        }
    }
    event->accept();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void frmMain::connectMenu()
{
    on(ui_->acNewFile, &QAction::triggered, [this] { bookCommands_->acNewFileExecute(); });
    on(ui_->acOpenFile, &QAction::triggered, [this] { bookCommands_->acOpenFileExecute(); });
    on(ui_->acNameSave, &QAction::triggered, [this] { bookCommands_->acNameSaveExecute(); });
    on(ui_->acSave, &QAction::triggered, [this] { bookCommands_->acSaveExecute(); });
    connect(ui_->N4, &QAction::triggered, ui_->acNewFile, &QAction::trigger);
    connect(ui_->N5, &QAction::triggered, ui_->acOpenFile, &QAction::trigger);
    connect(ui_->N6, &QAction::triggered, ui_->acNameSave, &QAction::trigger);
    connect(ui_->N7, &QAction::triggered, ui_->acSave, &QAction::trigger);
    on(ui_->N9, &QAction::triggered, [this] { N9Click(); });
    on(ui_->N16, &QAction::triggered, [this] { ui_->PageControl->setCurrentIndex(0); });
    on(ui_->N17, &QAction::triggered, [this] { ui_->PageControl->setCurrentIndex(1); });
    on(ui_->Print1, &QAction::triggered, [this] { ui_->PageControl->setCurrentIndex(2); });
}

void frmMain::connectEditor()
{
    on(ui_->btnSaveCard, &QPushButton::clicked, [this] { editor_->btnSaveCardClick(); });
    on(ui_->btnNewcard, &QPushButton::clicked, [this] { editor_->btnNewcardClick(); });
    on(ui_->btnMove, &QPushButton::clicked, [this] { editor_->btnMoveClick(); });
    on(ui_->btnPrev, &QPushButton::clicked, [this] { editor_->btnPrevClick(); });
    on(ui_->btnNext, &QPushButton::clicked, [this] { editor_->btnNextClick(); });
    on(ui_->btnDelCard, &QPushButton::clicked, [this] { editor_->btnDelCardClick(); });
    on(ui_->SpeedButton1, &QPushButton::clicked, [this] { SpeedButton1Click(); });
    on(ui_->SpeedButton2, &QPushButton::clicked, [this] { SpeedButton2Click(); });
}

void frmMain::SpeedButton1Click()
{
    postal_->searchByPostalCode(field(CardField::YuubinNo));
}

void frmMain::SpeedButton2Click()
{
    postal_->searchByAddress(field(CardField::Address));
}
