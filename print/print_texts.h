// SPDX-License-Identifier: MIT
// The printing subsystem's own texts, in one place.
#pragma once

namespace print_texts {

inline constexpr const char* NoListData = "データがないためリストを出せません。";
inline constexpr const char* BadRowSuffix = "番のデータが不正です。リストに追加できません。";
inline constexpr const char* SelectSampleCard = "試し刷りしたい宛先を選択してください。";
inline constexpr const char* TickCardsToPrint = "印刷対象にチェックを入れてください。";
inline constexpr const char* NoDefaultPrinter = "デフォルト プリンタが存在しません";
inline constexpr const char* PrintingNow = "現在印刷中です";
// Not from the printer service's vocabulary: our own words for a job that the
// system refused to start or to finish.
inline constexpr const char* CannotStartJob = "印刷を開始できませんでした。";
inline constexpr const char* JobFailed = "印刷データを送れませんでした。";

// %1: the printer's name.
inline constexpr const char* NoPostcardPaper =
    "選択したプリンタ（%1）は、はがき（100×148mm）の用紙に対応していません。\n\r"
    "プリンタの設定を確認してください。";

// The separator between name and address in a print-list item.
inline constexpr const char* ListItemSeparator = " : ";

}  // namespace print_texts
