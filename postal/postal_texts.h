// SPDX-License-Identifier: MIT
// The postal-code lookup's own texts, as UTF-8.
#pragma once

namespace postal_texts {

// Result dialog (its captions are in frmYubin.ui).
constexpr char kFontFace[] = "ＭＳ Ｐゴシック";
constexpr int kFontPixelSize = 12;
constexpr int kItemHeight = 12;

// Search commands and the dialog's buttons.
constexpr char kPostalCodeKeyTooShort[] = "郵便番号検索には3文字以上の郵便番号が必要です。";
constexpr char kAddressKeyTooShort[] = "2文字以上のキーワードが必要です。";
constexpr char kNoMatch[] = "条件にマッチする結果はありませんでした。";
constexpr char kDictionaryMissing[] = "postcode.dat が見つかりません";
constexpr char kChoosePostalCode[] = "郵便番号として入力したい物を選択してください。";
constexpr char kChooseAddress[] = "住所として入力したい物を選択してください。";

}  // namespace postal_texts
