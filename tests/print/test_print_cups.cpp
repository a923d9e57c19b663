// SPDX-License-Identifier: MIT
// End to end: three ticked cards through the batch print command into a CUPS
// scheduler of the test's own, with a cups-pdf queue as the default printer.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <set>

#include "print/postcard_layout.h"
#include "print/print_commands.h"
#include "print/qt_printer_device.h"
#include "tests/print/cups_scheduler.h"
#include "tests/print/page_ink.h"
#include "tests/print/poppler_page.h"
#include "tests/support/fakes.h"
#include "vertical/japanese_faces.h"

namespace {

using namespace cups_test;

const QString QueueName = QStringLiteral("PDF");
const QString Ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QStringList PdfsIn(const QDir& dir)
{
    QStringList found;
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files)) {
        found << file.absoluteFilePath();
    }
    return found;
}

class CupsPdfQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0) {
            GTEST_SKIP() << "starting a CUPS scheduler needs root";
        }
        if (SystemProgram("lpadmin").isEmpty() || SystemProgram("lpstat").isEmpty()) {
            GTEST_SKIP() << "CUPS (lpadmin, lpstat) is not installed";
        }
        if (!QFileInfo::exists(Ppd)) {
            GTEST_SKIP() << "printer-driver-cups-pdf is not installed";
        }
        if (!poppler_page::ToolsPresent()) {
            GTEST_SKIP() << "poppler-utils are not installed";
        }
        scheduler_ = std::make_unique<Scheduler>();
        ASSERT_TRUE(scheduler_->why().isEmpty()) << scheduler_->why().toStdString();
        queues_ = std::make_unique<Queues>();
        const auto failed = queues_->add(
            QueueName,
            {QStringLiteral("-v"), QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), Ppd});
        ASSERT_FALSE(failed) << failed->toStdString();
        ASSERT_TRUE(queues_->makeDefault(QueueName));
    }

    // Queues go before the scheduler that holds them.
    void TearDown() override
    {
        queues_.reset();
        scheduler_.reset();
    }

    std::unique_ptr<Scheduler> scheduler_;
    std::unique_ptr<Queues> queues_;
};

AddressBook FourCards()
{
    AddressBook book;
    book.setRowCount(5);
    for (int row = 1; row <= 4; ++row) {
        book.setRow(row, {std::to_string(row), sj("山田太郎"), "1000001", sj("様"),
                          sj("東京都千代田区千代田"), sj("一丁目"), "", ""});
    }
    return book;
}

// The ink of a printed page lies within 0.3 mm of where the same card printed
// straight to a PDF file has it: the postal code's row, the address columns,
// the name column and the sender block.
void ExpectInkAsOnTheCard(const QString& printedPdf, const CardPrintOptions& options)
{
    QTemporaryDir dir;
    QPrinter toFile(QPrinter::HighResolution);
    toFile.setOutputFileName(dir.filePath(QStringLiteral("card.pdf")));
    QtPrinterDevice device(toFile);
    PrintCard(FourCards(), 1, options.withSender, options.settings, options.sender, device);
    const auto expected = page_ink::RenderPdfPage(toFile.outputFileName(), 1, 300);
    const auto printed = page_ink::RenderPdfPage(printedPdf, 1, 300);
    ASSERT_TRUE(expected && printed);
    const page_ink::Box areas[] = {
        {40, 9, 95, 23}, {70, 23, 96, 140}, {40, 30, 66, 145}, {3, 60, 36, 140}};
    for (const page_ink::Box& area : areas) {
        const auto want = expected->inkIn(area);
        const auto got = printed->inkIn(area);
        ASSERT_TRUE(want && got) << "area from " << area.left << ", " << area.top;
        EXPECT_NEAR(got->left, want->left, 0.3) << "area from " << area.left << ", " << area.top;
        EXPECT_NEAR(got->top, want->top, 0.3) << "area from " << area.left << ", " << area.top;
        EXPECT_NEAR(got->right, want->right, 0.3) << "area from " << area.left << ", " << area.top;
    }
}

}  // namespace

TEST_F(CupsPdfQueue, BatchOfThreeTickedCardsGivesThreeOnePageJobs)
{
    const QDir out(QDir::home().filePath(QStringLiteral("PDF")));
    const QStringList earlier = PdfsIn(out);
    const std::set<int> before = CompletedJobs(QueueName);

    ASSERT_FALSE(QPrinterInfo::defaultPrinter().isNull()) << "the queue is not the default";
    QPrinter printer(QPrinter::HighResolution);
    ASSERT_EQ(printer.printerName(), QueueName);
    QtPrinterDevice device(printer);
    FakeDialogs dialogs;
    PrintListState list;
    list.items = {{1, true}, {2, false}, {3, true}, {4, true}};
    const auto options = [] {
        return CardPrintOptions{{"Arial", sj("@ＭＳ 明朝"), 1},
                                {"5300001", sj("大阪府大阪市"), "", sj("鈴木一郎"), ""},
                                true};
    };
    ASSERT_EQ(PrintChecked(list, FourCards(), options, device, dialogs), 3);
    EXPECT_TRUE(dialogs.log.empty());

    std::set<int> fresh;
    const bool jobsDone = WaitFor(
        [&] {
            fresh.clear();
            for (int job : CompletedJobs(QueueName)) {
                if (!before.count(job)) {
                    fresh.insert(job);
                }
            }
            return fresh.size() >= 3;
        },
        90);
    EXPECT_TRUE(jobsDone) << "completed jobs: " << fresh.size();
    EXPECT_EQ(fresh.size(), 3u);

    QStringList pdfs;
    WaitFor(
        [&] {
            pdfs.clear();
            for (const QString& pdf : PdfsIn(out)) {
                if (!earlier.contains(pdf)) {
                    pdfs << pdf;
                }
            }
            return pdfs.size() >= 3;
        },
        30);
    ASSERT_EQ(pdfs.size(), 3) << "in " << out.path().toStdString();
    for (const QString& pdf : pdfs) {
        const auto info = poppler_page::ReadInfo(pdf);
        ASSERT_TRUE(info) << pdf.toStdString();
        EXPECT_EQ(info->pages, 1) << pdf.toStdString();
        EXPECT_NEAR(info->widthMm, 100, 1.0) << pdf.toStdString();
        EXPECT_NEAR(info->heightMm, 148, 1.0) << pdf.toStdString();
        // Through the scheduler and its filters, everything stays where the
        // card printed to a PDF file has it.
        ExpectInkAsOnTheCard(pdf, options());
    }
    for (const QString& pdf : pdfs) {
        QFile::remove(pdf);
    }
}
