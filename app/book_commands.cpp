// SPDX-License-Identifier: MIT
#include "app/book_commands.h"

#include <QFileInfo>
#include <QStringList>

#include "book/book_file.h"
#include "book/grid_template.h"
#include "book/random_digits.h"
#include "editor/card_editor.h"
#include "import/book_text.h"
#include "import/contact_import.h"
#include "import/import_texts.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_dialogs.h"
#include "platform/file_reader.h"
#include "text/program_text.h"

namespace {
std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}
}  // namespace

BookCommands::BookCommands(AddressBook& book, BookState& state, CardEditor& editor,
                           CardEditorView& view, BookWindow& window, Dialogs& dialogs,
                           FileDialogs& files, const Clock& clock, std::string appDir)
    : book_(book),
      state_(state),
      editor_(editor),
      view_(view),
      window_(window),
      dialogs_(dialogs),
      files_(files),
      clock_(clock),
      appDir_(std::move(appDir))
{
}

void BookCommands::askToSave()
{
    if (state_.bookChanged() && dialogs_.ask(uiText(book_command_texts::kSaveQuestion))) {
        acSaveExecute();
    }
}

bool BookCommands::loadTemplate(GridLayout& layout)
{
    if (!GridTemplateExists(appDir_)) {
        dialogs_.notify(uiText(book_command_texts::kTemplateMissing));
        window_.quitWhenIdle();
        return false;
    }
    layout = LoadGridTemplate(GridTemplatePath(appDir_));
    return true;
}

void BookCommands::applyTemplate(const GridLayout& layout)
{
    ApplyTemplate(layout, book_);
    window_.applyGridLayout(layout);
}

QString LeftOutLinesText(const std::vector<int>& lines)
{
    // A file of another kind leaves out every line: name the first few only.
    constexpr std::size_t kShown = 20;
    QStringList numbers;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i) {
        numbers << QString::number(lines[i]);
    }
    QString list = numbers.join(QStringLiteral(", "));
    if (lines.size() > kShown) {
        list += uiText(book_command_texts::kMoreLines).arg(lines.size() - kShown);
    }
    return uiText(book_command_texts::kLinesLeftOut).arg(list);
}

void BookCommands::acNewFileExecute()
{
    askToSave();
    GridLayout layout;
    const bool haveTemplate = loadTemplate(layout);
    // Columns 1 to 6 are emptied; the template then drops every row but the
    // first, so emptying that one gives the same table.
    for (int c = ColName; c <= ColMemo; ++c) {
        book_.setCell(c, 1, "");
    }
    if (haveTemplate) {
        applyTemplate(layout);
    } else {
        book_.setRowCount(2);
    }
    window_.clearPrintList();
    editor_.clearForNewBook();
    book_.setCell(ColNumber, 1, "1");
    view_.setCardNumberMaximum(1);
    view_.setCardNumber(1);
    editor_.setEditing(1);
    view_.setLotteryNumber(RandomDigits(6, clock_));
    state_.bookOpened(QString());
}

void BookCommands::acOpenFileExecute()
{
    askToSave();
    const QString path = files_.openBook();
    if (path.isEmpty()) {
        editor_.LoadCard(1);
        return;
    }
    GridLayout layout;
    const bool haveTemplate = loadTemplate(layout);

    // The whole file is read into a table of its own first: a file that
    // cannot be read leaves the current book, editor and list as they were.
    AddressBook incoming;
    for (int c = 0; c < ColumnCount; ++c) {
        incoming.setCell(c, 0, book_.cell(c, 0));
    }
    if (haveTemplate) {
        ApplyTemplate(layout, incoming);
    }
    incoming.setCell(ColNumber, 1, "1");
    // A book saved as UTF-8 or UTF-16 by another program is converted first.
    const BookTextReport read = ParseBookTextAnyEncoding(ReadWholeFile(localPath(path)), incoming);

    if (haveTemplate) {
        window_.applyGridLayout(layout);
    }
    book_.replaceWith(std::move(incoming));
    window_.clearPrintList();
    editor_.clearForNewBook();
    view_.setCardNumberMaximum(book_.cardCount());
    editor_.LoadCard(1);
    state_.bookOpened(QFileInfo(path).absoluteFilePath());

    const QString converted = ConvertedBookNotice(read);
    if (!converted.isEmpty()) {
        dialogs_.notify(converted);
    }
    if (!read.leftOutLines.empty()) {
        dialogs_.notify(LeftOutLinesText(read.leftOutLines));
    }
}

void BookCommands::acImportFileExecute()
{
    const QString path = files_.importContacts();
    if (path.isEmpty()) {
        return;
    }
    // The whole file is read and taken apart before the book changes, so a
    // failure on the way leaves the book as it was.
    LotteryGenerator lottery(clock_.millisecondsOfDayUtc());
    ContactImport imported = ImportContacts(ReadWholeFile(localPath(path)), lottery);
    if (imported.format == ContactFormat::Unknown) {
        dialogs_.notify(uiText(import_texts::kNotImportable));
        return;
    }
    const QString report = ImportReportText(imported);
    if (!imported.cards.empty()) {
        editor_.settleEditsBeforeLoad();
        const int first = takeInCards(std::move(imported.cards));
        book_.renumberCards();
        state_.cardStored();
        window_.clearPrintList();
        view_.setCardNumberMaximum(book_.cardCount());
        editor_.LoadCard(first);
    }
    dialogs_.notify(report);
}

int BookCommands::takeInCards(std::vector<BookRow> cards)
{
    if (!book_.holdsNoCard()) {
        const int first = book_.cardCount() + 1;
        book_.appendRows(std::move(cards));
        return first;
    }
    AddressBook taken;
    taken.setRow(0, book_.row(0));
    taken.setRow(1, std::move(cards.front()));
    cards.erase(cards.begin());
    taken.appendRows(std::move(cards));
    book_.replaceWith(std::move(taken));
    return 1;
}

bool BookCommands::writeAfterOverwriteQuestion(const QString& path)
{
    if (QFileInfo::exists(path) && !dialogs_.ask(uiText(book_command_texts::kOverwriteQuestion))) {
        return false;
    }
    WriteBookFile(localPath(path), book_);
    state_.bookSaved();
    return true;
}

void BookCommands::acNameSaveExecute()
{
    saveAs();
}

void BookCommands::acSaveExecute()
{
    save();
}

bool BookCommands::saveAs()
{
    const QString path = files_.saveBook();
    if (path.isEmpty()) {
        return false;
    }
    state_.setCurrentFile(QFileInfo(path).absoluteFilePath());
    return writeAfterOverwriteQuestion(state_.currentFile());
}

bool BookCommands::save()
{
    if (state_.currentFile().isEmpty()) {
        return saveAs();
    }
    return writeAfterOverwriteQuestion(state_.currentFile());
}

bool BookCommands::beforeExit()
{
    if (state_.cardChanged() && dialogs_.ask(uiText(editor_texts::kStoreQuestion))) {
        editor_.SaveCard(editor_.editing());
    }
    if (state_.hasUnsavedWork() && dialogs_.ask(uiText(book_command_texts::kSaveQuestion))) {
        return save();
    }
    return true;
}
