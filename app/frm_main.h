// SPDX-License-Identifier: MIT
// The main window: owns the address book and its state, the menus and the
// three tabs, and wires them together. Each tab owns its part of the form.
#pragma once

#include <QMainWindow>

#include <memory>
#include <string>

#include "app/book_commands.h"
#include "app/command_guard.h"
#include "book/address_book.h"
#include "editor/book_state.h"

class CardEditor;
class CardTab;
class Clock;
class Dialogs;
class FileDialogs;
class FontList;
class ListTab;
class PrintTab;
class UrlOpener;
class YubinForm;
struct GridLayout;

namespace Ui {
class frmMain;
}

// The platform services the window uses; tests give fakes, main() the real ones.
struct Services {
    Dialogs& dialogs;
    FileDialogs& files;
    FontList& fonts;
    const Clock& clock;
    UrlOpener& urls;
    std::string appDir;  // where initdata.dat and postcode.dat lie
};

class frmMain final : public QMainWindow, public BookWindow {
    Q_OBJECT
public:
    explicit frmMain(const Services& services, QWidget* parent = nullptr);
    ~frmMain() override;

    Ui::frmMain& ui() { return *ui_; }
    CardTab& cardTab() { return *cardTab_; }
    ListTab& listTab() { return *listTab_; }
    PrintTab& printTab() { return *printTab_; }
    AddressBook& book() { return book_; }
    BookState& state() { return state_; }
    CardEditor& editor();
    BookCommands& bookCommands() { return *bookCommands_; }
    YubinForm& yubinForm();
    const QString& AppVersion() const { return appVersion_; }

    // BookWindow
    void clearPrintList() override;
    void applyGridLayout(const GridLayout& layout) override;
    void quitWhenIdle() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void setUpWindow();
    void connectMenu();
    void N9Click();

    std::unique_ptr<Ui::frmMain> ui_;
    Services services_;
    CommandGuard guard_;
    QString appVersion_;
    AddressBook book_;
    BookState state_;
    // Children of their tab pages; the window's widgets delete them.
    CardTab* cardTab_ = nullptr;
    ListTab* listTab_ = nullptr;
    PrintTab* printTab_ = nullptr;
    std::unique_ptr<BookCommands> bookCommands_;
    bool skipExitQuestions_ = false;  // set once asked, or when the template is gone
};
