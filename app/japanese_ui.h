// SPDX-License-Identifier: MIT
// Qt draws some texts itself: the standard buttons, the file and printer
// dialogs, the edit fields' context menus. The program speaks Japanese only,
// so these do too, whatever the user's locale.
#pragma once

#include <QString>

class QCoreApplication;

// The words of the program's own dialogs' OK and cancel buttons, set where
// Qt's catalogue would give other ones (「印刷」 on the printer dialog).
namespace button_texts {
inline constexpr char kOk[] = "OK";
inline constexpr char kCancel[] = "キャンセル";
}  // namespace button_texts

// Where Debian's qt6-translations-l10n keeps Qt's catalogues.
QString QtCatalogueFolder();

// Makes Japanese the default locale (dates and sizes in the file dialog) and
// installs Qt's Japanese catalogue qtbase_ja from `catalogueFolder`, with the
// few texts that Qt 6.4's catalogue lacks. Call it before the first window
// exists. Returns false when the catalogue is missing: Qt then keeps its
// English texts, and the program runs as before.
bool UseJapaneseQtTexts(QCoreApplication& app,
                        const QString& catalogueFolder = QtCatalogueFolder());
