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
                           FileDialogs& files, ColumnChooser& columns, const Clock& clock,
                           std::string appDir, RecoveryStore recovery)
    : book_(book),
      state_(state),
      editor_(editor),
      view_(view),
      window_(window),
      dialogs_(dialogs),
      files_(files),
      columns_(columns),
      clock_(clock),
      appDir_(std::move(appDir)),
      recovery_(std::move(recovery))
{
}

bool BookCommands::askToSave()
{
    if (!state_.needsSaveQuestion() || !dialogs_.ask(uiText(book_command_texts::kSaveQuestion))) {
        return true;
    }
    return save();
}

bool BookCommands::loadTemplate(GridLayout& layout)
{
    if (!GridTemplateExists(appDir_)) {
        // Nothing has changed yet: the program ends as the exit menu item ends
        // it, asking about what would be lost.
        dialogs_.notify(uiText(book_command_texts::kTemplateMissing));
        window_.endProgram();
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
    // The template first: a missing one ends the program before anything changes.
    GridLayout layout;
    if (!loadTemplate(layout) || !askToSave()) {
        return;
    }
    // Columns 1 to 6 are emptied; the template then drops every row but the
    // first, so emptying that one gives the same table.
    for (int c = ColName; c <= ColMemo; ++c) {
        book_.setCell(c, 1, "");
    }
    applyTemplate(layout);
    window_.clearPrintList();
    editor_.clearForNewBook();
    book_.setCell(ColNumber, 1, "1");
    view_.setCardNumberMaximum(1);
    view_.setCardNumber(1);
    editor_.setEditing(1);
    view_.setLotteryNumber(RandomDigits(6, clock_));
    state_.bookOpened(QString());
    openedCopy_.reset();
}

void BookCommands::acOpenFileExecute()
{
    GridLayout layout;
    if (!loadTemplate(layout) || !askToSave()) {
        return;
    }
    const QString path = files_.openBook();
    if (path.isEmpty()) {
        editor_.LoadCard(1);
        return;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    openFile(absolute, layout, absolute, false);
}

void BookCommands::openFile(const QString& path, const GridLayout& layout, const QString& bookPath,
                            bool recovered)
{
    // The whole file is read into a table of its own first: a file that
    // cannot be read leaves the current book, editor and list as they were.
    FileStamp stamp;
    const std::string bytes =
        ReadWholeFile(localPath(path), kMaxBookFileBytes, MissingFolder::FolderNotFound, &stamp);
    AddressBook incoming;
    for (int c = 0; c < ColumnCount; ++c) {
        incoming.setCell(c, 0, book_.cell(c, 0));
    }
    ApplyTemplate(layout, incoming);
    incoming.setCell(ColNumber, 1, "1");
    // A book saved as UTF-8 or UTF-16 by another program is converted first.
    const BookTextReport read = ParseBookTextAnyEncoding(bytes, incoming);

    window_.applyGridLayout(layout);
    book_.replaceWith(std::move(incoming));
    window_.clearPrintList();
    editor_.clearForNewBook();
    view_.setCardNumberMaximum(book_.cardCount());
    editor_.LoadCard(1);
    if (recovered) {
        state_.bookRecovered(bookPath);
    } else {
        state_.bookOpened(bookPath, stamp);
        openedCopy_.reset();
    }

    const QString converted = ConvertedBookNotice(read);
    if (!converted.isEmpty()) {
        dialogs_.notify(converted);
    }
    if (!read.leftOutLines.empty()) {
        dialogs_.notify(LeftOutLinesText(read.leftOutLines));
    } else if (!bytes.empty() && HoldsNoLine(bytes)) {
        // Bytes that make no line at all: a file of NULs or blanks.
        dialogs_.notify(uiText(book_command_texts::kNoCardLines));
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
    ContactImport imported =
        ImportContacts(ReadWholeFile(localPath(path), kMaxBookFileBytes), lottery);
    if (imported.undecided) {
        // A CSV of no known layout: the person names its columns.
        const std::optional<ColumnChoice> choice =
            columns_.choose(*imported.undecided, GuessColumns(*imported.undecided));
        if (!choice) {
            return;
        }
        imported = ImportWithColumns(*imported.undecided, imported.encoding, *choice, lottery);
    }
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
    const std::string local = localPath(path);
    const std::optional<FileStamp> onDisk = StampOfFile(local);
    if (state_.changedOnDisk(path, onDisk) &&
        !dialogs_.ask(uiText(book_command_texts::kChangedOnDisk))) {
        return false;
    }
    if (onDisk && !dialogs_.ask(uiText(book_command_texts::kOverwriteQuestion))) {
        return false;
    }
    const FileStamp written = WriteBookFile(local, book_, recovery_);
    state_.bookSaved(path, written);
    if (openedCopy_) {
        recovery_.remove(*openedCopy_);  // the recovered book is safe now
        openedCopy_.reset();
    }
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

void BookCommands::offerRecoveryCopies()
{
    for (const RecoveryCopy& copy : recovery_.copies()) {
        const QString bookPath = QFile::decodeName(copy.bookPath.c_str());
        const QString question =
            uiText(book_command_texts::kRecoveryQuestion)
                .arg(bookPath.isEmpty() ? uiText(book_command_texts::kNeverSaved) : bookPath,
                     QFile::decodeName(copy.copyPath.c_str()));
        if (dialogs_.ask(question)) {
            GridLayout layout;
            if (!loadTemplate(layout)) {
                return;
            }
            openFile(QFile::decodeName(copy.copyPath.c_str()), layout, bookPath, true);
            openedCopy_ = copy;
            return;
        }
        if (dialogs_.ask(uiText(book_command_texts::kRecoveryDeleteQuestion))) {
            recovery_.remove(copy);
        }
    }
}

void BookCommands::keepUnsavedWork()
{
    if (!state_.hasUnsavedWork() && !state_.cardChanged()) {
        return;
    }
    // The book with the card being edited as its fields hold it.
    std::string text;
    const int editing = editor_.editing();
    for (int r = 1; r < book_.rowCount(); ++r) {
        BookRow row = book_.row(r);
        if (r == editing && state_.cardChanged()) {
            BookRow card = editor_.cardAsRow();
            card[ColNumber] = row[ColNumber];
            row = std::move(card);
        }
        text += EncodeBookLine(row);
        text += "\r\n";
    }
    recovery_.keep(localPath(state_.currentFile()), text);
}
