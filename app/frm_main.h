// The main window: owns the controls, the address book and its state, and
// wires every control to a short handler that calls the logic.
#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

#include "app/book_commands.h"
#include "book/address_book.h"
#include "editor/book_state.h"
#include "editor/card_editor.h"

class BookModel;
class Clock;
class Dialogs;
class FileDialogs;
class FontList;
class PostalLookup;
class PrintController;
class UrlOpener;
class YubinForm;
struct GridLayout;

namespace Ui {
class frmMain;
}

// The platform services the window uses; tests give fakes, main() the real ones.
struct Services {
    Dialogs* dialogs = nullptr;
    FileDialogs* files = nullptr;
    FontList* fonts = nullptr;
    const Clock* clock = nullptr;
    UrlOpener* urls = nullptr;
    std::string appDir;  // where initdata.dat and postcode.dat lie
};

class frmMain final : public QMainWindow, public CardEditorView, public BookWindow {
    Q_OBJECT
public:
    explicit frmMain(const Services& services, QWidget* parent = nullptr);
    ~frmMain() override;

    Ui::frmMain& ui() { return *ui_; }
    AddressBook& book() { return book_; }
    BookState& state() { return state_; }
    CardEditor& editor() { return *editor_; }
    BookCommands& bookCommands() { return *bookCommands_; }
    YubinForm& yubinForm() { return *yubinForm_; }
    PrintController& print() { return *print_; }
    const QString& AppVersion() const { return appVersion_; }
    const Services& services() const { return services_; }

    // Runs one command; a failure is shown in the error box and the program goes on.
    void guarded(const std::function<void()>& command);
    // A connection whose handler runs inside the error guard.
    template <typename Sender, typename Signal>
    void on(Sender* sender, Signal signal, std::function<void()> handler)
    {
        connect(sender, signal, this, [this, handler = std::move(handler)] { guarded(handler); });
    }

    // CardEditorView
    std::string field(CardField f) const override;
    void setField(CardField f, const std::string& text) override;
    std::string lotteryNumber() const override;
    void setLotteryNumber(const std::string& digits) override;
    int cardNumber() const override;
    void setCardNumber(int number) override;
    int cardNumberMaximum() const override;
    void setCardNumberMaximum(int maximum) override;
    void focusName() override;

    // BookWindow
    void clearPrintList() override;
    void applyGridLayout(const GridLayout& layout) override;
    void quitWhenIdle() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void setUpWindow();
    void setUpGrid();
    static GridLayout FormGridLayout();
    void setUpFields();
    void connectMenu();
    void connectEditor();
    void connectPreview();
    void connectLinks();

    // Change handlers of the card and sender fields.
    void txtNameChange();
    void txtRenmei1Change();
    void txtYuubinNoChange();
    void txtSenderYuubinNoChange();
    void chkVisibleClick();
    void lblnengaClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void N9Click();


    std::unique_ptr<Ui::frmMain> ui_;
    Services services_;
    QString appVersion_;
    AddressBook book_;
    BookState state_;
    std::unique_ptr<BookModel> model_;
    std::unique_ptr<CardEditor> editor_;
    std::unique_ptr<BookCommands> bookCommands_;
    std::unique_ptr<PostalLookup> postal_;
    YubinForm* yubinForm_ = nullptr;
    std::unique_ptr<PrintController> print_;
    bool skipExitQuestions_ = false;  // set once asked, or when the template is gone
    bool alwaysShowEditor_ = false;
};
