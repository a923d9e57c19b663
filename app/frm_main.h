// SPDX-License-Identifier: MIT
// The main window: owns the address book and its state, the menus and the
// three tabs, and wires them together. Each tab owns its part of the form.
#pragma once

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/book_commands.h"
#include "app/command_guard.h"
#include "book/address_book.h"
#include "editor/book_state.h"

class CardEditor;
class CardTab;
class Clock;
class CompositionKeeper;
class Dialogs;
class FileDialogs;
class FontList;
class InputMethodSwitch;
class ListTab;
class frmImportColumns;
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
    InputMethodSwitch& inputMethod;
    std::string appDir;          // where initdata.dat and postcode.dat lie
    std::string recoveryFolder;  // where copies of unsaved books are kept
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

    // Start-up, once the window is shown: the recovery copies a save or an
    // end left behind are offered.
    void offerRecoveryCopies();
    // The desktop session is ending. With `mayAsk`, the exit questions are
    // asked, and false means the user's save did not happen (the session
    // should not end); without, unsaved work is kept as a recovery copy.
    bool sessionEnding(bool mayAsk);
    // SIGTERM or SIGHUP: unsaved work is kept as a recovery copy, then the
    // program ends by the signal.
    [[noreturn]] void endBySignal(int signalNumber);

    // BookWindow
    void clearPrintList() override;
    void applyGridLayout(const GridLayout& layout) override;
    void endProgram() override;

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
    CompositionKeeper* compositions_ = nullptr;  // a child of the window
    QString appVersion_;
    AddressBook book_;
    BookState state_;
    // Children of their tab pages; the window's widgets delete them.
    CardTab* cardTab_ = nullptr;
    ListTab* listTab_ = nullptr;
    PrintTab* printTab_ = nullptr;
    frmImportColumns* importColumns_ = nullptr;  // a child of the window
    std::unique_ptr<BookCommands> bookCommands_;
    // Asks before ending unless the questions were answered at this revision
    // of the book, with no card edit since.
    bool exitQuestionsAnswered() const;
    // Keeps unsaved work for an end that cannot ask; a failure goes to the
    // standard error, since no box can be shown any more.
    void keepUnsavedWorkQuietly();

    // The book's revision when the user last answered the exit questions.
    std::optional<std::uint64_t> exitAnsweredAt_;
};
