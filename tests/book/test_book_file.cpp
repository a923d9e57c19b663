// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "book/book_file.h"
#include "platform/app_error.h"
#include "tests/book/book_file_fixture.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"
#include "tests/support/small_disk.h"

namespace {

namespace fs = std::filesystem;

TEST(EncodeBookLine, WritesPlainFieldsBareAndEmptyCellsAsNothing)
{
    EXPECT_EQ(EncodeBookLine(kSampleCard),
              sj("1,山田太郎;花子,1000001,様;様,東京都千代田区千代田1-1,,,512345"));
    EXPECT_EQ(EncodeBookLine(BookRow{}), ",,,,,,,");
}

// A cell written as the first field of a line.
std::string encodedCell(std::string cell)
{
    BookRow row{};
    row[0] = std::move(cell);
    const std::string line = EncodeBookLine(row);
    return line.substr(0, line.size() - 7);
}

TEST(EncodeBookLine, QuotesBlanksControlsCommasAndQuotes)
{
    EXPECT_EQ(encodedCell(" "), "\" \"");
    EXPECT_EQ(encodedCell("a\tb"), "\"a\tb\"");
    EXPECT_EQ(encodedCell("\x01"), "\"\x01\"");
    EXPECT_EQ(encodedCell("a,b"), "\"a,b\"");
    EXPECT_EQ(encodedCell("say \"hi\""), "\"say \"\"hi\"\"\"");
    // 0x21 and DEL are not blanks; NUL is outside the tested range.
    EXPECT_EQ(encodedCell("!~\x7f"), "!~\x7f");
    EXPECT_EQ(encodedCell(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(EncodeBookLine, NeverTestsTheSecondByteOfACharacter)
{
    // Full-width characters, the full-width space (0x81 0x40) among them, stay bare.
    EXPECT_EQ(encodedCell(sj("東京　港区")), sj("東京　港区"));
    // 表 ends in 0x5C and ポ in 0x7C.
    EXPECT_EQ(encodedCell(sj("表ポ")), sj("表ポ"));
    // A lead byte swallows a comma or a space after it: no quotes needed.
    EXPECT_EQ(encodedCell("\x81,\x81 "), "\x81,\x81 ");
    // Inside quotes, a quote after a lead byte is part of the character, not doubled.
    EXPECT_EQ(encodedCell("a \x81\""), "\"a \x81\"\"");
}

TEST(EncodeBookLine, WritesStrayBytesSoThatTheyReadBackTheSame)
{
    const std::string nul("\0", 1);
    // The reader skips NULs at the start of a line; quotes keep them.
    EXPECT_EQ(encodedCell(nul + "a"), "\"" + nul + "a\"");
    // A lone lead byte would take the closing quote; at the line end it is left off.
    BookRow row{};
    row[ColLottery] = "\x01\x81";
    EXPECT_EQ(EncodeBookLine(row), ",,,,,,,\"\x01\x81");
    row[ColLottery] = "\x81";
    EXPECT_EQ(EncodeBookLine(row), ",,,,,,,\x81");
    // Before the line end the quote stays (no read gives such a cell there).
    row = {};
    row[ColMemo] = "\x01\x81";
    EXPECT_EQ(EncodeBookLine(row), ",,,,,,\"\x01\x81\",");
}

TEST(SplitBookLine, SplitsAtCommasAndBlanks)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitBookLine(""), V{});
    EXPECT_EQ(SplitBookLine("   "), V{});
    EXPECT_EQ(SplitBookLine("a,b"), (V{"a", "b"}));
    EXPECT_EQ(SplitBookLine("  a  ,\t b \t"), (V{"a", "b"}));
    EXPECT_EQ(SplitBookLine(",,,,,,,"), V(8, ""));
    // Only a comma that is the very last byte adds an empty field.
    EXPECT_EQ(SplitBookLine("a,"), (V{"a", ""}));
    EXPECT_EQ(SplitBookLine("a, "), (V{"a"}));
    // A blank inside a bare field starts a new one.
    EXPECT_EQ(SplitBookLine(sj("東京都 港区,x")), (V{sj("東京都"), sj("港区"), "x"}));
    EXPECT_EQ(SplitBookLine(sj("東京　港区")), (V{sj("東京　港区")}));
}

TEST(SplitBookLine, ReadsQuotedFields)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitBookLine("\"a, b\",\"\"\"q\"\"\""), (V{"a, b", "\"q\""}));
    EXPECT_EQ(SplitBookLine("\"\",x"), (V{"", "x"}));
    // Something other than a comma after a field begins the next field.
    EXPECT_EQ(SplitBookLine("\"abc\"def,g"), (V{"abc", "def", "g"}));
    // An unterminated quote runs to the end of the line.
    EXPECT_EQ(SplitBookLine("1,\"abc,d e"), (V{"1", "abc,d e"}));
    // Double-byte characters are taken whole, also when the second byte looks like a separator.
    EXPECT_EQ(SplitBookLine("\x81,x,y"), (V{"\x81,x", "y"}));
    EXPECT_EQ(SplitBookLine("\"\x81\",z\""), (V{"\x81\",z"}));
    EXPECT_EQ(SplitBookLine(sj("表,ポ")), (V{sj("表"), sj("ポ")}));
}

// The codes that real files below do not reach.
TEST(FileErrorText, MapsTheRemainingCodes)
{
    EXPECT_EQ(FileErrorText(EMFILE, FileAccess::Read).toStdString(),
              "オープンしたファイルが多すぎます");
    EXPECT_EQ(FileErrorText(EDQUOT, FileAccess::Write).toStdString(), "ディスクがいっぱいです");
    EXPECT_EQ(FileErrorText(EIO, FileAccess::Write).toStdString(), "ディスクがいっぱいです");
    EXPECT_EQ(FileErrorText(EIO, FileAccess::Read).toStdString(), "I/O エラー (5)");
    EXPECT_EQ(FileErrorText(EXDEV, FileAccess::Write).toStdString(), "I/O エラー (18)");
}

TEST_F(BookFileTest, RoundTripsEveryTakenLineByteForByte)
{
    const AddressBook book = bookOf({
        kSampleCard,
        {"2", sj("佐藤"), "", sj("様"), sj("大阪府 大阪市"), "a,b", "say \"hi\"", "\t"},
        {},
        {"4", " ", sj("　"), sj("表ポソ"), "", "", "", ""},
    });
    WriteBookFile(path("a.csv"), book, recovery());
    const std::string written = readBytes(path("a.csv"));
    EXPECT_EQ(written.substr(0, written.find('\n') + 1),
              sj("1,山田太郎;花子,1000001,様;様,東京都千代田区千代田1-1,,,512345\r\n"));
    EXPECT_NE(written.find("\r\n,,,,,,,\r\n"), std::string::npos);
    EXPECT_TRUE(written.ends_with("\r\n"));
    EXPECT_FALSE(written.starts_with("\xEF\xBB\xBF"));

    AddressBook read;
    EXPECT_TRUE(ReadBookFile(path("a.csv"), read).empty());
    ASSERT_EQ(read.rowCount(), book.rowCount());
    for (int r = 1; r < book.rowCount(); ++r) {
        EXPECT_EQ(read.row(r), book.row(r)) << r;
    }
    // Empty fields come back empty, not as a space, so a second save changes nothing.
    EXPECT_EQ(read.cell(ColAddress2, 1), "");
    WriteBookFile(path("b.csv"), read, recovery());
    EXPECT_EQ(readBytes(path("b.csv")), written);
}

TEST_F(BookFileTest, EmptyBookWritesOneLineOfSevenCommas)
{
    AddressBook book;
    book.setCell(ColNumber, 1, "1");
    WriteBookFile(path("e.csv"), book, recovery());
    EXPECT_EQ(readBytes(path("e.csv")), "1,,,,,,,\r\n");
}

TEST_F(BookFileTest, SkipsLinesThatAreNotEightFieldsButKeepsTheirRowNumbers)
{
    writeBytes(path("s.csv"),
               "5,a,,,,,,\r\n"
               "1,2,3,4,5,6,7\r\n"  // seven fields
               "9,b,,,,,,\r\n"
               "\r\n"
               "   \t \r\n"                             // blanks only
               "12,c,,,,,,\n"                           // LF alone ends a line too
               "x,\x93\x8c\x8b\x9e \x8d\x60,,,,,,\r\n"  // a bare field with a space: nine fields
               "1,2,3,4,5,6,7,8,9\r\n");
    AddressBook book;
    book.setCell(ColNumber, 1, "1");
    EXPECT_EQ(ReadBookFile(path("s.csv"), book), (std::vector<int>{2, 7, 8}));
    // The skipped line leaves an empty row; the trailing ones leave none.
    ASSERT_EQ(book.rowCount(), 5);
    EXPECT_EQ(book.cell(ColNumber, 1), "5");
    EXPECT_EQ(book.row(2), BookRow{});
    EXPECT_EQ(book.cell(ColNumber, 3), "9");
    EXPECT_EQ(book.cell(ColNumber, 4), "12");
    EXPECT_EQ(book.cell(ColName, 4), "c");
}

TEST_F(BookFileTest, AFileWithNoTakenLineLeavesTheEmptyBook)
{
    writeBytes(path("n.csv"), "\r\n\r\n  \r\n");
    AddressBook book;
    EXPECT_TRUE(ReadBookFile(path("n.csv"), book).empty());
    EXPECT_EQ(book.rowCount(), 2);
    writeBytes(path("m.csv"), "a,b\r\nc\r\n");
    EXPECT_EQ(ReadBookFile(path("m.csv"), book), (std::vector<int>{1, 2}));
    EXPECT_EQ(book.rowCount(), 2);
}

TEST_F(BookFileTest, ReadsALastLineWithoutLineEnd)
{
    writeBytes(path("l.csv"), "1,a,,,,,,\r\n2,b,,,,,,x");
    AddressBook book;
    EXPECT_TRUE(ReadBookFile(path("l.csv"), book).empty());
    ASSERT_EQ(book.rowCount(), 3);
    EXPECT_EQ(book.cell(ColLottery, 2), "x");
}

TEST_F(BookFileTest, KeepsInvalidBytesAndNulsAndReadsOn)
{
    const std::string nul("\0", 1);
    writeBytes(path("i.csv"), "1,\xff\xa0\x80,\x81,,,,,,\r\n" +              // stray bytes
                                  nul + nul + "2,a" + nul + "b,,,,,,\r\n" +  // NULs
                                  "3,\x81,,,,,,\r\n" +  // lead byte eats a comma
                                  "4,ok,,,,,,\r\n");
    AddressBook book;
    EXPECT_EQ(ReadBookFile(path("i.csv"), book), (std::vector<int>{3}));
    ASSERT_EQ(book.rowCount(), 5);
    EXPECT_EQ(book.cell(ColName, 1), "\xff\xa0\x80");
    EXPECT_EQ(book.cell(ColPostalCode, 1), "\x81,");
    EXPECT_EQ(book.cell(ColName, 2), "a" + nul + "b");
    EXPECT_EQ(book.cell(ColName, 4), "ok");
}

TEST_F(BookFileTest, StrayBytesSurviveASaveAndASecondRead)
{
    const std::string nul("\0", 1);
    writeBytes(path("s.csv"), "\"" + nul + "1\",a,,,,,,\r\n" +  // a quoted NUL first
                                  "2,,,,,,,\"\x01\x81\r\n" +    // a lone lead byte at the end
                                  "3,,,,,,,\"\x81");
    AddressBook first;
    ASSERT_TRUE(ReadBookFile(path("s.csv"), first).empty());
    ASSERT_EQ(first.cell(ColNumber, 1), nul + "1");
    ASSERT_EQ(first.cell(ColLottery, 2), "\x01\x81");
    ASSERT_EQ(first.cell(ColLottery, 3), "\x81");

    WriteBookFile(path("t.csv"), first, recovery());
    AddressBook second;
    EXPECT_TRUE(ReadBookFile(path("t.csv"), second).empty());
    ASSERT_EQ(second.rowCount(), first.rowCount());
    for (int r = 1; r < first.rowCount(); ++r) {
        EXPECT_EQ(second.row(r), first.row(r)) << "row " << r;
    }
}

TEST_F(BookFileTest, ReadsATenMegabyteLine)
{
    const std::string huge(10 * 1024 * 1024, 'x');
    writeBytes(path("h.csv"), "1," + huge + ",,,,,,\r\n" + huge + "\r\n2,after,,,,,,\r\n");
    AddressBook book;
    EXPECT_EQ(ReadBookFile(path("h.csv"), book), (std::vector<int>{2}));
    ASSERT_EQ(book.rowCount(), 4);
    EXPECT_EQ(book.cell(ColName, 1).size(), huge.size());
    EXPECT_EQ(book.cell(ColName, 3), "after");
}

TEST_F(BookFileTest, TheTextFunctionsGiveWhatTheFileFunctionsGive)
{
    const std::string nul("\0", 1);
    const std::string bytes = "5,a,,,,,,\r\n1,2,3,4,5,6,7\r\n\r\n" + nul + "2,\"x\"\"y\",,,,,,\n" +
                              "3,\x81,,,,,,\r\n4,\"q,\t\",\xff,,,,,\x81";
    writeBytes(path("t.csv"), bytes);
    AddressBook fromFile;
    AddressBook fromText;
    const std::vector<int> notTaken = ReadBookFile(path("t.csv"), fromFile);
    EXPECT_EQ(notTaken, (std::vector<int>{2, 5}));
    EXPECT_EQ(ParseBookText(bytes, fromText), notTaken);
    ASSERT_EQ(fromText.rowCount(), fromFile.rowCount());
    for (int r = 0; r < fromFile.rowCount(); ++r) {
        EXPECT_EQ(fromText.row(r), fromFile.row(r)) << r;
    }
    WriteBookFile(path("w.csv"), fromFile, recovery());
    EXPECT_EQ(EncodeBookText(fromFile), readBytes(path("w.csv")));

    AddressBook empty;
    EXPECT_TRUE(ParseBookText("", empty).empty());
    EXPECT_EQ(empty.rowCount(), 2);
    EXPECT_EQ(EncodeBookText(empty), ",,,,,,,\r\n");
}

TEST_F(BookFileTest, RefusesWhatIsNoRegularFileWithoutWaiting)
{
    // A FIFO without a writer would block the read for ever, /dev/zero never
    // ends; the alarm ends the test if either is read after all.
    const std::string fifo = path("p.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(10);
    for (const std::string& source : {fifo, std::string("/dev/zero"), folder()}) {
        AddressBook book;
        EXPECT_EQ(errorOf([&] { ReadBookFile(source, book); }), u("通常のファイルではありません"))
            << source;
        EXPECT_EQ(book.rowCount(), 2);
    }
    ::alarm(0);
}

TEST_F(BookFileTest, RefusesAFileOverTheLimitBeforeReadingIt)
{
    // A sparse file: its size costs no disk, and reading it would take 600 MB.
    const std::string sparse = path("sparse.csv");
    writeBytes(sparse, "1,a,,,,,,\r\n");
    ASSERT_EQ(::truncate(sparse.c_str(), static_cast<off_t>(kMaxBookFileBytes) + 1), 0);
    AddressBook book;
    EXPECT_EQ(errorOf([&] { ReadBookFile(sparse, book); }), u("ファイルが大きすぎます"));
    EXPECT_EQ(book.rowCount(), 2);
}

TEST_F(BookFileTest, ALineOfMillionsOfCommasIsLeftOutWithoutSplittingIt)
{
    const std::string commas(8'000'000, ',');
    AddressBook book;
    EXPECT_EQ(ParseBookText("1,a,,,,,,\r\n" + commas + "\r\n2,b,,,,,,\r\n", book),
              std::vector<int>{2});
    EXPECT_EQ(book.cell(ColName, 3), "b");
    EXPECT_TRUE(HoldsNoLine(std::string(100, '\0') + " \r\n\t"));
    EXPECT_FALSE(HoldsNoLine(" ,"));
}

TEST_F(BookFileTest, AnUnterminatedQuoteSpoilsOnlyItsLine)
{
    writeBytes(path("q.csv"), "1,\"open,,,,,,\r\n2,b,,,,,,\r\n");
    AddressBook book;
    EXPECT_EQ(ReadBookFile(path("q.csv"), book), (std::vector<int>{1}));
    ASSERT_EQ(book.rowCount(), 3);
    EXPECT_EQ(book.cell(ColName, 2), "b");
}

TEST_F(BookFileTest, AUtf8ByteOrderMarkStaysInTheFirstCell)
{
    writeBytes(path("u.csv"),
               "\xEF\xBB\xBF"
               "1,a,,,,,,\r\n2,b,,,,,,\r\n");
    AddressBook book;
    EXPECT_TRUE(ReadBookFile(path("u.csv"), book).empty());
    ASSERT_EQ(book.rowCount(), 3);
    EXPECT_EQ(book.cell(ColNumber, 1),
              "\xEF\xBB\xBF"
              "1");
    EXPECT_EQ(book.cell(ColName, 2), "b");
}

TEST_F(BookFileTest, ReportsFilesThatCannotBeRead)
{
    AddressBook book;
    EXPECT_EQ(errorOf([&] { ReadBookFile(path("none.csv"), book); }),
              u("ファイルが見つかりません"));
    EXPECT_EQ(errorOf([&] { ReadBookFile(path("nodir/a.csv"), book); }),
              u("フォルダが見つかりません"));
    EXPECT_EQ(errorOf([&] { ReadBookFile(folder(), book); }), u("通常のファイルではありません"));
    EXPECT_EQ(book.rowCount(), 2);
    if (::geteuid() != 0) {
        writeBytes(path("locked.csv"), "1,,,,,,,\r\n");
        ::chmod(path("locked.csv").c_str(), 0);
        EXPECT_EQ(errorOf([&] { ReadBookFile(path("locked.csv"), book); }),
                  u("ファイルへのアクセスが拒否されました"));
    }
}

TEST_F(BookFileTest, ReportsAMissingFolderAndCreatesNothing)
{
    const AddressBook book = bookOf({kSampleCard});
    EXPECT_EQ(errorOf([&] { WriteBookFile(path("nodir/a.csv"), book, recovery()); }),
              u("フォルダが見つかりません"));
    EXPECT_EQ(errorOf([&] { WriteBookFile(folder(), book, recovery()); }),
              u("通常のファイルではありません"));
    EXPECT_EQ(errorOf([&] { WriteBookFile(path("gone") + "/", book, recovery()); }),
              u("不正なファイル名です"));
    EXPECT_TRUE(namesIn(folder()).empty());
}

TEST_F(BookFileTest, ASaveRemovesWhatKilledSavesOfTheSameBookLeft)
{
    // A process that has ended for sure: one started and waited for.
    const pid_t ended = ::fork();
    if (ended == 0) {
        ::_exit(0);
    }
    ::waitpid(ended, nullptr, 0);
    const std::string ofEnded = ".book.csv.tmp" + std::to_string(ended) + "-0";
    const std::string ofRunning = ".book.csv.tmp" + std::to_string(::getppid()) + "-0";
    const std::string ofAnotherBook = ".other.csv.tmp" + std::to_string(ended) + "-0";
    for (const std::string& name : {ofEnded, ofRunning, ofAnotherBook}) {
        writeBytes(path(name), "half");
    }
    WriteBookFile(path("book.csv"), bookOf({kSampleCard}), recovery());
    EXPECT_EQ(namesIn(folder()), (std::vector<std::string>{ofRunning, ofAnotherBook, "book.csv"}));
}

TEST_F(BookFileTest, AFullDiskLeavesTheOldFileAndNoTemporaryFile)
{
    const std::string mountPoint = path("disk");
    fs::create_directory(mountPoint);
    SmallDisk disk(mountPoint, "64k");
    if (!disk.mounted()) {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    const std::string target = mountPoint + "/book.csv";
    const AddressBook small = bookOf({kSampleCard});
    WriteBookFile(target, small, recovery());
    const std::string before = readBytes(target);

    std::vector<BookRow> many(3000, kSampleCard);
    EXPECT_EQ(errorOf([&] { WriteBookFile(target, bookOf(many), recovery()); }),
              u("ディスクがいっぱいです"));
    EXPECT_EQ(readBytes(target), before);
    EXPECT_EQ(namesIn(mountPoint), std::vector<std::string>{"book.csv"});
}

TEST_F(BookFileTest, ADeviceOrAFifoIsNoBook)
{
    // Writing would fill /dev/full's error or wait for a FIFO's reader for ever.
    const std::string fifo = path("p.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& target : {std::string("/dev/full"), std::string("/dev/null"), fifo}) {
        EXPECT_EQ(errorOf([&] { WriteBookFile(target, bookOf({kSampleCard}), recovery()); }),
                  u("通常のファイルではありません"))
            << target;
    }
}

TEST_F(BookFileTest, AReadOnlyPlaceKeepsTheOldFile)
{
    const std::string place = path("ro");
    fs::create_directory(place);
    const std::string target = place + "/book.csv";
    writeBytes(target, "old\r\n");
    const AddressBook book = bookOf({kSampleCard});
    if (::geteuid() == 0) {
        SmallDisk disk(place, "64k");
        if (!disk.mounted()) {
            GTEST_SKIP() << "cannot mount a tmpfs here";
        }
        writeBytes(target, "old\r\n");
        ASSERT_TRUE(disk.makeReadOnly());
        EXPECT_EQ(errorOf([&] { WriteBookFile(target, book, recovery()); }),
                  u("ファイルへのアクセスが拒否されました"));
        EXPECT_EQ(errorOf([&] { WriteBookFile(place + "/new.csv", book, recovery()); }),
                  u("ファイルへのアクセスが拒否されました"));
        EXPECT_EQ(readBytes(target), "old\r\n");
        EXPECT_EQ(namesIn(place), std::vector<std::string>{"book.csv"});
        return;
    }
    // A read-only book in a writable folder is not replaced either.
    ::chmod(target.c_str(), 0444);
    EXPECT_EQ(errorOf([&] { WriteBookFile(target, book, recovery()); }),
              u("ファイルへのアクセスが拒否されました"));
    ::chmod(place.c_str(), 0555);
    EXPECT_EQ(errorOf([&] { WriteBookFile(place + "/new.csv", book, recovery()); }),
              u("ファイルへのアクセスが拒否されました"));
    ::chmod(place.c_str(), 0755);
    EXPECT_EQ(readBytes(target), "old\r\n");
    EXPECT_EQ(namesIn(place), std::vector<std::string>{"book.csv"});
}

TEST_F(BookFileTest, ReplacingKeepsPermissionsAndSymbolicLinks)
{
    const std::string target = path("book.csv");
    writeBytes(target, "old\r\n");
    ::chmod(target.c_str(), 0640);
    fs::create_symlink(target, path("link.csv"));
    WriteBookFile(path("link.csv"), bookOf({kSampleCard}), recovery());

    EXPECT_TRUE(fs::is_symlink(path("link.csv")));
    EXPECT_EQ(readBytes(target), EncodeBookLine(kSampleCard) + "\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A new file gets the usual permissions, not those of a private temporary file.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    WriteBookFile(path("new.csv"), bookOf({kSampleCard}), recovery());
    ASSERT_EQ(::stat(path("new.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask);
    EXPECT_EQ(namesIn(folder()), (std::vector<std::string>{"book.csv", "link.csv", "new.csv"}));
}

}  // namespace
