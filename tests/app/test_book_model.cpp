// SPDX-License-Identifier: MIT
// The grid's model stays a correct Qt model through every operation that
// changes the book, as Qt's own model tester checks it.
#include <QAbstractItemModelTester>

#include "book/book_model.h"
#include "book/kanji_numerals.h"
#include "tests/app/book_commands_fixture.h"
#include "text/cp932.h"

namespace {

QStringList warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg) {
        warnings << message;
    }
}

class BookModelTest : public BookCommandsTest {
protected:
    BookModelTest() : previousHandler(qInstallMessageHandler(collectWarnings))
    {
        warnings.clear();
        open(writeFile("three.csv", kThreeCards));
    }
    ~BookModelTest() override { qInstallMessageHandler(previousHandler); }

    // What the grid shows is what the book holds.
    void expectModelShowsTheBook() const
    {
        ASSERT_EQ(model.rowCount(), book.cardCount());
        ASSERT_EQ(model.columnCount(), ColumnCount - 1);
        for (int r = 1; r <= book.cardCount(); ++r) {
            EXPECT_EQ(model.headerData(BookModel::modelRow(r), Qt::Vertical, Qt::DisplayRole),
                      cp932::toUnicode(book.cell(ColNumber, r)));
            for (int c = ColName; c < ColumnCount; ++c) {
                const QModelIndex i =
                    model.index(BookModel::modelRow(r), BookModel::modelColumn(c));
                EXPECT_EQ(model.data(i, Qt::DisplayRole), cp932::toUnicode(book.cell(c, r)))
                    << "row " << r << " column " << c;
            }
        }
    }

    QtMessageHandler previousHandler;
    BookModel model{book};
    QAbstractItemModelTester tester{&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning};
};

TEST_F(BookModelTest, StaysConsistentThroughEveryOperation)
{
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        {"store",
         [&] {
             editor.LoadCard(2);
             view.type(CardField::Name, "佐藤次郎");
             editor.btnSaveCardClick();
         }},
        {"new card",
         [&] {
             editor.btnNewcardClick();
             typeCard("新井", "1500001", "東京都渋谷区");
             editor.btnSaveCardClick();
         }},
        {"delete",
         [&] {
             view.number = 1;
             dialogs.answer({true});
             editor.btnDelCardClick();
         }},
        {"grid edit",
         [&] {
             model.setData(model.index(1, BookModel::modelColumn(ColMemo)), u("一覧で書いた"),
                           Qt::EditRole);
         }},
        {"kanji conversion", [&] { ConvertAddressesToKanjiNumerals(book); }},
        {"New", [&] { commands.acNewFileExecute(); }},
        {"Open", [&] { open(writeFile("again.csv", kThreeCards)); }},
    };
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        dialogs.answer({false, false, false});  // any store or save question: No
        operation();
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join(u("\n")).toStdString();
        warnings.clear();
        expectModelShowsTheBook();
    }
}

}  // namespace
