// SPDX-License-Identifier: MIT
// The national dictionary shipped beside the executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "postal/postal_lookup.h"
#include "postal/postcode_search.h"
#include "tests/support/fakes.h"
#include "text/cp932.h"

namespace {

using Lines = std::vector<std::string>;

std::string nationalDictionary()
{
    return std::string(std::getenv("FUMI_RUNTIME_DIR")) + "/postcode.dat";
}

TEST(NationalDictionary, WellKnownCodesGiveTheirAddresses)
{
    const struct {
        const char* code;
        const char* address;
    } known[] = {
        {"1000001", "東京都千代田区千代田"},
        {"0600000", "北海道札幌市中央区"},
        {"5300001", "大阪府大阪市北区梅田"},
        {"9000001", "沖縄県那覇市港町"},
        {"1000301", "東京都利島村"},
        {"4600001", "愛知県名古屋市中区三の丸"},
        // Codes the data of May 2025 lacked: folded into five-digit rows, a
        // per-floor code, a company's own code, a code added since.
        {"7390501", "広島県廿日市市宮島町"},
        {"7710101", "徳島県徳島市川内町"},
        {"1006001", "東京都千代田区霞が関霞が関ビル１階"},
        {"1008994", "東京都千代田区丸の内２丁目７－２　東京中央郵便局"},
        {"5670081", "大阪府茨木市彩都あけぼの"},
        // Japan Post's note "小菅村の次に１～６６３番地がくる場合" is no address.
        {"4090142", "山梨県北都留郡小菅村"},
    };
    for (const auto& k : known) {
        const Lines lines = SearchPostcode(nationalDictionary(), k.code, 1);
        ASSERT_EQ(lines.size(), 1u) << k.code;
        EXPECT_EQ(AddressOfLine(lines[0]), sj(k.address)) << k.code;
        EXPECT_EQ(PostalCodeOfLine(lines[0]), k.code);
    }
}

TEST(NationalDictionary, AddressesGiveTheirCodes)
{
    const Lines chiyoda = SearchPostcode(nationalDictionary(), sj("千代田区千代田"), 1000);
    // The town, then an office in it (宮内庁, 千代田１－１).
    ASSERT_EQ(chiyoda.size(), 2u);
    EXPECT_EQ(PostalCodeOfLine(chiyoda[0]), "1000001");
    EXPECT_EQ(PostalCodeOfLine(chiyoda[1]), "1008111");
    const Lines umeda = SearchPostcode(nationalDictionary(), sj("大阪市北区梅田"), 1000);
    ASSERT_FALSE(umeda.empty());
    EXPECT_EQ(PostalCodeOfLine(umeda[0]), "5300001");
    // A prefix lists a whole district, in code order.
    const Lines central = SearchPostcode(nationalDictionary(), "100", 1);
    EXPECT_GT(central.size(), 20u);
    EXPECT_TRUE(std::is_sorted(central.begin(), central.end(), [](const auto& a, const auto& b) {
        return PostalCodeOfLine(a) < PostalCodeOfLine(b);
    }));
    // An office is found by its name.
    const Lines office = SearchPostcode(nationalDictionary(), sj("東京中央郵便局"), 1000);
    ASSERT_FALSE(office.empty());
    EXPECT_EQ(PostalCodeOfLine(office[0]), "1008994");
}

// The counts data/PROVENANCE.md gives for the file.
struct Counts {
    int lines = 0;
    int towns = 0;
    int offices = 0;
    int codes = 0;
};

Counts provenanceCounts()
{
    std::ifstream in(std::string(std::getenv("FUMI_TEST_DATA")) + "/../../data/PROVENANCE.md");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::regex size(
        R"(Size: (\d+) lines \((\d+) town lines, (\d+) office lines\), (\d+) distinct codes)");
    std::smatch m;
    if (!std::regex_search(text, m, size)) {
        return {};
    }
    return {std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4])};
}

TEST(NationalDictionary, EveryLineHasTheLayoutAndTheCountsOfItsProvenance)
{
    std::ifstream in(nationalDictionary(), std::ios::binary);
    ASSERT_TRUE(in.is_open());
    const std::regex layout("[0-9]{7},[^,\r\n]+\r");
    const std::string fullWidthSpace = sj("　");
    const std::string note = sj("がくる場合");
    std::string line;
    std::string previousCode;
    bool previousWasOffice = false;
    Counts counts;
    std::set<std::string> codes;
    int bad = 0;
    while (std::getline(in, line)) {
        const std::string code = line.substr(0, 7);
        // An office line holds the office's name after a full-width space.
        const bool office = cp932::find(line, fullWidthSpace) != std::string::npos;
        const bool inOrder =
            code > previousCode || (code == previousCode && (office || !previousWasOffice));
        if (!std::regex_match(line, layout) || !inOrder ||
            cp932::find(line, note) != std::string::npos) {
            ++bad;
        }
        ++counts.lines;
        ++(office ? counts.offices : counts.towns);
        codes.insert(code);
        previousCode = code;
        previousWasOffice = office;
    }
    EXPECT_EQ(bad, 0);
    const Counts given = provenanceCounts();
    EXPECT_EQ(counts.lines, given.lines);
    EXPECT_EQ(counts.towns, given.towns);
    EXPECT_EQ(counts.offices, given.offices);
    EXPECT_EQ(static_cast<int>(codes.size()), given.codes);
    // Every line found by an empty key.
    EXPECT_EQ(SearchPostcode(nationalDictionary(), "", 1).size(),
              static_cast<std::size_t>(counts.lines));
}

// The plain reading of the rule, line by line, to hold the fast scan to.
Lines referenceSearch(const std::string& key, int limit)
{
    std::ifstream in(nationalDictionary(), std::ios::binary);
    Lines out;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t p = cp932::find(line, key);
        if (!line.empty() && p != std::string::npos && p + 1 <= static_cast<std::size_t>(limit)) {
            out.push_back(line);
        }
    }
    return out;
}

TEST(NationalDictionary, ScanAgreesWithTheLineByLineRule)
{
    const std::string keys[] = {"100",        "0001",     sj("知県"), sj("区"),
                                sj("札幌市"), sj("ヶ丘"), ",",        sj("郡")};
    for (const std::string& key : keys) {
        for (int limit : {1, 9, 12, 1000}) {
            EXPECT_EQ(SearchPostcode(nationalDictionary(), key, limit), referenceSearch(key, limit))
                << utf8(key) << " limit " << limit;
        }
    }
}

}  // namespace
