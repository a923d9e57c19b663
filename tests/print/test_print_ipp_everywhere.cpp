// SPDX-License-Identifier: MIT
// A driverless IPP Everywhere printer, simulated by CUPS's ippeveprinter and
// set up as people set up their printers (lpadmin -m everywhere): the card
// lands in the same place whether the printer is the default or chosen in the
// printer dialog, and a printer without postcard paper gets no job.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include "print/postcard_layout.h"
#include "print/print_commands.h"
#include "print/qt_printer_device.h"
#include "tests/print/cups_scheduler.h"
#include "tests/print/page_ink.h"
#include "tests/support/fakes.h"
#include "tests/support/helpers.h"
#include "tests/support/widget_helpers.h"

namespace {

using namespace cups_test;

const QString PostcardQueue = QStringLiteral("FumiPostcard");
const QString PlainQueue = QStringLiteral("FumiPlain");

// One simulated printer: ippeveprinter on a port of its own, keeping every job
// it receives in its spool folder.
class SimulatedPrinter {
public:
    SimulatedPrinter(const QString& name, int port, const QString& attributes) : port_(port)
    {
        QStringList args{QStringLiteral("-k"), QStringLiteral("-p"), QString::number(port),
                         QStringLiteral("-d"), spool_.path()};
        if (!attributes.isEmpty()) {
            args << QStringLiteral("-a") << attributes;
        }
        running_ = process_.start(SystemProgram("ippeveprinter"), args << name);
    }
    bool running() const { return running_; }
    QString uri() const { return QStringLiteral("ipp://localhost:%1/ipp/print").arg(port_); }
    QString spool() const { return spool_.path(); }
    bool answers() const
    {
        return Command(QStringLiteral("ipptool"),
                       {QStringLiteral("-q"), uri(), QStringLiteral("get-printer-attributes.test")})
                   .exitCode == 0;
    }
    // The jobs received, oldest first.
    QStringList jobFiles() const
    {
        return QDir(spool_.path()).entryList(QDir::Files, QDir::Time | QDir::Reversed);
    }

private:
    QTemporaryDir spool_;
    int port_;
    Background process_;
    bool running_ = false;
};

bool SystemBusAnswers()
{
    return Command(SystemProgram("dbus-send"),
                   {QStringLiteral("--system"), QStringLiteral("--print-reply"),
                    QStringLiteral("--dest=org.freedesktop.DBus"),
                    QStringLiteral("/org/freedesktop/DBus"),
                    QStringLiteral("org.freedesktop.DBus.GetId")})
               .exitCode == 0;
}

class IppEverywhere : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0) {
            GTEST_SKIP() << "starting CUPS, D-Bus and Avahi needs root";
        }
        for (const char* program :
             {"ippeveprinter", "ipptool", "lpadmin", "dbus-daemon", "dbus-send", "avahi-daemon"}) {
            if (SystemProgram(program).isEmpty()) {
                GTEST_SKIP() << program << " is not installed";
            }
        }
        // ippeveprinter announces itself through Avahi, on the system bus. A
        // socket left by a bus that has ended is removed first.
        if (!SystemBusAnswers()) {
            QFile::remove(QStringLiteral("/run/dbus/system_bus_socket"));
            QDir().mkpath(QStringLiteral("/run/dbus"));
            bus_.start(SystemProgram("dbus-daemon"),
                       {QStringLiteral("--system"), QStringLiteral("--nofork"),
                        QStringLiteral("--nopidfile")});
            ASSERT_TRUE(WaitFor(SystemBusAnswers, 10)) << "no system bus";
        }
        if (Command(SystemProgram("avahi-daemon"), {QStringLiteral("-c")}).exitCode != 0) {
            avahi_.start(SystemProgram("avahi-daemon"),
                         {QStringLiteral("--no-drop-root"), QStringLiteral("--no-chroot"),
                          QStringLiteral("--no-rlimits")});
            ASSERT_TRUE(WaitFor(
                [] {
                    return Command(SystemProgram("avahi-daemon"), {QStringLiteral("-c")})
                               .exitCode == 0;
                },
                10))
                << "avahi-daemon did not start";
        }
        scheduler_ = std::make_unique<Scheduler>();
        ASSERT_TRUE(scheduler_->why().isEmpty()) << scheduler_->why().toStdString();

        const int base = 20000 + static_cast<int>(getpid() % 20000);
        postcard_ = std::make_unique<SimulatedPrinter>(
            PostcardQueue, base,
            QString::fromStdString(testDataPath("print/postcard-printer.conf")));
        plain_ = std::make_unique<SimulatedPrinter>(PlainQueue, base + 1, QString());
        ASSERT_TRUE(postcard_->running() && plain_->running()) << "ippeveprinter did not start";

        queues_ = std::make_unique<Queues>();
        for (const auto& [name, printer] :
             {std::pair(PostcardQueue, postcard_.get()), std::pair(PlainQueue, plain_.get())}) {
            // The printer needs a moment before it answers.
            ASSERT_TRUE(WaitFor([p = printer] { return p->answers(); }, 30))
                << name.toStdString() << " does not answer";
            const auto failed =
                queues_->add(name, {QStringLiteral("-v"), printer->uri(), QStringLiteral("-m"),
                                    QStringLiteral("everywhere")});
            ASSERT_FALSE(failed) << failed->toStdString();
        }
    }

    void TearDown() override
    {
        queues_.reset();
        plain_.reset();
        postcard_.reset();
        scheduler_.reset();
    }

    // The raster of the job that arrives after `before` jobs, read back.
    static std::optional<page_ink::GrayPage> nextJob(const SimulatedPrinter& printer, int before)
    {
        QString job;
        WaitFor(
            [&] {
                const QStringList files = printer.jobFiles();
                if (files.size() > before) {
                    job = files.last();
                }
                return !job.isEmpty();
            },
            60);
        if (job.isEmpty()) {
            return std::nullopt;
        }
        std::vector<page_ink::GrayPage> pages;
        // The file is complete once it reads as a whole page.
        WaitFor(
            [&] {
                pages = page_ink::ReadUrf(QDir(printer.spool()).filePath(job));
                return pages.size() == 1;
            },
            30);
        return pages.empty() ? std::nullopt : std::optional(pages.front());
    }

    Background bus_;
    Background avahi_;
    std::unique_ptr<Scheduler> scheduler_;
    std::unique_ptr<SimulatedPrinter> postcard_;
    std::unique_ptr<SimulatedPrinter> plain_;
    std::unique_ptr<Queues> queues_;
};

AddressBook OneCard()
{
    AddressBook book;
    book.setRow(1, {"1", sj("山田太郎"), "1000001", sj("様"), sj("東京都千代田区千代田"),
                    sj("一丁目一番"), "", ""});
    return book;
}

CardPrintOptions Options()
{
    return {{"Arial", sj("@ＭＳ 明朝"), 1},
            {"5300001", sj("大阪府大阪市"), "", sj("鈴木一郎"), ""},
            true};
}

void Print(QPrinter& printer)
{
    QtPrinterDevice device(printer);
    const CardPrintOptions o = Options();
    PrintCard(OneCard(), 1, o.withSender, o.settings, o.sender, device);
}

// The postal code's row, the address columns, the name and the sender block.
const page_ink::Box Areas[] = {
    {40, 9, 95, 23}, {70, 23, 96, 140}, {40, 30, 66, 145}, {3, 60, 36, 140}};

}  // namespace

TEST_F(IppEverywhere, TheDefaultPrinterAndTheDialogsChoicePrintTheCardInOnePlace)
{
    ASSERT_TRUE(queues_->makeDefault(PostcardQueue));

    // As the program starts: the default printer, the dialog never opened.
    QPrinter atStart(QPrinter::HighResolution);
    ASSERT_EQ(atStart.printerName(), PostcardQueue);
    Print(atStart);
    const auto byDefault = nextJob(*postcard_, 0);
    ASSERT_TRUE(byDefault) << "no job reached the printer";

    // The printer chosen in the dialog and confirmed.
    QPrinter chosen(QPrinter::HighResolution);
    whenModalOpens([](QWidget& dialog) {
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    QPrintDialog dialog(&chosen);
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    Print(chosen);
    const auto byDialog = nextJob(*postcard_, 1);
    ASSERT_TRUE(byDialog);

    // Both where the card printed to a PDF file has everything, give or take
    // what the way to a raster adds: Qt writes the card as a page of 284 x 419
    // points, which the scheduler fits onto the 283.5 x 419.5 points of the
    // postcard (measured: 0.1 mm across, 0.35 to 0.45 mm down).
    QTemporaryDir dir;
    QPrinter toFile(QPrinter::HighResolution);
    toFile.setOutputFileName(dir.filePath(QStringLiteral("card.pdf")));
    Print(toFile);
    const auto expected = page_ink::RenderPdfPage(toFile.outputFileName(), 1, byDefault->dpi);
    ASSERT_TRUE(expected);
    for (const page_ink::Box& area : Areas) {
        SCOPED_TRACE("area from " + std::to_string(area.left) + ", " + std::to_string(area.top));
        const auto want = expected->inkIn(area);
        const auto first = byDefault->inkIn(area);
        const auto second = byDialog->inkIn(area);
        ASSERT_TRUE(want && first && second);
        const double dot = 25.4 / byDefault->dpi;
        EXPECT_NEAR(second->left, first->left, dot);
        EXPECT_NEAR(second->top, first->top, dot);
        EXPECT_NEAR(first->left, want->left, 0.5);
        EXPECT_NEAR(first->top, want->top, 0.5);
        EXPECT_NEAR(first->right, want->right, 0.5);
    }
}

TEST_F(IppEverywhere, APrinterWithoutPostcardPaperIsToldAndGetsNoJob)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(PlainQueue);
    QtPrinterDevice device(printer);
    FakeDialogs dialogs;
    PrintListState list;
    list.items = {{1, true}};
    list.highlighted = 0;
    const auto options = [] { return Options(); };
    EXPECT_FALSE(SamplePrint(list, OneCard(), options, device, dialogs));
    EXPECT_EQ(PrintChecked(list, OneCard(), options, device, dialogs), 0);
    const QString told =
        u("選択したプリンタ（FumiPlain）は、はがき（100×148mm）の用紙に対応していま"
          "せん。\n\rプリンタの設定を確認してください。");
    EXPECT_EQ(dialogs.texts(), (QStringList{told, told}));
    QThread::sleep(2);
    EXPECT_TRUE(plain_->jobFiles().isEmpty());
    EXPECT_TRUE(CompletedJobs(PlainQueue).empty());
}
