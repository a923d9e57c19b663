// SPDX-License-Identifier: MIT
// The address book file commands New, Open, Save As and Save, taking in other
// programs' contacts, the questions asked before the program ends, and the
// recovery copies that keep unsaved work when the program cannot ask.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "book/address_book.h"
#include "book/recovery_store.h"
#include "editor/book_state.h"

class CardEditor;
class CardEditorView;
class ColumnChooser;
class Clock;
class Dialogs;
class FileDialogs;
struct GridLayout;

namespace book_command_texts {
inline constexpr char kSaveQuestion[] = "住所録ファイルは変更されています。\n\r保存しますか？";
inline constexpr char kOverwriteQuestion[] =
    "ファイルが存在します。上書き保存しますか？\n\rカードを保存しますか？";
inline constexpr char kTemplateMissing[] = "起動に必要なファイルがありません。";
inline constexpr char kLinesLeftOut[] =
    "次の行は項目が8つではないため読み込みませんでした（保存すると失われます）:\n\r%1";
inline constexpr char kMoreLines[] = " ほか %1 行";
inline constexpr char kNoCardLines[] = "このファイルには、住所録として読める行がありません。";
inline constexpr char kChangedOnDisk[] =
    "このファイルは、開いた後でほかのプログラムによって変更されています。\n\r上書きしますか？";
// %1: the book's own path (or kNeverSaved), %2: the copy.
inline constexpr char kRecoveryQuestion[] =
    "保存されていない住所録の控えがあります。\n\r元のファイル: %1\n\r控え: %2\n\r"
    "控えを開きますか？";
inline constexpr char kNeverSaved[] = "（まだ保存されていない住所録）";
inline constexpr char kRecoveryDeleteQuestion[] =
    "この控えを削除しますか？\n\r削除しなければ、次に起動したときにもう一度お知らせします。";
}  // namespace book_command_texts

// The notice after an open that left lines out, naming at most 20 of them.
QString LeftOutLinesText(const std::vector<int>& lines);

// What the commands need of the main window besides the editor.
class BookWindow {
public:
    virtual ~BookWindow() = default;
    virtual void clearPrintList() = 0;
    // The grid's part of the template: widths, heights, options.
    virtual void applyGridLayout(const GridLayout& layout) = 0;
    // Ends the program once the running command is over, by the way the exit
    // menu item takes: with the questions about unsaved work.
    virtual void endProgram() = 0;
};

class BookCommands {
public:
    BookCommands(AddressBook& book, BookState& state, CardEditor& editor, CardEditorView& view,
                 BookWindow& window, Dialogs& dialogs, FileDialogs& files, ColumnChooser& columns,
                 const Clock& clock, std::string appDir, RecoveryStore recovery);

    void acNewFileExecute();
    void acOpenFileExecute();
    void acNameSaveExecute();
    void acSaveExecute();
    // Appends the contacts of another program's file: Google's CSV, vCard, a
    // CSV by its header words, another book, or any CSV through the column dialog.
    void acImportFileExecute();
    // Asks to store and to save what is unsaved. False when the user asked to
    // save and no save happened (a cancelled dialog, No at the overwrite
    // question): the program must then go on, with the book as it is.
    bool beforeExit();

    // Start-up: offers the recovery copies there are, newest first, until one
    // is opened. One the user neither opens nor deletes stays for the next start.
    void offerRecoveryCopies();
    // Keeps what ending now would lose (the book's unsaved changes and the
    // editor's unstored card) as a recovery copy, when there is any; for an end
    // that cannot ask. Throws AppError when the copy cannot be written.
    void keepUnsavedWork();

private:
    // The save question of New and Open; false when the user asked to save
    // and no save happened, so that the command must stop.
    bool askToSave();
    // Save and Save As; true when the book was written.
    bool save();
    bool saveAs();
    // Reads initdata.dat; false when it is missing (the program then ends).
    bool loadTemplate(GridLayout& layout);
    // Open's steps after the dialog: the file at `path` read into the book,
    // which then belongs to `bookPath`: the same file, or, for a recovery
    // copy, the book it was kept for.
    void openFile(const QString& path, const GridLayout& layout, const QString& bookPath,
                  bool recovered);
    void applyTemplate(const GridLayout& layout);
    // Asks before writing over an existing file; true when the book was written.
    bool writeAfterOverwriteQuestion(const QString& path);
    // Puts the cards after the last card, or in place of a book that holds
    // none; the number of the first of them.
    int takeInCards(std::vector<BookRow> cards);

    AddressBook& book_;
    BookState& state_;
    CardEditor& editor_;
    CardEditorView& view_;
    BookWindow& window_;
    Dialogs& dialogs_;
    FileDialogs& files_;
    ColumnChooser& columns_;
    const Clock& clock_;
    std::string appDir_;
    RecoveryStore recovery_;
    // The recovery copy the book was opened from; it goes once the book is saved.
    std::optional<RecoveryCopy> openedCopy_;
};
