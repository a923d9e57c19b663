// SPDX-License-Identifier: MIT
// A card printed through a real QPrinter into a PDF file, read back with poppler.
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/app_error.h"
#include "print/postcard_layout.h"
#include "print/print_commands.h"
#include "print/qt_printer_device.h"
#include "tests/print/page_ink.h"
#include "tests/print/poppler_page.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"
#include "vertical/japanese_faces.h"
#include "vertical/vertical_text.h"

namespace {

using poppler_page::Word;

constexpr double ToleranceMm = 0.5;
// A digit's cell is placed to the dot (0.04 mm at 600 dpi), on a page with no
// unprintable edge.
constexpr double DigitToleranceMm = 0.1;

// Japan Post's seven boxes for the addressee's code: left edges, width, top, height.
constexpr double BoxLeftMm[] = {44.3, 51.3, 58.3, 65.9, 72.7, 79.5, 86.3};
constexpr double BoxWidthMm = 5.7;
constexpr double BoxTopMm = 12.0;
constexpr double BoxHeightMm = 8.0;

AddressBook Book()
{
    AddressBook book;
    book.setRowCount(4);
    for (int row = 1; row <= 3; ++row) {
        book.setRow(row, {std::to_string(row), sj("山田太郎"), "1357924", sj("様"),
                          sj("東京都千代田区千代田"), sj("一丁目一番"), "", ""});
    }
    return book;
}

PrintSettings Settings()
{
    return {"Arial", sj("@ＭＳ 明朝"), 1};
}

SenderFields Sender()
{
    return {"9876543", sj("大阪府大阪市北区梅田"), sj("三丁目"), sj("鈴木一郎"), ""};
}

class PdfCard : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!poppler_page::ToolsPresent()) {
            GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) are not installed";
        }
        ASSERT_TRUE(dir_.isValid());
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(path(QStringLiteral("card.pdf")));
        printer_.setPageMargins(QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter);
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    // The addressee's digits: each cell's top-left corner at its millimetres
    // (45, 52, ... 87 mm, 12.5 mm), and the whole cell inside Japan Post's box.
    static void expectDigitsInTheirBoxes(const std::vector<Word>& words, const QString& code)
    {
        for (int i = 0; i < 7; ++i) {
            SCOPED_TRACE("digit " + std::to_string(i + 1));
            const double x = poppler_page::AddresseeDigitXMm[i];
            const Word* w = Nearest(words, code.mid(i, 1), x);
            ASSERT_NE(w, nullptr);
            EXPECT_NEAR(w->xMin, x, DigitToleranceMm);
            EXPECT_NEAR(w->yMin, poppler_page::AddresseeDigitYMm, DigitToleranceMm);
            EXPECT_GT(w->xMin, BoxLeftMm[i]);
            EXPECT_LT(w->xMax, BoxLeftMm[i] + BoxWidthMm);
            EXPECT_GT(w->yMin, BoxTopMm);
            EXPECT_LT(w->yMax, BoxTopMm + BoxHeightMm);
        }
    }

    // With FUMI_SCREENSHOT_DIR set: the page at 300 dpi with Japan Post's
    // seven boxes drawn over it in thin red lines, as digits-in-boxes.png.
    static void saveWithJapanPostsBoxes(const QString& pdf)
    {
        const QString dir = qEnvironmentVariable("FUMI_SCREENSHOT_DIR");
        const auto page = page_ink::RenderPdfPage(pdf, 1, 300);
        if (dir.isEmpty() || !page) {
            return;
        }
        QImage image(page->pixels.data(), page->width, page->height, page->width,
                     QImage::Format_Grayscale8);
        image = image.convertToFormat(QImage::Format_RGB32);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::red, 1));
        const double dots = 300 / 25.4;
        for (double left : BoxLeftMm) {
            painter.drawRect(
                QRectF(left * dots, BoxTopMm * dots, BoxWidthMm * dots, BoxHeightMm * dots));
        }
        painter.end();
        QDir().mkpath(dir);
        image.save(dir + QStringLiteral("/digits-in-boxes.png"));
    }

    static const Word* Nearest(const std::vector<Word>& words, const QString& text, double xMm)
    {
        return poppler_page::NearestWord(words, text, xMm);
    }

    QTemporaryDir dir_;
    QPrinter printer_{QPrinter::HighResolution};
};

}  // namespace

TEST_F(PdfCard, OnePageOfPostcardSizeWithEverythingAtItsMillimetres)
{
    QtPrinterDevice device(printer_);
    ASSERT_TRUE(PrintCard(Book(), 1, true, Settings(), Sender(), device));
    EXPECT_FALSE(device.printing());

    const auto info = poppler_page::ReadInfo(path(QStringLiteral("card.pdf")));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pages, 1);
    EXPECT_NEAR(info->widthMm, 100, ToleranceMm);
    EXPECT_NEAR(info->heightMm, 148, ToleranceMm);

    const auto words = poppler_page::ReadWords(path(QStringLiteral("card.pdf")));
    ASSERT_FALSE(words.empty()) << "no text in the PDF";

    expectDigitsInTheirBoxes(words, QStringLiteral("1357924"));
    saveWithJapanPostsBoxes(path(QStringLiteral("card.pdf")));

    // Vertical columns: right edge at x, first character from y down. Upright
    // kanji stand centred across the column, which is one line height wide.
    struct ColumnAt {
        QString firstChar;
        double rightMm;
        double topMm;
        int points;
    };
    const ColumnAt columns[] = {
        {QStringLiteral("東"), 90, 25, 18},  // address line 1
        {QStringLiteral("山"), 55, 35, 36},  // the single name
        {QStringLiteral("大"), 30, 65, 11},  // sender's address line 1
        {QStringLiteral("鈴"), 15, 75, 11},  // sender's name
    };
    const int dpi = printer_.resolution();
    for (const ColumnAt& c : columns) {
        vertical::FaceRecord face{sj("@ＭＳ 明朝"), -postcard::LfHeightForPoints(c.points, dpi),
                                  2700, 400};
        const double acrossMm = vertical::measure(face, c.firstChar).across * 25.4 / dpi;
        const Word* w = Nearest(words, c.firstChar, c.rightMm - acrossMm);
        ASSERT_NE(w, nullptr) << c.firstChar.toStdString();
        const double rightEdge = (w->xMin + w->xMax) / 2 + acrossMm / 2;
        EXPECT_NEAR(rightEdge, c.rightMm, ToleranceMm) << c.firstChar.toStdString();
        EXPECT_NEAR(w->yMin, c.topMm, ToleranceMm) << c.firstChar.toStdString();
        EXPECT_NEAR(w->xMax - w->xMin, c.points * 25.4 / 72, ToleranceMm)
            << c.firstChar.toStdString() << " is as wide as its point size";
    }
    // Line 2 is indented by half-width spaces, so it ends level with line 1.
    const Word* end1 = nullptr;
    const Word* end2 = nullptr;
    for (const Word& w : words) {
        if (w.text == QStringLiteral("田") && w.xMin > 80 && (!end1 || w.yMin > end1->yMin)) {
            end1 = &w;
        }
        if (w.text == QStringLiteral("番") && w.xMin > 70) {
            end2 = &w;
        }
    }
    ASSERT_TRUE(end1 && end2);
    EXPECT_NEAR(end2->yMax, end1->yMax, ToleranceMm);
    EXPECT_GT(end2->xMax, 79.0 - ToleranceMm);
    EXPECT_LT(end2->xMax, 80.0 + ToleranceMm);
}

TEST_F(PdfCard, BatchToAFileIsOneFileWithAPageForEachTickedCard)
{
    AddressBook book = Book();
    book.setCell(ColPostalCode, 3, "2468013");
    QtPrinterDevice device(printer_);
    FakeDialogs dialogs;
    PrintListState list;
    list.items = {{1, true}, {2, false}, {3, true}};
    const auto options = [] { return CardPrintOptions{Settings(), Sender(), false}; };
    EXPECT_EQ(PrintChecked(list, book, options, device, dialogs), 2);
    EXPECT_TRUE(dialogs.log.empty());
    const auto info = poppler_page::ReadInfo(path(QStringLiteral("card.pdf")));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pages, 2);
    EXPECT_NEAR(info->widthMm, 100, ToleranceMm);
    EXPECT_NEAR(info->heightMm, 148, ToleranceMm);
    expectDigitsInTheirBoxes(poppler_page::ReadWords(path(QStringLiteral("card.pdf")), 1),
                             QStringLiteral("1357924"));
    expectDigitsInTheirBoxes(poppler_page::ReadWords(path(QStringLiteral("card.pdf")), 2),
                             QStringLiteral("2468013"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{u("card.pdf")});
}

TEST_F(PdfCard, SecondPrintDuringAJobIsRefused)
{
    QtPrinterDevice device(printer_);
    device.beginDocument();
    ASSERT_TRUE(device.printing());
    try {
        PrintCard(Book(), 1, false, Settings(), Sender(), device);
        FAIL() << "expected AppError";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("現在印刷中です"));
    }
    EXPECT_TRUE(device.printing()) << "the job under way goes on";
    device.endDocument();
    EXPECT_FALSE(device.printing());
}

TEST_F(PdfCard, UnwritableFileFailsWithAMessage)
{
    printer_.setOutputFileName(path(QStringLiteral("missing/folder/card.pdf")));
    QtPrinterDevice device(printer_);
    try {
        PrintCard(Book(), 1, false, Settings(), Sender(), device);
        FAIL() << "expected AppError";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("印刷を開始できませんでした。")));
    }
    EXPECT_FALSE(device.printing());
}

TEST_F(PdfCard, PaperIsSetAgainOnEveryCard)
{
    printer_.setPageSize(QPageSize(QPageSize::A4));
    QtPrinterDevice device(printer_);
    PrintCard(Book(), 1, false, Settings(), Sender(), device);
    const QSizeF size = printer_.pageLayout().pageSize().size(QPageSize::Millimeter);
    EXPECT_NEAR(size.width(), 100, 0.1);
    EXPECT_NEAR(size.height(), 148, 0.1);
    EXPECT_EQ(printer_.pageLayout().orientation(), QPageLayout::Portrait);
}

TEST(NoPrinter, WithoutAPrinterOrAFileNothingIsPrinted)
{
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer";
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(QString());
    QtPrinterDevice device(printer);
    FakeDialogs dialogs;
    PrintListState list;
    list.items = {{1, true}, {2, true}};
    const auto options = [] { return CardPrintOptions{Settings(), Sender(), true}; };
    try {
        PrintChecked(list, Book(), options, device, dialogs);
        FAIL() << "expected AppError";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("デフォルト プリンタが存在しません"));
    }
    EXPECT_FALSE(device.printing());
    EXPECT_TRUE(dialogs.log.empty());
}
