// SPDX-License-Identifier: MIT
#include "app/qt_services.h"

#include <QDesktopServices>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QMessageBox>
#include <QSplitter>
#include <QTreeView>
#include <QUrl>

#include "text/program_text.h"

namespace {

QString appTitle()
{
    return QStringLiteral("ふみよせ");
}

constexpr char kOpenTitle[] = "住所録を開く";
constexpr char kSaveTitle[] = "名前を付けて保存";
constexpr char kCsvFilter[] = "CSV形式 (*.csv)";
constexpr char kEveryFileFilter[] = "すべて (*.*)";
constexpr char kBookSuffix[] = "csv";
constexpr char kInitialSaveName[] = "住所録";
constexpr char kImportTitle[] = "住所録の取り込み";
constexpr char kContactsFilter[] = "住所録 (*.csv *.vcf *.txt)";
constexpr char kAnyFileFilter[] = "すべて (*)";

// The file list as Qt's model gives it, with sizes and dates in the default
// (Japanese) locale: the model itself writes them in the system locale.
class JapaneseFileList final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    enum Column { Name, Size, Type, Modified };

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role == Qt::DisplayRole && files != nullptr) {
            const QModelIndex file = mapToSource(index);
            if (index.column() == Size && !files->isDir(file)) {
                return QLocale().formattedDataSize(files->size(file));
            }
            if (index.column() == Modified) {
                return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
            }
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// Qt sizes the dialog's side bar and columns for English words; the Japanese
// ones need more room.
void makeRoomForJapanese(QFileDialog& dialog)
{
    const QFontMetrics metrics(dialog.font());
    const auto room = [&metrics](const char* sample) {
        return metrics.horizontalAdvance(uiText(sample)) + 3 * metrics.height();
    };
    if (auto* list = dialog.findChild<QTreeView*>()) {
        list->header()->resizeSection(JapaneseFileList::Type, room("CSV ドキュメント"));
        list->header()->resizeSection(JapaneseFileList::Modified, room("0000/00/00 00:00"));
    }
    if (auto* sides = dialog.findChild<QSplitter*>()) {
        const int sideBar = room("コンピュータ");
        sides->setSizes({sideBar, dialog.width() - sideBar});
    }
}

// Qt's own dialog rather than the desktop's: it speaks Japanese from Qt's
// catalogue whatever locale the desktop runs in, and its file list is ours to
// show as we need.
void useQtDialog(QFileDialog& dialog, const char* name, QFileDialog::AcceptMode mode)
{
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new JapaneseFileList(&dialog));
    dialog.resize(780, 460);
    makeRoomForJapanese(dialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
    dialog.setDefaultSuffix(QString::fromLatin1(kBookSuffix));
}

// On Linux "*.*" hides every name without a dot, so a book saved without an
// extension could not be picked. The label stays; under it the list shows every
// file, and a name is taken as it stands, without the default ".csv".
void listEveryFileUnderItsFilter(QFileDialog& dialog)
{
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            const bool everyFile = filter == uiText(kEveryFileFilter);
            dialog.setDefaultSuffix(everyFile ? QString() : QString::fromLatin1(kBookSuffix));
            if (everyFile) {
                // Qt has just set the model's patterns from the label.
                qobject_cast<QFileSystemModel*>(dialog.proxyModel()->sourceModel())
                    ->setNameFilters({});
            }
        });
}

}  // namespace

bool MessageBoxDialogs::ask(const QString& question)
{
    return QMessageBox::question(parent_, appTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void MessageBoxDialogs::notify(const QString& message)
{
    QMessageBox::information(parent_, appTitle(), message, QMessageBox::Ok);
}

void MessageBoxDialogs::showError(const QString& message)
{
    QMessageBox::critical(parent_, appTitle(), message, QMessageBox::Ok);
}

QtFileDialogs::QtFileDialogs(QWidget* parent)
    : open_(new QFileDialog(parent, uiText(kOpenTitle))),
      save_(new QFileDialog(parent, uiText(kSaveTitle))),
      import_(new QFileDialog(parent, uiText(kImportTitle)))
{
    useQtDialog(*open_, "OpenDialog", QFileDialog::AcceptOpen);
    open_->setNameFilters({uiText(kCsvFilter), uiText(kEveryFileFilter)});
    listEveryFileUnderItsFilter(*open_);

    useQtDialog(*save_, "SaveDialog", QFileDialog::AcceptSave);
    save_->setOption(QFileDialog::DontConfirmOverwrite);  // the program asks its own question
    save_->setNameFilters({uiText(kCsvFilter)});
    save_->selectFile(uiText(kInitialSaveName));

    useQtDialog(*import_, "ImportDialog", QFileDialog::AcceptOpen);
    import_->setFileMode(QFileDialog::ExistingFile);  // other programs' files: nothing to add
    import_->setDefaultSuffix(QString());
    import_->setNameFilters({uiText(kContactsFilter), uiText(kAnyFileFilter)});
}

QtFileDialogs::~QtFileDialogs()
{
    delete open_;  // null once a parent window has taken them with it
    delete save_;
    delete import_;
}

void QtFileDialogs::setParent(QWidget* parent)
{
    open_->setParent(parent, Qt::Dialog);
    save_->setParent(parent, Qt::Dialog);
    import_->setParent(parent, Qt::Dialog);
}

namespace {
QString run(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    QString chosen = dialog.selectedFiles().first();
    dialog.selectFile(chosen);
    return chosen;
}
}  // namespace

QString QtFileDialogs::openBook()
{
    return run(*open_);
}

QString QtFileDialogs::saveBook()
{
    return run(*save_);
}

QString QtFileDialogs::importContacts()
{
    return run(*import_);
}

QStringList SystemFontList::faces()
{
    QStringList result;
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families) {
        result << family;
    }
    for (const QString& family : families) {
        if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)) {
            result << QStringLiteral("@") + family;
        }
    }
    return result;
}

void DesktopUrlOpener::open(const QString& url)
{
    QDesktopServices::openUrl(QUrl(url));
}
