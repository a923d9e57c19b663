// SPDX-License-Identifier: MIT
// The readers' and the card rules' finer points, each on a few lines of input.
#include <gtest/gtest.h>

#include "import/contact_card.h"
#include "import/contact_import.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"

namespace {

// A card as "name|postal code|honorific|address 1|address 2|memo" in UTF-8.
std::string joined(const BookRow& card)
{
    std::string text = utf8(card[ColName]);
    for (int c = ColPostalCode; c <= ColMemo; ++c) {
        text += "|" + utf8(card[static_cast<std::size_t>(c)]);
    }
    return text;
}

std::vector<std::string> cardsOf(const std::string& bytes, ContactFormat format)
{
    LotteryGenerator lottery(1);
    const ContactImport result = ImportContacts(bytes, lottery);
    EXPECT_EQ(result.format, format) << bytes;
    std::vector<std::string> cards;
    for (const BookRow& card : result.cards) {
        cards.push_back(joined(card));
    }
    return cards;
}

struct ReaderCase {
    std::string input;
    std::vector<std::string> cards;
};

TEST(VCard, FoldingEncodingsParametersAndEscapes)
{
    const ReaderCase cases[] = {
        // LF line ends, lower case, a line folded with a tab
        {"begin:vcard\nN:山田;太\n\t郎\nADR:;;千代田1-1;千代田区;東京都;1000001;\nend:vcard\n",
         {"山田　太郎|1000001|様|東京都千代田区千代田1-1||"}},
        // quoted-printable without a charset, a bare encoding, a soft line break
        {"BEGIN:VCARD\r\nN;ENCODING=QUOTED-PRINTABLE:=E5=B1=B1=E7=94=B0;=E5=A4=AA=\r\n=E9=83=8E\r\n"
         "ADR;HOME;QUOTED-PRINTABLE:;;=E6=A0=84=31=2D=32=2D=33;;;;\r\nEND:VCARD\r\n",
         {"山田　太郎||様|栄1-2-3||"}},
        {"BEGIN:VCARD\r\nN;ENCODING=b;CHARSET=UTF-8:5bGx55SwO+WkqumDjg==\r\nADR:;;a;;;;\r\nEND:"
         "VCARD",
         {"山田　太郎||様|a||"}},
        // 2.1 bare HOME; 4.0 TYPE repeated; a home with no parts gives way
        {"BEGIN:VCARD\nN:a;b\nADR;WORK:;;w;;;;\nADR;HOME:;;h;;;;\nEND:VCARD\n"
         "BEGIN:VCARD\nN:c;d\nADR;TYPE=work:;;w;;;;\nADR;TYPE=pref;TYPE=HOME:;;h;;;;\nEND:VCARD\n"
         "BEGIN:VCARD\nN:e;f\nADR;TYPE=home:;;;;;100-0001;日本\nADR:;;x;;;;\nEND:VCARD\n",
         {"a　b||様|h||", "c　d||様|h||", "e　f||様|x||"}},
        // escapes, the unknown one kept; FN when N is empty
        {"BEGIN:VCARD\nN:;;;;\nFN:山田\\, 太郎\nADR:;;1-2\\;3\\n4F\\x;;;;\nEND:VCARD\n",
         {"山田, 太郎||様|1-2;3|4F\\x|"}},
        // a card inside a card is skipped; a file cut off before END still counts
        {"BEGIN:VCARD\nN:親;一\nAGENT:\nBEGIN:VCARD\nN:子;二\nADR:;;x;;;;\nEND:VCARD\n"
         "ADR:;;y;;;;\nEND:VCARD\nBEGIN:VCARD\nN:末;三\nADR:;;z;;;;",
         {"親　一||様|y||", "末　三||様|z||"}},
        // only a postal code and a country are no address
        {"BEGIN:VCARD\nN:a;b\nADR:;;;;;100-0001;日本\nEND:VCARD\n", {}},
    };
    for (const ReaderCase& c : cases) {
        EXPECT_EQ(cardsOf(c.input, ContactFormat::VCard), c.cards) << c.input;
    }
}

TEST(HeadedCsv, QuotingLineEndsAndHeaderWords)
{
    const ReaderCase cases[] = {
        // CR line ends, doubled quotes, a quoted comma, text after a closing quote
        {"姓,名,住所\r山田,\"太\"\"郎\",\"東京, 千代田\"区\r",
         {"山田　太\"郎||様|東京, 千代田区||"}},
        // header words trimmed and normalised; a single name field as it stands
        {" 氏名 ,〒,住所１,住所２\n山田 太郎,〒100-0001,東京都,\"2F\n奥\"\n",
         {"山田 太郎|1000001|様|東京都|2F　奥|"}},
        // tabs between the fields, columns in any order, others ignored
        {"電話\t建物\t名前\t番地\n03\tハイツ\t佐藤\t1-1\n", {"佐藤||様|1-1|ハイツ|"}},
    };
    for (const ReaderCase& c : cases) {
        EXPECT_EQ(cardsOf(c.input, ContactFormat::HeadedCsv), c.cards) << c.input;
    }
}

TEST(GoogleCsv, SeveralValuesAndTheFormattedAddress)
{
    const std::string header =
        "Name,Given Name,Family Name,Address 1 - Type,Address 1 - Formatted,Address 1 - Street,"
        "Address 1 - Postal Code,Address 1 - Country\n";
    const ReaderCase cases[] = {
        // values beyond the shorter columns are empty
        {header + "x,太郎,山田,Work ::: Home,,a ::: b,100-0001,\n", {"山田　太郎||様|b||"}},
        {header + "山田 太郎,,,Home,\"〒100-0001 東京都千代田区千代田1-1\n2F\nJapan\",,,\n",
         {"山田 太郎|1000001|様|東京都千代田区千代田1-1|2F|"}},
        // a foreign country ends line 2, once
        {header + ",,山田,Home,\"100-0001\n東京都\nドイツ\",,,ドイツ\n",
         {"山田|1000001|様|東京都|ドイツ|"}},
    };
    for (const ReaderCase& c : cases) {
        EXPECT_EQ(cardsOf(c.input, ContactFormat::GoogleCsv), c.cards) << c.input;
    }
}

TEST(MakeCard, NamesAddressesAndTheCellsABookLineCanHold)
{
    using F = std::pair<QString Contact::*, const char*>;
    const F street{&Contact::street, "1-1"};
    const F fullName{&Contact::fullName, "a"};
    const struct {
        std::vector<F> fields;
        QStringList furtherParts;
        const char* card;  // as joined(), or the reason it is left out
    } cases[] = {
        {{{&Contact::familyName, "山田"}, street}, {}, "山田||様|1-1||"},
        {{{&Contact::givenName, "太郎"}, {&Contact::fullName, "x"}, street}, {}, "太郎||様|1-1||"},
        {{{&Contact::familyName, "a;b"}, {&Contact::honorific, "様;殿"}, street},
         {},
         "a；b||様；殿|1-1||"},
        {{{&Contact::fullName, "葛\U000E0100城\u200B\u00A0様"},
          {&Contact::memo, "a\tb\r\nc\x01"},
          street},
         {},
         "葛城 様||様|1-1||a b c"},
        {{fullName,
          {&Contact::prefecture, "東京都"},
          {&Contact::city, "東京都千代田区"},
          {&Contact::street, "千代田区千代田1-1\n2F"}},
         {},
         "a||様|東京都千代田区千代田1-1|2F|"},
        {{fullName, {&Contact::city, "港区"}},
         {u("ビル\n3F"), u("私書箱5")},
         "a||様|港区|ビル　3F　私書箱5|"},
        {{fullName}, {u(""), u("ビル")}, "a||様|ビル||"},
        {{fullName, {&Contact::postalCode, "1000001"}}, {}, "住所がありません"},
        {{{&Contact::fullName, " \u3000"}, street}, {}, "名前がありません"},
        {{}, {}, "名前も住所もありません"},
    };
    for (const auto& c : cases) {
        Contact contact;
        for (const auto& [member, text] : c.fields) {
            contact.*member = u(text);
        }
        contact.furtherParts = c.furtherParts;
        const ContactCard card = MakeCard(contact);
        EXPECT_EQ(card.taken ? joined(card.cells) : card.leftOutReason.toStdString(), c.card);
        EXPECT_FALSE(card.replaced) << c.card;
    }
}

TEST(MakeCard, OneJointNameOnTheCardTheSpouseWhereNoneAndTheRestInTheMemo)
{
    const struct {
        QStringList names;
        QStringList honorifics;
        const char* spouse;
        const char* card;  // as joined()
    } cases[] = {
        {{u("花子;一郎")},
         {u("ちゃん、様")},
         "",
         "山田　太郎;花子||様;ちゃん|1-1||連名: 一郎 様 喪中"},
        {{u("花子"), u(""), u("翔太")},
         {u(""), u(""), u("くん")},
         "山田 良子",
         "山田　太郎;花子||様;様|1-1||連名: 翔太 くん 喪中"},
        {{u("花子、翔太")}, {u("様")}, "", "山田　太郎;花子||様;様|1-1||連名: 翔太 様 喪中"},
        {{}, {}, "山田 花子", "山田　太郎;花子||様;様|1-1||喪中"},
        {{}, {}, "山田花子", "山田　太郎;花子||様;様|1-1||喪中"},
        {{}, {}, "佐藤 花子", "山田　太郎;佐藤 花子||様;様|1-1||喪中"},
        {{}, {}, "山田", "山田　太郎;山田||様;様|1-1||喪中"},
        {{u("山田　花子"), u("山田翔太")},
         {},
         "",
         "山田　太郎;花子||様;様|1-1||連名: 翔太 様 喪中"},
    };
    for (const auto& c : cases) {
        Contact contact;
        contact.familyName = u("山田");
        contact.givenName = u("太郎");
        contact.street = u("1-1");
        contact.memo = u("喪中");
        contact.jointNames = c.names;
        contact.jointHonorifics = c.honorifics;
        contact.spouse = u(c.spouse);
        const ContactCard card = MakeCard(contact);
        EXPECT_EQ(joined(card.cells), c.card);
        EXPECT_EQ(card.jointNamesInMemo, std::string(c.card).find("連名:") != std::string::npos);
    }

    // A one-character family name is taken off only before a space.
    Contact hayashi;
    hayashi.familyName = u("林");
    hayashi.street = u("1-1");
    hayashi.jointNames = {u("林 花子"), u("林田一郎")};
    EXPECT_EQ(joined(MakeCard(hayashi).cells), "林;花子||様;様|1-1||連名: 林田一郎 様");
}

TEST(MakeCard, CompanyDepartmentAndCountryFollowTheBuilding)
{
    Contact contact;
    contact.fullName = u("a");
    contact.street = u("丸の内1-1");
    contact.furtherParts = {u("丸ビル10階")};
    contact.company = u("見本商事");
    contact.department = u("総務部");
    for (const auto& [country, line2] :
         {std::pair{"日本", "丸ビル10階　見本商事　総務部"},
          {"JAPAN", "丸ビル10階　見本商事　総務部"},
          {"Deutschland", "丸ビル10階　見本商事　総務部　Deutschland"}}) {
        contact.country = u(country);
        EXPECT_EQ(utf8(MakeCard(contact).cells[ColAddress2]), line2) << country;
    }
}

TEST(NormalizePostalCode, SevenDigitsOrAsWritten)
{
    const std::pair<const char*, const char*> cases[] = {
        {"100-0001", "1000001"},
        {"〒１００－０００１", "1000001"},
        {" 100 0001\n", "1000001"},
        {"100ー0001", "1000001"},
        {"1000001", "1000001"},
        {"060-001", "060-001"},
        {"100-00012", "100-00012"},
        {"〒 ABC-1234", "〒 ABC-1234"},
        {"", ""},
    };
    for (const auto& [code, expected] : cases) {
        EXPECT_EQ(NormalizePostalCode(u(code)), u(expected)) << code;
    }
}

}  // namespace
