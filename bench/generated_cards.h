// SPDX-License-Identifier: MIT
// Cards shaped like real ones, for the benchmarks: full-width names and
// addresses, some joint names, some fields that need quotes, some empty.
#pragma once

#include <QString>

#include <string>

#include "book/address_book.h"
#include "text/cp932.h"

class GeneratedCards {
public:
    // Card r of a generated book, with the card number given.
    BookRow row(int r, std::string number) const
    {
        const auto i = static_cast<std::size_t>(r);
        return BookRow{std::move(number),
                       names_[i % 4],
                       std::to_string(1000000 + r % 8999999),
                       i % 4 == 0 ? bothSama_ : sama_,
                       address1_[i % 3],
                       address2_[i % 3],
                       r % 10 == 0 ? memo_ : std::string(),
                       std::to_string(100000 + (r * 7919) % 800000)};
    }

private:
    static std::string sjis(const char* utf8)
    {
        return cp932::fromUnicodeLossy(QString::fromUtf8(utf8));
    }

    const std::string names_[4] = {sjis("山田太郎;花子"), sjis("佐藤一郎"), sjis("鈴木　次郎"),
                                   sjis("高橋美穂;健太")};
    const std::string address1_[3] = {sjis("東京都千代田区千代田1-1"),
                                      sjis("大阪府大阪市北区梅田3-1-1"),
                                      sjis("北海道札幌市中央区北1条西2丁目")};
    const std::string address2_[3] = {"", sjis("メゾン表参道 101号室"), sjis("山田様方")};
    const std::string sama_ = sjis("様");
    const std::string bothSama_ = sjis("様;様");
    const std::string memo_ = sjis("喪中, 寒中見舞い");
};

// A book of `cards` generated cards, numbered 1 to `cards`.
inline AddressBook GeneratedBook(int cards)
{
    const GeneratedCards generated;
    AddressBook book;
    book.setRowCount(cards + 1);
    for (int r = 1; r <= cards; ++r) {
        book.setRow(r, generated.row(r, std::to_string(r)));
    }
    return book;
}

// vCard 3.0 as a phone exports it, from the generated cards.
inline std::string GeneratedVCards(int count)
{
    const GeneratedCards generated;
    QString text;
    for (int r = 1; r <= count; ++r) {
        const BookRow row = generated.row(r, std::string());
        const QString name = cp932::toUnicode(row[ColName]).section(u';', 0, 0);
        text += QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;%2;;;\r\nFN:%3\r\n")
                    .arg(name.left(2), name.mid(2).trimmed(), name);
        text += QStringLiteral("TEL;TYPE=CELL:090-0000-%1\r\n").arg(r % 10000, 4, 10, QChar(u'0'));
        text += QStringLiteral("ADR;TYPE=HOME:;%1;%2;;;%3;日本\r\nEND:VCARD\r\n")
                    .arg(cp932::toUnicode(row[ColAddress2]), cp932::toUnicode(row[ColAddress1]),
                         cp932::toUnicode(row[ColPostalCode]));
    }
    return text.toStdString();
}
