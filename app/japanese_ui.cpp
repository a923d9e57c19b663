// SPDX-License-Identifier: MIT
#include "app/japanese_ui.h"
#include "text/program_text.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace {

struct QtText {
    const char* context;
    const char* source;
    const char* disambiguation;  // nullptr when Qt gives none
    const char* japanese;
};

// Texts that Qt 6.4 draws but its Japanese catalogue leaves in English: the
// printer dialog's options and properties, and the file list's folder type.
constexpr QtText kMissingQtTexts[] = {
    {"QPrintSettingsOutput", "Double Sided Printing", nullptr, "両面印刷"},
    {"QPrintSettingsOutput", "Off", nullptr, "しない"},
    {"QPrintSettingsOutput", "Long side binding", nullptr, "長辺綴じ"},
    {"QPrintSettingsOutput", "Short side binding", nullptr, "短辺綴じ"},
    {"QPrintSettingsOutput", "Pages", nullptr, "ページ指定"},
    {"QPrintSettingsOutput",
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated "
     "by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     nullptr,
     "ページまたは範囲をカンマで区切って指定します。範囲は二つの数をハイフンでつなぎます。"
     "例: 3,5-7,9 で 3、5、6、7、9 ページを印刷します。"},
    {"QPrintPropertiesWidget", "Advanced", nullptr, "詳細設定"},
    {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.", nullptr,
     "一部のオプションが競合しています。修正してください。"},
    {"QAbstractFileIconProvider", "Folder", "All other platforms", "フォルダ"},
    {"QAbstractFileIconProvider", "Drive", nullptr, "ドライブ"},
};

bool same(const char* a, const char* b)
{
    return (a == nullptr || *a == '\0') ? (b == nullptr || *b == '\0')
                                        : (b != nullptr && std::strcmp(a, b) == 0);
}

// Installed before Qt's catalogue, so it answers only what the catalogue cannot.
class MissingQtTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        Q_UNUSED(n);
        for (const QtText& text : kMissingQtTexts) {
            if (same(text.context, context) && same(text.source, sourceText) &&
                same(text.disambiguation, disambiguation)) {
                return uiText(text.japanese);
            }
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

QString QtCatalogueFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool UseJapaneseQtTexts(QCoreApplication& app, const QString& catalogueFolder)
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);

    auto* catalogue = new QTranslator(&app);
    if (!catalogue->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         catalogueFolder)) {
        delete catalogue;
        return false;
    }
    QCoreApplication::installTranslator(new MissingQtTexts(&app));
    QCoreApplication::installTranslator(catalogue);
    return true;
}
