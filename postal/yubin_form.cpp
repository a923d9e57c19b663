// SPDX-License-Identifier: MIT
#include "postal/yubin_form.h"

#include <QByteArray>
#include <QFont>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>

#include <utility>

#include "platform/dialogs.h"
#include "postal/postal_texts.h"
#include "text/cp932.h"
#include "text/program_text.h"
#include "ui_frmYubin.h"

namespace {

// Where the form opens on the screen.
constexpr int kLeft = 274;
constexpr int kTop = 160;

// Rows of a fixed height, as the form describes them.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(postal_texts::kItemHeight);
        return size;
    }
};

}  // namespace

YubinForm::YubinForm(Dialogs& dialogs, FieldSetter setPostalCode, FieldSetter setAddress,
                     QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::YubinForm>()),
      dialogs_(dialogs),
      setPostalCode_(std::move(setPostalCode)),
      setAddress_(std::move(setAddress))
{
    ui_->setupUi(this);
    // A dialog border with the close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont font(uiText(postal_texts::kFontFace));
    font.setPixelSize(postal_texts::kFontPixelSize);
    setFont(font);
    setFixedSize(size());
    move(kLeft, kTop);

    ui_->KekkaList->setItemDelegate(new FixedHeightDelegate(ui_->KekkaList));
    connect(ui_->btnYubinInput, &QPushButton::clicked, this, &YubinForm::btnYubinInputClick);
    connect(ui_->btnAddInput, &QPushButton::clicked, this, &YubinForm::btnAddInputClick);
    connect(ui_->KekkaList, &QListWidget::doubleClicked, this, &YubinForm::KekkaListDblClick);
}

YubinForm::~YubinForm() = default;

void YubinForm::choose(const std::vector<std::string>& lines)
{
    fill(lines);
    ui_->KekkaList->setFocus();
    exec();
}

void YubinForm::fill(const std::vector<std::string>& lines)
{
    QListWidget* list = ui_->KekkaList;
    list->setUpdatesEnabled(false);
    list->clear();
    for (const std::string& line : lines) {
        auto* item = new QListWidgetItem(cp932::toUnicode(line));
        // The shown text may not convert back to the same bytes; copy these.
        item->setData(Qt::UserRole, QByteArray(line.data(), static_cast<qsizetype>(line.size())));
        list->addItem(item);
    }
    list->setUpdatesEnabled(true);
}

QListWidget* YubinForm::KekkaList() const
{
    return ui_->KekkaList;
}

std::optional<std::string> YubinForm::selectedLine() const
{
    const QList<QListWidgetItem*> selected = ui_->KekkaList->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return selected.front()->data(Qt::UserRole).toByteArray().toStdString();
}

void YubinForm::btnYubinInputClick()
{
    const std::optional<std::string> line = selectedLine();
    if (!line) {
        dialogs_.notify(uiText(postal_texts::kChoosePostalCode));
        return;
    }
    setPostalCode_(PostalCodeOfLine(*line));
    accept();
}

void YubinForm::btnAddInputClick()
{
    const std::optional<std::string> line = selectedLine();
    if (!line) {
        dialogs_.notify(uiText(postal_texts::kChooseAddress));
        return;
    }
    setAddress_(AddressOfLine(*line));
    accept();
}

void YubinForm::KekkaListDblClick()
{
    const std::optional<std::string> line = selectedLine();
    if (!line) {
        return;
    }
    setPostalCode_(PostalCodeOfLine(*line));
    setAddress_(AddressOfLine(*line));
    accept();
}
