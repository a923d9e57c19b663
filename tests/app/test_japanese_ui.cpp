// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>

#include "app/japanese_ui.h"
#include "tests/support/helpers.h"

namespace {

// Without Qt's catalogue the program starts all the same, with Qt's English
// texts; the catalogue itself is tested through the dialogs (test_qt_japanese).
TEST(JapaneseQtTexts, AMissingCatalogueLeavesQtsEnglishTexts)
{
    QTemporaryDir empty;
    EXPECT_FALSE(UseJapaneseQtTexts(*QCoreApplication::instance(), empty.path()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), u("&Yes"));
    EXPECT_EQ(QCoreApplication::translate("QPrintSettingsOutput", "Off"), u("Off"));
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);
}

}  // namespace
