// SPDX-License-Identifier: MIT
// The texts of reading other programs' addresses, as UTF-8.
#pragma once

namespace import_texts {

// Lines of one box are joined as every two-line message joins them.
constexpr char kLineBreak[] = "\n\r";

// Opening a book written in another encoding.
constexpr char kConvertedBook[] =
    "このファイルは %1 で書かれていたため、Shift-JIS に変換して読み込みました。"
    "保存すると Shift-JIS で書き込まれます。";
constexpr char kUtf8[] = "UTF-8";
constexpr char kUtf16[] = "UTF-16";
constexpr char kReplacedCellsHeading[] = "Shift-JIS にない文字を 〓 に置き換えた欄:";
constexpr char kReplacedCellsOfCard[] = "・カード %1: %2";  // card number, field names
constexpr char kFieldNameSeparator[] = "、";
// Columns 0 and 7 have no header in the grid; the others are named by it.
constexpr char kCardNumberColumn[] = "カード番号";
constexpr char kLotteryColumn[] = "お年玉番号";

// Taking in contacts.
constexpr char kNotImportable[] = "取り込める形式ではありません。";
constexpr char kImportedCount[] = "%1 件の宛先を取り込みました。";
constexpr char kLeftOutHeading[] = "取り込まなかった連絡先:";
constexpr char kLeftOutEntry[] = "・%1（%2）";  // who, reason
constexpr char kNoName[] = "名前がありません";
constexpr char kNoAddress[] = "住所がありません";
constexpr char kNoNameNorAddress[] = "名前も住所もありません";
constexpr char kReplacedNamesHeading[] = "Shift-JIS にない文字を 〓 に置き換えた宛先:";
constexpr char kReplacedNameEntry[] = "・%1";
// Where a contact without a name stands in its file.
constexpr char kPlaceLine[] = "%1 行目";
constexpr char kPlaceCard[] = "%1 件目";

// Joint names beyond the one a card holds, at the front of its memo.
constexpr char kJointNamesInMemo[] = "連名: %1";
constexpr char kJointNameEntry[] = "%1 %2";  // name, honorific
constexpr char kJointNameSeparator[] = "、";
constexpr char kJointNamesMovedHeading[] = "連名を備考に入れた宛先:";

// What the file was recognised as.
constexpr char kFormatLine[] = "形式: %1";
constexpr char kFormatGoogle[] = "Google コンタクトの CSV";
constexpr char kFormatVCard[] = "vCard";
constexpr char kFormatBook[] = "ふみよせの住所録";
constexpr char kFormatOutlook[] = "Outlook の CSV";
constexpr char kFormatThunderbird[] = "Thunderbird の CSV";
constexpr char kFormatDesignKit[] = "はがきデザインキット";
constexpr char kFormatLabels[] = "宛名ラベル用の CSV";
constexpr char kFormatHeadedCsv[] = "見出し付きの CSV";
constexpr char kFormatChosenColumns[] = "項目の割り当て";

// 項目の割り当て: the column dialog.
constexpr char kColumnsTitle[] = "項目の割り当て";
constexpr char kColumnsGuide[] = "ファイルの各列に何が入っているかを選んでください。";
constexpr char kHeaderRowCheck[] = "1 行目は見出し";
constexpr char kChooseNameAndAddress[] = "氏名と住所の列を選んでください。";

// The honorific a card gets when the file gives none.
constexpr char kDefaultHonorific[] = "様";

// A long list shows its first entries and then how many more there are, so
// that the box stays on the screen.
constexpr int kListedEntries = 20;
constexpr char kMoreEntries[] = "ほか %1 件";

}  // namespace import_texts
