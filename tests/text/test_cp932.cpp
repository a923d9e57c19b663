// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QLineEdit>

#include <random>

#include "tests/support/fakes.h"
#include "tests/support/helpers.h"
#include "tests/support/random_cells.h"
#include "text/cp932.h"
#include "text/cp932_validator.h"

namespace {

TEST(Cp932, RoundTripsJapaneseAndAscii)
{
    const QString text = QString::fromUtf8("東京都千代田区千代田1-1　ｱｲｳ ABC～ー①");
    std::string bytes;
    ASSERT_TRUE(cp932::fromUnicode(text, bytes));
    EXPECT_EQ(cp932::toUnicode(bytes), text);
    // 東 is 0x93 0x8C; the half-width katakana ｱ is the single byte 0xB1.
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x93\x8c"));
    EXPECT_NE(bytes.find('\xb1'), std::string::npos);
}

TEST(Cp932, InputMethodTwinsStoreWhatWindowsStores)
{
    struct Case {
        const char* typed;
        const char* stored;
        const char* shown;
    } cases[] = {
        {"\u301C", "\x81\x60", "\uFF5E"},  // WAVE DASH
        {"\u2212", "\x81\x7C", "\uFF0D"},  // MINUS SIGN
        {"\u2016", "\x81\x61", "\u2225"},  // DOUBLE VERTICAL LINE
        {"\u00A2", "\x81\x91", "\uFFE0"}, {"\u00A3", "\x81\x92", "\uFFE1"},
        {"\u00AC", "\x81\xCA", "\uFFE2"}, {"\u2014", "\x81\x5C", "\u2015"},
    };
    for (const Case& c : cases) {
        std::string bytes;
        ASSERT_TRUE(cp932::fromUnicode(QString::fromUtf8(c.typed), bytes)) << c.typed;
        EXPECT_EQ(bytes, c.stored) << c.typed;
        EXPECT_EQ(cp932::toUnicode(bytes), QString::fromUtf8(c.shown)) << c.typed;
        // What is shown encodes back to the same bytes.
        std::string again;
        ASSERT_TRUE(cp932::fromUnicode(cp932::toUnicode(bytes), again));
        EXPECT_EQ(again, bytes);
    }
}

TEST(Cp932, RefusesWhatItCannotHold)
{
    std::string bytes;
    QString bad;
    EXPECT_FALSE(cp932::fromUnicode(QString::fromUtf8("山田😀太郎"), bytes, &bad));
    EXPECT_EQ(bad, QString::fromUtf8("😀"));
    EXPECT_FALSE(cp932::fromUnicode(QString::fromUtf8("한국"), bytes, &bad));
    EXPECT_EQ(bad, QString::fromUtf8("한"));
    EXPECT_EQ(cp932::firstUnencodable(QString::fromUtf8("普通の文字")), QString());
    EXPECT_EQ(cp932::fromUnicodeLossy(QString::fromUtf8("a😀b")), "a?b");
}

TEST(Cp932, InvalidBytesDecodeToReplacementWithoutLosingTheRest)
{
    // 0x85 0x40 is an unassigned pair; 0xFD has no character of its own; a lone
    // lead byte ends the text.
    const std::string bytes = std::string("A\x85\x40") + "B\xfd" + "\x93\x8c" + "\x93";
    const QString text = cp932::toUnicode(bytes);
    EXPECT_TRUE(text.startsWith(QLatin1Char('A')));
    EXPECT_TRUE(text.contains(QLatin1Char('B')));
    EXPECT_TRUE(text.contains(QString::fromUtf8("東")));
    EXPECT_TRUE(text.contains(QChar(0xFFFD)));
    EXPECT_EQ(cp932::toUnicode(std::string("a\0b", 3)), QString::fromLatin1("a\0b", 3));
}

TEST(Cp932, TheUndefinedSingleBytesDecodeAsOnWindowsAndEncodeBack)
{
    const struct {
        char byte;
        char16_t shown;
    } cases[] = {{'\x80', u'\u0080'},
                 {'\xa0', u'\uF8F0'},
                 {'\xfd', u'\uF8F1'},
                 {'\xfe', u'\uF8F2'},
                 {'\xff', u'\uF8F3'}};
    for (const auto& c : cases) {
        const std::string bytes = sj("東") + c.byte + "a";
        const QString text = u("東") + QChar(c.shown) + u("a");
        EXPECT_EQ(cp932::toUnicode(bytes), text) << hexBytes(bytes);
        std::string encoded;
        EXPECT_TRUE(cp932::fromUnicode(text, encoded));
        EXPECT_EQ(encoded, bytes);
        EXPECT_EQ(cp932::fromUnicodeLossy(text), bytes);
        EXPECT_EQ(cp932::firstUnencodable(text), QString());
        EXPECT_EQ(cp932::byteLength(text), 4u);
    }
}

// What a field or a grid cell stores when the text it shows comes back: the
// original bytes untouched, and after an edit the text as shown, with "?" only
// for what has no character.
::testing::AssertionResult keepsItsBytes(const std::string& cell)
{
    const QString shown = cp932::toUnicode(cell);
    const std::string untouched = cp932::fromUnicodeKeeping(shown, cell);
    if (untouched != cell) {
        return ::testing::AssertionFailure() << "untouched gives " << hexBytes(untouched);
    }
    // Undefined single bytes survive the edit: their characters encode back.
    const std::string edited = cp932::fromUnicodeKeeping(shown + u("様"), cell);
    if (cp932::toUnicode(edited) !=
        QString(shown).replace(QChar(0xFFFD), QLatin1Char('?')) + u("様")) {
        return ::testing::AssertionFailure() << "edited gives " << hexBytes(edited);
    }
    return ::testing::AssertionSuccess();
}

TEST(Cp932, AnUntouchedTextKeepsTheBytesItWasLoadedFrom)
{
    std::string long40k;
    for (int i = 0; i < 10000; ++i) {
        long40k += "\xee\xe0\xfd\x85x";  // 髙 in its NEC form, U+F8F1, U+FFFD, x
    }
    ASSERT_EQ(cp932::toUnicode(long40k).size(), 40000);
    const std::string cells[] = {
        "\x80",
        "\xa0",
        "\xfd",
        "\xfe",
        "\xff",
        "\x87\x90",                       // ≒ of NEC row 13 (JIS row 2: 0x81 0xE0)
        "\xee\xe0",                       // 髙 of the NEC-selected IBM extensions (IBM: 0xFB 0xFC)
        "\xfa\x4a",                       // Ⅰ of the IBM extensions (NEC row 13: 0x87 0x54)
        "A\x93\x7f",                      // a lead byte before a byte that cannot follow it
        "\x85\x40",                       // an unassigned code
        sj("東京") + "\x93",              // a lone lead byte at the end
        std::string("a\0\x93\x8c\0", 5),  // NULs inside and at the end
        long40k,
    };
    for (const std::string& cell : cells) {
        EXPECT_TRUE(keepsItsBytes(cell)) << hexBytes(cell.substr(0, 16));
    }
    // An edit stores the text as shown, duplicates in their Windows form.
    EXPECT_EQ(cp932::fromUnicodeKeeping(u("髙x"), "\xee\xe0"),
              "\xfb\xfc"
              "x");
    EXPECT_EQ(cp932::fromUnicodeKeeping(u("\uFFFDx"), "\x85\x40"), "?x");
    EXPECT_EQ(cp932::fromUnicodeKeeping(u("a"), ""), "a");
}

TEST(Cp932, AnyCellLoadedAndStoredBackKeepsItsBytes)
{
    std::mt19937 rng(13);
    for (int i = 0; i < 20000; ++i) {
        const std::string cell = randomCell(rng, 40);
        ASSERT_TRUE(keepsItsBytes(cell)) << hexBytes(cell);
    }
}

TEST(Cp932, ByteLengthsAndLeadBytes)
{
    EXPECT_EQ(cp932::byteLength(QString::fromUtf8("東京")), 4u);
    EXPECT_EQ(cp932::byteLength(QString::fromUtf8("1-2ｱ")), 4u);
    EXPECT_EQ(cp932::byteLength(QString()), 0u);
    EXPECT_TRUE(cp932::isLeadByte(0x81));
    EXPECT_TRUE(cp932::isLeadByte(0x9F));
    EXPECT_TRUE(cp932::isLeadByte(0xE0));
    EXPECT_TRUE(cp932::isLeadByte(0xFC));
    EXPECT_FALSE(cp932::isLeadByte(0x80));
    EXPECT_FALSE(cp932::isLeadByte(0xA0));
    EXPECT_FALSE(cp932::isLeadByte(0xB1));
    EXPECT_FALSE(cp932::isLeadByte(0xFD));
}

TEST(Cp932, FindNeverStartsInsideADoubleByteCharacter)
{
    // ソ is 0x83 0x5C: its trail byte is a backslash.
    const std::string so = sj("ソ");
    ASSERT_EQ(so, "\x83\x5c");
    EXPECT_EQ(cp932::find(so, "\\"), std::string::npos);
    EXPECT_EQ(cp932::find(so + "\\", "\\"), 2u);
    // 表 (0x95 0x5C) followed by 示 (0x8E 0xA6): "\x5c\x8e" straddles the two.
    const std::string text = sj("表示");
    EXPECT_EQ(cp932::find(text, std::string("\x5c\x8e")), std::string::npos);
    EXPECT_EQ(cp932::find(text, sj("示")), 2u);
    EXPECT_EQ(cp932::find(sj("東京都東京"), sj("東京"), 1), 6u);
    EXPECT_EQ(cp932::find("abc", ""), 0u);
}

TEST(Cp932, TruncateKeepsWholeCharacters)
{
    const std::string text = sj("あいう");
    EXPECT_EQ(cp932::truncateBytes(text, 3), sj("あ"));
    EXPECT_EQ(cp932::truncateBytes(text, 4), sj("あい"));
    EXPECT_EQ(cp932::truncateBytes("abc", 10), "abc");
}

class ValidatorTest : public ::testing::Test {
protected:
    QLineEdit field;
};

TEST_F(ValidatorTest, LimitsBytesAndRefusesForeignCharacters)
{
    Cp932Validator v(&field, 30);
    QString refused;
    QObject::connect(&v, &Cp932Validator::refused, [&](const QString& m) { refused = m; });
    int pos = 0;
    QString fifteen = QString::fromUtf8("一二三四五六七八九十一二三四五");
    EXPECT_EQ(v.validate(fifteen, pos), QValidator::Acceptable);
    QString sixteen = fifteen + QString::fromUtf8("六");
    EXPECT_EQ(v.validate(sixteen, pos), QValidator::Invalid);
    QString halfMore = fifteen + u("1");
    EXPECT_EQ(v.validate(halfMore, pos), QValidator::Invalid);

    QString emoji = QString::fromUtf8("山😀");
    EXPECT_EQ(v.validate(emoji, pos), QValidator::Invalid);
    EXPECT_TRUE(refused.contains(QString::fromUtf8("😀")));
    EXPECT_TRUE(refused.contains(QString::fromUtf8("Shift-JIS")));

    QString wave = QString::fromUtf8("1\u301C2");
    EXPECT_EQ(v.validate(wave, pos), QValidator::Acceptable);
    EXPECT_EQ(wave, QString::fromUtf8("1\uFF5E2"));
}

TEST_F(ValidatorTest, AcceptsEditsBesideTheCharactersOfUndefinedBytes)
{
    Cp932Validator v(&field, 8);
    field.setText(cp932::toUnicode("\x80\xa0\xfd\xfe\xff"));
    int pos = 0;
    QString typed = field.text() + u("ab");
    EXPECT_EQ(v.validate(typed, pos), QValidator::Acceptable);
    QString tooLong = typed + u("様");  // each such character is one byte
    EXPECT_EQ(v.validate(tooLong, pos), QValidator::Invalid);
}

TEST_F(ValidatorTest, AFieldHoldingUndecodableBytesStaysEditable)
{
    Cp932Validator v(&field);
    field.setText(cp932::toUnicode("\x85\x40"));  // an unassigned code: U+FFFD and "@"
    int pos = 0;
    QString typed = field.text() + u("様");
    EXPECT_EQ(v.validate(typed, pos), QValidator::Acceptable);
    QString foreign = field.text() + u("𠮷");
    EXPECT_EQ(v.validate(foreign, pos), QValidator::Invalid);
}

TEST_F(ValidatorTest, AnOverlongTextSetByTheProgramCanBeShortenedButNotLengthened)
{
    Cp932Validator v(&field, 7, Cp932Validator::Unit::Characters);
    field.setText(u("123-4567"));  // eight characters, loaded from a table
    int pos = 0;
    QString shorter = u("123-456");
    EXPECT_EQ(v.validate(shorter, pos), QValidator::Acceptable);
    QString longer = u("123-45678");
    EXPECT_EQ(v.validate(longer, pos), QValidator::Invalid);
}

TEST(Cp932, AppendReplacingEncodesEveryCharacterAsFromUnicodeDoes)
{
    // The per-thread table must agree with the converter on the whole plane.
    const QChar mark(u'\u3013');
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        const QString text(QChar(static_cast<char16_t>(c)));
        std::string expected;
        const bool encodable = !QChar::isSurrogate(c) && cp932::fromUnicode(text, expected);
        std::string got = "x";
        ASSERT_EQ(cp932::appendReplacing(text, mark, got), !encodable)
            << std::hex << static_cast<std::uint32_t>(c);
        ASSERT_EQ(got, "x" + (encodable ? expected : sj("〓")))
            << std::hex << static_cast<std::uint32_t>(c);
    }
}

TEST(Cp932, AppendReplacingPutsOneMarkForEachMissingCharacter)
{
    struct Case {
        QString text;
        const char* marked;  // UTF-8
        bool replaced;
    } cases[] = {
        {QString::fromUtf8("𠮷田〜"), "■田～", true},      // a pair is one character
        {QString(QChar(u'\xD842')) + u("a"), "■a", true},  // a lone surrogate
        {QString::fromUtf8("a😀\t"), "a■\t", true},
        {QString::fromUtf8("東京都"), "東京都", false},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(cp932::appendReplacing(c.text, QChar(u'\u25A0'), out), c.replaced) << c.marked;
        EXPECT_EQ(out, sj(c.marked));
    }
}

TEST(Cp932, AppendUtf8ReplacingTakesOnlyWellFormedUtf8)
{
    const QChar mark(u'\u3013');
    const std::string wellFormed[] = {"",         "1,abc", "東京都〜𠮷",
                                      "\xC2\xA2", "a😀b",   std::string("\0x", 2)};
    for (const std::string& text : wellFormed) {
        std::string direct;
        std::string viaQString;
        const std::optional<bool> replaced = cp932::appendUtf8Replacing(text, mark, direct);
        ASSERT_TRUE(replaced.has_value()) << text;
        EXPECT_EQ(*replaced, cp932::appendReplacing(QString::fromUtf8(text), mark, viaQString));
        EXPECT_EQ(direct, viaQString) << text;
    }
    // Overlong, a surrogate, above U+10FFFF, cut off, a stray continuation byte.
    const char* const illFormed[] = {
        "\xC0\xAF",   "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
        "ab\xE6\x9D", "\x80",         "\xFF"};
    for (const char* text : illFormed) {
        std::string out;
        EXPECT_FALSE(cp932::appendUtf8Replacing(text, mark, out).has_value()) << text;
    }
}

}  // namespace
