#include "app/qt_services.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QMessageBox>
#include <QUrl>

namespace {
QString appTitle()
{
    return QStringLiteral("ふみよせ");
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
    : open_(new QFileDialog(parent, QStringLiteral("住所録を開く"))),
      save_(new QFileDialog(parent, QStringLiteral("名前を付けて保存")))
{
    open_->setObjectName(QStringLiteral("OpenDialog"));
    open_->setAcceptMode(QFileDialog::AcceptOpen);
    open_->setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
    open_->setNameFilters({QStringLiteral("CSV形式 (*.csv)"), QStringLiteral("すべて (*.*)")});
    open_->setDefaultSuffix(QStringLiteral("csv"));

    save_->setObjectName(QStringLiteral("SaveDialog"));
    save_->setAcceptMode(QFileDialog::AcceptSave);
    save_->setFileMode(QFileDialog::AnyFile);
    save_->setOption(QFileDialog::DontConfirmOverwrite);  // the program asks its own question
    save_->setNameFilters({QStringLiteral("CSV形式 (*.csv)")});
    save_->setDefaultSuffix(QStringLiteral("csv"));
    save_->selectFile(QStringLiteral("住所録"));
}

QtFileDialogs::~QtFileDialogs()
{
    delete open_;  // null once a parent window has taken them with it
    delete save_;
}

void QtFileDialogs::setParent(QWidget* parent)
{
    open_->setParent(parent, Qt::Dialog);
    save_->setParent(parent, Qt::Dialog);
}

namespace {
QString run(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString chosen = dialog.selectedFiles().first();
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
