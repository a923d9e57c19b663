// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/app_error.h"
#include "postal/postcode_search.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"

namespace {

using Lines = std::vector<std::string>;

std::string fixture(const char* name)
{
    return std::string(std::getenv("FUMI_TEST_DATA")) + "/postal/" + name;
}

Lines searchSample(const char* utf8Key, int limit)
{
    return SearchPostcode(fixture("sample.dat"), sj(utf8Key), limit);
}

Lines asCp932(std::initializer_list<const char*> utf8Lines)
{
    Lines out;
    for (const char* l : utf8Lines) {
        out.push_back(sj(l));
    }
    return out;
}

QString messageOf(const std::string& path)
{
    try {
        SearchPostcode(path, "100", 1);
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

TEST(SearchPostcode, PrefixSearchListsCodesBeginningWithKeyInFileOrder)
{
    // 1100001 holds "100" at byte 2 and must not be listed; the LF-only line is.
    EXPECT_EQ(searchSample("100", 1),
              asCp932({"1000001,東京都千代田区千代田", "1000002,東京都千代田区皇居外苑",
                       "1000003,東京都千代田区一ツ橋", "1000004,東京都千代田区大手町,別館"}));
    EXPECT_EQ(searchSample("1000002", 1), asCp932({"1000002,東京都千代田区皇居外苑"}));
    EXPECT_TRUE(searchSample("1234567", 1).empty());
}

TEST(SearchPostcode, LinesComeBackWithoutLineEndsAndBytesUnchanged)
{
    // Short code, no comma, a last line without a line end.
    EXPECT_EQ(searchSample("12345", 1), asCp932({"12345,短番号町"}));
    EXPECT_EQ(searchSample("9999999", 1), asCp932({"9999999 コンマのない行"}));
    EXPECT_EQ(searchSample("最後", 1000), asCp932({"4000000,最後の行"}));
}

TEST(SearchPostcode, AddressSearchFindsKeyAnywhereIncludingCodeColumn)
{
    EXPECT_EQ(searchSample("千代田区", 1000),
              asCp932({"1000001,東京都千代田区千代田", "1000002,東京都千代田区皇居外苑",
                       "1000003,東京都千代田区一ツ橋", "1000004,東京都千代田区大手町,別館"}));
    EXPECT_EQ(searchSample("0001", 1000),
              asCp932({"1000001,東京都千代田区千代田", "1100001,東京都台東区谷中",
                       "2000001,遠結曄東京町"}));
    EXPECT_EQ(searchSample(",別館", 1000), asCp932({"1000004,東京都千代田区大手町,別館"}));
}

TEST(SearchPostcode, KeyNeverMatchesFromTheSecondByteOfACharacter)
{
    // The bytes of 遠結曄 hold those of 東京 from the second byte on; only the
    // line where 東京 also stands as characters is listed.
    ASSERT_EQ(sj("遠結曄").find(sj("東京")), 1u);
    const auto listed = [](const Lines& lines, const char* line) {
        return std::count(lines.begin(), lines.end(), sj(line));
    };
    const Lines lines = searchSample("東京", 1000);
    EXPECT_EQ(listed(lines, "2000000,遠結曄町"), 0);
    EXPECT_EQ(listed(lines, "2000001,遠結曄東京町"), 1);
    // In 2000001 the bytes occur at byte 10, the characters at byte 15: the
    // limit applies to the characters.
    EXPECT_EQ(listed(searchSample("東京", 14), "2000001,遠結曄東京町"), 0);
    EXPECT_EQ(listed(searchSample("東京", 15), "2000001,遠結曄東京町"), 1);
}

TEST(SearchPostcode, ShortLimitsSeeOnlyTheStartOfEachLine)
{
    EXPECT_EQ(searchSample("0001", 4),
              asCp932({"1000001,東京都千代田区千代田", "1100001,東京都台東区谷中",
                       "2000001,遠結曄東京町"}));
    EXPECT_TRUE(searchSample("0001", 3).empty());
    // The bytes of 東京 at byte 10 of the 2000000 and 2000001 lines are no
    // characters; 東京 at byte 9 of the Tokyo lines is.
    EXPECT_EQ(searchSample("東京", 10),
              asCp932({"1000001,東京都千代田区千代田", "1000002,東京都千代田区皇居外苑",
                       "1100001,東京都台東区谷中", "1000003,東京都千代田区一ツ橋",
                       "1000004,東京都千代田区大手町,別館"}));
}

TEST(SearchPostcode, PositionLimitCountsBytes)
{
    const std::string key = sj("富士");
    const Lines at1000 = SearchPostcode(fixture("limit.dat"), key, 1000);
    ASSERT_EQ(at1000.size(), 1u);
    EXPECT_EQ(at1000[0].substr(0, 8), "5000000,");
    EXPECT_EQ(at1000[0].find(key), 999u);
    EXPECT_EQ(SearchPostcode(fixture("limit.dat"), key, 1001).size(), 2u);
    EXPECT_TRUE(SearchPostcode(fixture("limit.dat"), key, 999).empty());
}

TEST(SearchPostcode, EmptyLinesNeverMatch)
{
    // An empty key occurs at byte 1 of every line; the empty ones stay out.
    const Lines all = SearchPostcode(fixture("sample.dat"), "", 1);
    EXPECT_EQ(all.size(), 10u);
    for (const std::string& line : all) {
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(line.find('\r'), std::string::npos);
    }
    EXPECT_TRUE(SearchPostcode(fixture("sample.dat"), "100", 0).empty());
}

TEST(SearchPostcode, LinesAcrossReadBlocksAreWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(u("big.dat")).toStdString();
    std::string longAddress(3 << 20, 'a');  // one line longer than several blocks
    {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < 200000; ++i) {
            out << (1000000 + i) << ",X" << i << "\r\n";
        }
        out << "9999999," << longAddress << "KEY\r\n";
        out << "9999998,KEY";
    }
    EXPECT_EQ(SearchPostcode(path, "1", 1).size(), 200000u);
    const Lines last = SearchPostcode(path, "1199999", 1);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0], "1199999,X199999");
    EXPECT_EQ(SearchPostcode(path, ",X123456", 1000), Lines{"1123456,X123456"});
    // The long line's key lies far beyond the limit; the short line's does not.
    EXPECT_EQ(SearchPostcode(path, "KEY", 1000), Lines{"9999998,KEY"});
    EXPECT_EQ(SearchPostcode(path, "9999999", 1).at(0).size(), 8 + longAddress.size() + 3);
}

// A dictionary written in the test's own folder.
class DictionaryFileTest : public ::testing::Test {
protected:
    std::string write(const char* name, std::string_view bytes) const
    {
        std::string path = dir_.filePath(u(name)).toStdString();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    QTemporaryDir dir_;
};

TEST_F(DictionaryFileTest, InvalidBytesComeBackAsTheyStand)
{
    const std::string nul("\0", 1);
    const std::string path = write("bad.dat",
                                   "1000001,\x80\xFF\xA0\xFD\r\n"
                                   "1000002,a" +
                                       nul +
                                       "b\r\n"
                                       "1000003,\x81\r\n"  // lone lead byte at the line end
                                       "\x81"
                                       "1000004,x\r\n"  // a lead byte takes the first digit
                                       "1000005,\x82");
    EXPECT_EQ(SearchPostcode(path, "100000", 1),
              (Lines{"1000001,\x80\xFF\xA0\xFD", "1000002,a" + nul + "b", "1000003,\x81",
                     "1000005,\x82"}));
    // The lone lead byte before the CR does not take the CR or the next line.
    EXPECT_EQ(SearchPostcode(path, "\x81", 1000), (Lines{"1000003,\x81",
                                                         "\x81"
                                                         "1000004,x"}));
    EXPECT_TRUE(SearchPostcode(path, "1000004", 1000).empty());
    EXPECT_EQ(SearchPostcode(path, "000004", 1000), Lines{"\x81"
                                                          "1000004,x"});
    EXPECT_EQ(SearchPostcode(path, nul + "b", 1000), Lines{"1000002,a" + nul + "b"});
}

TEST_F(DictionaryFileTest, LinesWithoutCrGiveTheSameResults)
{
    std::string crlf;
    {
        std::ifstream in(fixture("sample.dat"), std::ios::binary);
        crlf.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::string lf = crlf;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    const std::string withCr = write("crlf.dat", crlf);
    const std::string withoutCr = write("lf.dat", lf);
    for (const auto& [key, limit] : {std::pair{"100", 1},
                                     {"1000002", 1},
                                     {"", 1},
                                     {"千代田区", 1000},
                                     {"東京", 10},
                                     {"最後", 1000}}) {
        const Lines expected = SearchPostcode(withCr, sj(key), limit);
        EXPECT_FALSE(expected.empty()) << key;
        EXPECT_EQ(SearchPostcode(withoutCr, sj(key), limit), expected) << key;
    }
}

TEST_F(DictionaryFileTest, TheSearchInMemoryGivesWhatTheFileSearchGives)
{
    std::string dictionary;
    {
        std::ifstream in(fixture("sample.dat"), std::ios::binary);
        dictionary.assign(std::istreambuf_iterator<char>(in), {});
    }
    // The sample ends without a line end; so does the extended dictionary.
    dictionary +=
        "\r\n\x81"
        "1000009,x\r\n\r\n1000010,end";
    const std::string path = write("mem.dat", dictionary);
    for (const auto& [key, limit] : {std::pair{"100", 1},
                                     {"", 1},
                                     {"000009", 1000},
                                     {"千代田区", 1000},
                                     {"東京", 10},
                                     {"end", 1000},
                                     {"100", 0}}) {
        EXPECT_EQ(SearchPostcodeText(dictionary, sj(key), limit),
                  SearchPostcode(path, sj(key), limit))
            << key << " " << limit;
    }
    EXPECT_EQ(SearchPostcodeText(dictionary, "1000010", 1), Lines{"1000010,end"});
    EXPECT_TRUE(SearchPostcodeText("", "1", 1).empty());
    EXPECT_TRUE(SearchPostcodeText(dictionary, "1000009", 1000).empty());
}

TEST_F(DictionaryFileTest, AFileThatOpensButFailsToReadIsAnIoError)
{
    // Reading this process's memory from address 0 fails with EIO, even for root.
    const std::string path = dir_.filePath(u("postcode.dat")).toStdString();
    ASSERT_EQ(::symlink("/proc/self/mem", path.c_str()), 0);
    EXPECT_EQ(messageOf(path), QString::fromUtf8("I/O エラー (5)"));
}

TEST(SearchPostcode, MissingFileIsReportedInJapanese)
{
    EXPECT_EQ(messageOf(fixture("no-such.dat")), QString::fromUtf8("ファイルが見つかりません"));
    // A path through a file, not a folder.
    EXPECT_EQ(messageOf(fixture("sample.dat") + "/postcode.dat"),
              QString::fromUtf8("不正なファイル名です"));
}

TEST(SearchPostcode, AFolderOrAFifoInThePlaceOfTheFileIsRefused)
{
    EXPECT_EQ(messageOf(std::getenv("FUMI_TEST_DATA")), u("通常のファイルではありません"));
    // A FIFO would block the search for ever; the alarm ends the test if it does.
    QTemporaryDir dir;
    const std::string fifo = dir.filePath(u("postcode.dat")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(10);
    EXPECT_EQ(messageOf(fifo), u("通常のファイルではありません"));
    ::alarm(0);
}

TEST(SearchPostcode, UnreadableFileIsDenied)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    QTemporaryDir dir;
    const std::string path = dir.filePath(u("locked.dat")).toStdString();
    std::ofstream(path) << "1000001,x\r\n";
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    EXPECT_EQ(messageOf(path), QString::fromUtf8("ファイルへのアクセスが拒否されました"));
}

}  // namespace
