// SPDX-License-Identifier: MIT
// The national dictionary shipped beside the executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
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
        {"1000001", "東京都千代田区千代田"}, {"0600000", "北海道札幌市中央区"},
        {"5300001", "大阪府大阪市北区梅田"}, {"9000001", "沖縄県那覇市港町"},
        {"1000301", "東京都利島村"},         {"4600001", "愛知県名古屋市中区三の丸"},
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
    ASSERT_EQ(chiyoda.size(), 1u);
    EXPECT_EQ(PostalCodeOfLine(chiyoda[0]), "1000001");
    const Lines umeda = SearchPostcode(nationalDictionary(), sj("大阪市北区梅田"), 1000);
    ASSERT_FALSE(umeda.empty());
    EXPECT_EQ(PostalCodeOfLine(umeda[0]), "5300001");
    // A prefix lists a whole district, in code order.
    const Lines central = SearchPostcode(nationalDictionary(), "100", 1);
    EXPECT_GT(central.size(), 20u);
    EXPECT_TRUE(std::is_sorted(central.begin(), central.end()));
}

TEST(NationalDictionary, EveryLineHasTheLayoutInCodeOrder)
{
    std::ifstream in(nationalDictionary(), std::ios::binary);
    ASSERT_TRUE(in.is_open());
    const std::regex layout("[0-9]{7},[^,\r\n]+\r");
    std::string line;
    std::string previousCode;
    int count = 0;
    int bad = 0;
    while (std::getline(in, line)) {
        ++count;
        if (!std::regex_match(line, layout) || line.substr(0, 7) < previousCode) {
            ++bad;
        }
        previousCode = line.substr(0, 7);
    }
    EXPECT_EQ(count, 120497);
    EXPECT_EQ(bad, 0);
    // Every line found by an empty key.
    EXPECT_EQ(SearchPostcode(nationalDictionary(), "", 1).size(), 120497u);
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
