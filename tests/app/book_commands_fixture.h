// SPDX-License-Identifier: MIT
// The file commands over fake services and a fake editor view, as each
// command's tests drive them.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>

#include "app/book_commands.h"
#include "book/grid_template.h"
#include "book/random_digits.h"
#include "editor/card_editor.h"
#include "platform/app_error.h"
#include "tests/support/fake_editor_view.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"

class FakeBookWindow final : public BookWindow {
public:
    void clearPrintList() override { ++printListClears; }
    void applyGridLayout(const GridLayout& layout) override { layouts.push_back(layout); }
    void endProgram() override { ++endRequests; }

    int printListClears = 0;
    std::vector<GridLayout> layouts;
    int endRequests = 0;
};

// Three cards as another program might have left them: numbers 5, 9 and 12,
// empty fields, and fields that need quotes.
inline const char* const kThreeCards =
    "5,山田太郎;花子,1000001,様;様,東京都千代田区千代田1-1,,,512345\r\n"
    "9,佐藤一郎,5300001,殿,大阪府大阪市北区,\"梅田 1-1\",\"メモ, \"\"大事\"\"\",234567\r\n"
    "12,鈴木,0600000,様,北海道札幌市,,,345678\r\n";

struct Snapshot {
    std::vector<BookRow> rows;
    bool cardChanged;
    bool bookChanged;
    bool unsavedWork;
    QString currentFile;
    std::map<CardField, std::string> fields;
    std::string lottery;
    int number;
    int maximum;
    int editing;
    int printListClears;
    std::size_t layoutsApplied;
};

class BookCommandsTest : public ::testing::Test {
protected:
    BookCommandsTest()
        : editor(book, state, view, dialogs, clock),
          commands(book, state, editor, view, window, dialogs, files, columns, clock, runtimeDir(),
                   recovery())
    {
        view.editor = &editor;
        book.setCell(ColNumber, 1, "1");
        state.bookOpened(QString());  // as start-up leaves it
    }

    // A folder of the test's own for recovery copies.
    RecoveryStore recovery() const
    {
        return RecoveryStore(dir.filePath(QStringLiteral("recovery")).toStdString());
    }

    static std::string runtimeDir()
    {
        return qEnvironmentVariable("FUMI_RUNTIME_DIR").toStdString();
    }

    std::string path(const char* name) const { return dir.filePath(u(name)).toStdString(); }
    QString absolute(const char* name) const
    {
        return QFileInfo(dir.filePath(u(name))).absoluteFilePath();
    }
    std::string writeFile(const char* name, const char* utf8Text)
    {
        writeBytes(path(name), sj(utf8Text));
        return path(name);
    }

    void open(const std::string& file, BookCommands& with)
    {
        files.openAnswers.push_back(QString::fromStdString(file));
        with.acOpenFileExecute();
    }
    void open(const std::string& file) { open(file, commands); }
    void saveAs(const std::string& file)
    {
        files.saveAnswers.push_back(QString::fromStdString(file));
        commands.acNameSaveExecute();
    }
    void typeCard(const char* name, const char* postal, const char* address)
    {
        view.type(CardField::Name, name);
        view.type(CardField::YuubinNo, postal);
        view.type(CardField::Address, address);
    }

    Snapshot snapshot() const
    {
        Snapshot s{{},
                   state.cardChanged(),
                   state.bookChanged(),
                   state.hasUnsavedWork(),
                   state.currentFile(),
                   view.fields,
                   view.lottery,
                   view.number,
                   view.maximum,
                   editor.editing(),
                   window.printListClears,
                   window.layouts.size()};
        for (int r = 0; r < book.rowCount(); ++r) {
            s.rows.push_back(book.row(r));
        }
        return s;
    }
    void expectUnchanged(const Snapshot& before) const
    {
        const Snapshot now = snapshot();
        EXPECT_EQ(now.rows, before.rows);
        EXPECT_EQ(now.cardChanged, before.cardChanged);
        EXPECT_EQ(now.bookChanged, before.bookChanged);
        EXPECT_EQ(now.unsavedWork, before.unsavedWork);
        EXPECT_EQ(now.currentFile, before.currentFile);
        EXPECT_EQ(now.fields, before.fields);
        EXPECT_EQ(now.lottery, before.lottery);
        EXPECT_EQ(now.number, before.number);
        EXPECT_EQ(now.maximum, before.maximum);
        EXPECT_EQ(now.editing, before.editing);
        EXPECT_EQ(now.printListClears, before.printListClears) << "the print list was emptied";
        EXPECT_EQ(now.layoutsApplied, before.layoutsApplied) << "the grid layout was applied";
    }

    // The three cards opened, card 3 stored with a new name, card 2 loaded and
    // edited without storing: every kind of state is set.
    void openAndEditEverything()
    {
        open(writeFile("three.csv", kThreeCards));
        editor.LoadCard(3);
        view.type(CardField::Name, "鈴木花子");
        editor.btnSaveCardClick();
        editor.LoadCard(2);
        view.type(CardField::Memo, "書きかけ");
        dialogs.log.clear();
    }

    QTemporaryDir dir;
    AddressBook book;
    BookState state{book};
    FakeEditorView view;
    FakeDialogs dialogs;
    FakeFileDialogs files;
    FakeColumnChooser columns;
    FixedClock clock{36'000'000};
    FakeBookWindow window;
    CardEditor editor;
    BookCommands commands;
};
